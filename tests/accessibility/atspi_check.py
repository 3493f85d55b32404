#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# What a screen reader (Orca) sees of the application: the real program on a virtual X
# server, with the desktop's accessibility bus (at-spi2-core), read over AT-SPI screen by
# screen, tab by tab, as pyatspi reads it. Every control on screen must have a Russian name
# and a role that says what it is; the emergency card's text and the search's results must
# be there; moving the focus must be announced.
#
#   atspi_check.py FIRSTAID [--verbose]
#
# Prints a line per screen ("controls N, without a name 0, with a wrong role 0") and every
# fault; exits 1 on a fault, 77 (skipped) where the virtual display or the bus cannot start.

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

APP = sys.argv[1] if len(sys.argv) > 1 else 'firstaid'
VERBOSE = '--verbose' in sys.argv
SKIP = 77

CARD = (
    '{"OWN_NAME":"Иван Петров","OWN_ADDRESS":"Москва, ул. Ленина, д. 1",'
    '"OWN_BIRTHDAY":"12 марта 1985 г.","OWN_WEIGHT":"80","OWN_GROWTH":"182",'
    '"OWN_BLOOD":"III группа / Rh-","OWN_ILLNESS":"Диабет","OWN_NOTE":"Кардиостимулятор",'
    '"OWN_ALLERGY":"Пенициллин","OWN_CONTACT1_NAME":"Анна","OWN_CONTACT1_WHO":"жена",'
    '"OWN_CONTACT1_PHONE":"+7 916 123-45-67"}')


def start(command, **kwargs):
    return subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            **kwargs)


def lock_is_stale(number):
    """A display's lock left by an X server that has gone (Xvfb takes such a display over)."""
    try:
        with open(f'/tmp/.X{number}-lock', encoding='ascii') as lock:
            pid = int(lock.read().strip())
        os.kill(pid, 0)
    except ProcessLookupError:
        return True
    except (OSError, ValueError):
        return False
    return False


def free_display():
    for number in range(90, 140):
        socket = f'/tmp/.X11-unix/X{number}'
        lock = f'/tmp/.X{number}-lock'
        if not os.path.exists(lock) and not os.path.exists(socket):
            return f':{number}'
        if os.path.exists(lock) and lock_is_stale(number):
            return f':{number}'
    return None


class Session:
    """A virtual display, a session bus, the accessibility bus, and the application."""

    def __init__(self):
        self.processes = []
        self.folder = tempfile.mkdtemp(prefix='atspi-')
        os.chmod(self.folder, 0o700)

    def up(self):
        for tool in ('Xvfb', 'dbus-daemon', 'xdotool'):
            if not shutil.which(tool):
                print(f'atspi_check: {tool} is missing')
                return False
        if not os.path.exists('/usr/libexec/at-spi-bus-launcher'):
            print('atspi_check: at-spi2-core is missing')
            return False
        self.display = free_display()
        if not self.display:
            print('atspi_check: no free display between :90 and :139')
            return False
        os.environ['DISPLAY'] = self.display
        self.processes.append(start(['Xvfb', self.display, '-screen', '0', '800x700x24']))
        for _ in range(50):
            if os.path.exists(f'/tmp/.X11-unix/X{self.display[1:]}'):
                break
            time.sleep(0.1)
        bus = subprocess.Popen(['dbus-daemon', '--session', '--nofork', '--print-address=1'],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.processes.append(bus)
        os.environ['DBUS_SESSION_BUS_ADDRESS'] = bus.stdout.readline().strip()
        os.environ['XDG_RUNTIME_DIR'] = self.folder
        self.processes.append(start(['/usr/libexec/at-spi-bus-launcher',
                                     '--launch-immediately']))
        time.sleep(1.0)
        card = os.path.join(self.folder, 'card.json')
        with open(card, 'w', encoding='utf-8') as file:
            file.write(CARD)
        # The virtual display has no GPU: Qt Quick (under the page view) draws in software,
        # as on a machine without OpenGL, so no software OpenGL compiles shaders while the
        # tree is read.
        environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1',
                           SPEECHD_ADDRESS='unix_socket:' + self.folder + '/no-speech',
                           QT_ACCESSIBILITY='1', QT_QPA_PLATFORM='xcb',
                           QT_QUICK_BACKEND='software',
                           QTWEBENGINE_DISABLE_SANDBOX='1',
                           QTWEBENGINE_CHROMIUM_FLAGS='--disable-gpu')
        environment.pop('WAYLAND_DISPLAY', None)
        self.log = open(os.path.join(self.folder, 'firstaid.log'), 'w+', encoding='utf-8')
        self.app = subprocess.Popen([APP, '--defaults', card], env=environment,
                                    stdout=self.log, stderr=subprocess.STDOUT)
        self.processes.append(self.app)
        for _ in range(100):
            if self.window():
                time.sleep(1.5)
                return True
            time.sleep(0.2)
        print('atspi_check: the window did not appear')
        return False

    def window(self):
        result = subprocess.run(['xdotool', 'search', '--onlyvisible', '--pid',
                                 str(self.app.pid)], capture_output=True, text=True)
        ids = result.stdout.split()
        return ids[-1] if ids else None

    def click(self, x, y, wait=1.5):
        subprocess.run(['xdotool', 'mousemove', '--window', self.window(), str(x), str(y),
                        'click', '1'])
        time.sleep(wait)

    def hold(self, x, y, seconds):
        window = self.window()
        subprocess.run(['xdotool', 'mousemove', '--window', window, str(x), str(y),
                        'mousedown', '1'])
        time.sleep(seconds)
        subprocess.run(['xdotool', 'mouseup', '1'])
        time.sleep(1.0)

    def keys(self, *keys, wait=0.4):
        window = self.window()
        subprocess.run(['xdotool', 'windowfocus', '--sync', window])
        for key in keys:
            subprocess.run(['xdotool', 'key', '--window', window, key])
            time.sleep(wait)

    def report(self):
        """Whether the application still runs, and the end of what it printed."""
        code = self.app.poll()
        if code is not None:
            print(f'atspi_check: the application ended with code {code}')
        self.log.flush()
        self.log.seek(0)
        lines = self.log.read().splitlines()
        for line in lines[-25:]:
            print(f'    | {line}')

    def down(self):
        for process in reversed(self.processes):
            process.kill()
            process.wait()
        shutil.rmtree(self.folder, ignore_errors=True)


def main():
    session = Session()
    try:
        if not session.up():
            return SKIP
        try:
            import pyatspi  # after the bus's address is known
        except ImportError:
            print('atspi_check: pyatspi is missing (python3-pyatspi)')
            return SKIP
        result = check(session, pyatspi)
        if result:
            session.report()
        return result
    finally:
        session.down()


def check(session, pyatspi):
    interactive = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_TEXT,
                   pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_CHECK_BOX,
                   pyatspi.ROLE_SLIDER, pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL,
                   pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_LINK, pyatspi.ROLE_SPIN_BUTTON,
                   pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_RADIO_BUTTON}
    # Names that are not Russian words but are what the control says: numbers, the group and
    # rhesus wheels, the SOS button, the related applications' own names, links to a
    # telephone number.
    latin_ok = re.compile(r'^([0-9 ()+\-–.,:/]+|[IVX]+|SOS|Rovan|Pex|Sulka|Rh[+-]|ICE|АНД)$')
    cyrillic = re.compile('[А-Яа-яЁё]')

    def application():
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            candidate = desktop.getChildAtIndex(index)
            if candidate and 'firstaid' in (candidate.name or ''):
                return candidate
        return None

    # In a page, a list item is named by the text inside it.
    def showing(node, depth=0, found=None, page=False):
        found = [] if found is None else found
        try:
            states = node.getState()
            if depth > 1 and not states.contains(pyatspi.STATE_SHOWING):
                return found
            page = page or node.getRole() == pyatspi.ROLE_DOCUMENT_WEB
            found.append((node, page))
            for index in range(min(node.childCount, 400)):
                showing(node.getChildAtIndex(index), depth + 1, found, page)
        except Exception:
            pass
        return found

    faults = []
    totals = []

    def names(nodes):
        result = []
        for node, _ in nodes:
            try:
                result.append((node.name or '').strip())
            except Exception:
                pass
        return result

    # A slow machine may take a while to show a screen: read the tree again until what
    # must be there is there, for up to half a minute.
    def screen(title, expect=()):
        app = None
        nodes = []
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            app = application()
            if app:
                nodes = showing(app)
                texts = names(nodes)
                if all(any(wanted in text for text in texts) for wanted in expect):
                    break
            time.sleep(0.5)
        if not app:
            faults.append(f'{title}: the application is not on the accessibility bus')
            return []
        controls = unnamed = wrong = 0
        texts = []
        for node, page in nodes:
            try:
                role = node.getRole()
                name = (node.name or '').strip()
                actions = node.queryAction().nActions if 'Action' in pyatspi.listInterfaces(
                    node) else 0
            except Exception:
                continue
            texts.append(name)
            if role in interactive:
                controls += 1
                if not name and page and role == pyatspi.ROLE_LIST_ITEM and node.childCount:
                    pass
                elif not name:
                    unnamed += 1
                    faults.append(f'{title}: {node.getRoleName()} without a name')
                elif not cyrillic.search(name) and not latin_ok.match(name):
                    faults.append(f'{title}: {node.getRoleName()} "{name}" is not named in '
                                  'Russian')
            elif actions and role in (pyatspi.ROLE_FILLER, pyatspi.ROLE_PANEL,
                                      pyatspi.ROLE_UNKNOWN, pyatspi.ROLE_LABEL):
                wrong += 1
                faults.append(f'{title}: "{name}" can be pressed but reads as '
                              f'{node.getRoleName()}')
            if VERBOSE:
                print(f'    {node.getRoleName()} | {name}')
        for wanted in expect:
            if not any(wanted in text for text in texts):
                faults.append(f'{title}: "{wanted}" is not in the tree')
        print(f'{title}: controls {controls}, without a name {unnamed}, with a wrong role {wrong}')
        totals.append(controls)
        return nodes

    def fill_focused(text):
        app = application()
        for node, _ in showing(app) if app else []:
            try:
                if node.getState().contains(pyatspi.STATE_FOCUSED) and \
                        'EditableText' in pyatspi.listInterfaces(node):
                    node.queryEditableText().setTextContents(text)
                    return
            except Exception:
                continue
        faults.append('no focused text field to type into')

    # SOS (a complete card opens on it), then the emergency card held up.
    screen('SOS', ['Помощь: удерживайте 3 секунды', 'Содержание', 'Карта'])
    session.hold(160, 196, 3.6)
    screen('Экстренная карта', ['Отмена: удерживайте 3 секунды', 'Домашний адрес',
                                'Москва, ул. Ленина', 'Пенициллин',
                                'Позвонить: Анна (жена), +7 916 123-45-67'])
    session.hold(45, 22, 3.6)

    # The contents, a search and its results, an article.
    session.click(32, 455)
    screen('Содержание', ['Статьи', 'Поиск', 'Пошагово: что делать сейчас'])
    # The search bar lies under the band of the step-by-step help.
    session.click(160, 90, 0.8)
    # Typed as a screen reader's user types through it: the text set on the focused field
    # (a virtual keyboard cannot type Cyrillic reliably on a loaded machine).
    fill_focused('кровь из носа')
    screen('Поиск', ['Носовое кровотечение', 'В тексте статей'])
    session.keys('Escape')
    session.click(160, 130, 3.0)
    screen('Статья', ['Как вызвать помощь', 'Размер текста', 'Содержание'])
    session.click(32, 455)

    # The scheme and its about screen.
    session.click(96, 455, 3.0)
    screen('Схема', ['Универсальная схема', 'О программе'])
    session.click(300, 42, 1.5)
    screen('О программе', ['support@tkl-apps.ru', 'Rovan'])

    # The services.
    session.click(160, 455, 3.0)
    screen('Телефоны', ['Горгаз', 'Скорая', 'Пожарная', 'Полиция'])

    # The step-by-step help from the band over the contents, answered by keys as far as the
    # CPR coach; the coach stopped (asked once), the steps gone back and the help left.
    session.click(32, 455)
    session.click(160, 44, 1.5)
    screen('Пошагово', ['Остановитесь и осмотритесь', 'Да', 'Не знаю', 'Голос', 'Закрыть'])
    session.keys('1', '2', '2', 'space', '2', wait=0.8)
    screen('Помощник СЛР', ['Принесли АНД', 'Пауза', 'без вдохов', 'Остановить помощника СЛР'])
    session.keys('Escape', 'Return', wait=0.8)
    session.keys('Escape', 'Escape', 'Escape', 'Escape', 'Escape', wait=0.5)

    # "Проверь себя" from the same band: the progress, an exam's question answered by its
    # digit with the explanation, and out by Escape twice.
    session.click(270, 44, 1.5)
    screen('Проверь себя', ['Знаю 0 из', 'Экзамен: 20 вопросов по всем темам',
                            'Повторить: на сегодня нечего', 'Реанимация взрослого: знаю 0 из',
                            'Закрыть'])
    session.click(160, 116, 1.5)
    screen('Вопрос', ['1. ', '2. ', 'Закрыть'])
    # The exam's first question may be of any kind: a digit answers one of choice; steps to
    # put in order are all placed by their digits and then checked.
    session.keys('1', '2', '3', '4', '5', '6', wait=0.5)
    app = application()
    if app and any('Проверить порядок' in text for text in names(showing(app))):
        session.keys('Return', wait=0.8)
    screen('Ответ', ['Открыть статью на этом месте', 'Следующий вопрос'])
    session.keys('Escape', 'Escape', wait=0.5)

    # The card and an editor.
    session.click(224, 455)
    screen('Карта', ['Медицинская карта', 'Фотография', 'Иван Петров', 'Печать'])
    session.click(160, 20 + 44 + 80 + 10 + 22 + 44 * 3, 1.5)
    screen('Группа крови', ['Группа крови', 'Резус-фактор', 'Сохранить'])
    session.keys('Escape')

    # The focus moved with Tab is announced, by name.
    focused = []

    def on_focus(event):
        try:
            if event.detail1 == 1 and event.source:
                focused.append((event.source.getRoleName(), (event.source.name or '').strip()))
        except Exception:
            pass

    from gi.repository import GLib
    pyatspi.Registry.registerEventListener(on_focus, 'object:state-changed:focused')

    def press_tabs():
        session.keys('Tab', 'Tab', 'Tab', 'Tab', wait=0.5)
        GLib.timeout_add(1500, lambda: pyatspi.Registry.stop())
        return False

    GLib.timeout_add(300, press_tabs)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(on_focus, 'object:state-changed:focused')
    named = [name for _, name in focused if name]
    print(f'focus announced {len(focused)} times, by name: {", ".join(named[:6])}')
    if len(named) < 3:
        faults.append(f'Tab moved the focus but only {len(named)} named focus changes were '
                      'announced')

    for fault in faults:
        print('FAULT', fault)
    print(f'{len(totals)} screens, {sum(totals)} controls, {len(faults)} faults')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
