// SPDX-License-Identifier: GPL-3.0-or-later
// The offscreen gallery: the whole application walked as a person walks it, every screen
// saved as a PNG. Touches and keys go in through the window at window positions, as the
// desktop delivers them, so the walk depends on where things are on the screen and on
// nothing of the code's inner names; two builds' galleries compare pixel for pixel (the
// status strip's clock aside).
//
//   build/release/tests/gallery OUTDIR
//
// Time on the application's run loop is the manual clock's: the help button is held for
// its 3 seconds and the emergency card shown at a fixed point of its flashing.

#include "../steps/StandIns.h"
#include "TestSupport.h"

#include "guide/CprCoach.h"
#include "kit/controllers/Application.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/views/Label.h"
#include "kit/views/ScrollView.h"
#include "practice/PracticeScreen.h"
#include "practice/RoundScreen.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QTest>
#include <QWheelEvent>

#include <cstdio>
#include <memory>

namespace {

QString outputFolder;
int shotNumber = 0;

// Lets the application run for a while of real time: pages load and styles settle.
void settle(int milliseconds)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

QWidget* window()
{
    kit::Application* application = kit::Application::sharedApplication();
    return application ? application->keyWindow() : nullptr;
}

void shot(const QString& name)
{
    settle(150);
    QWidget* shown = window();
    const QImage image = shown->grab().toImage();
    const QString file =
        QDir(outputFolder)
            .filePath(
                QStringLiteral("%1-%2.png").arg(++shotNumber, 2, 10, QLatin1Char('0')).arg(name));
    if (!image.save(file))
        std::fprintf(stderr, "gallery: cannot save %s\n", qPrintable(file));
}

// A touch at a point of the window (320 × 480 points).
void tap(int x, int y, int wait = 300)
{
    QTest::mouseClick(window()->windowHandle(), Qt::LeftButton, {}, QPoint(x, y));
    settle(wait);
}

void press(int x, int y)
{
    QTest::mousePress(window()->windowHandle(), Qt::LeftButton, {}, QPoint(x, y));
    settle(50);
}

void release(int x, int y)
{
    QTest::mouseRelease(window()->windowHandle(), Qt::LeftButton, {}, QPoint(x, y));
    settle(50);
}

void key(Qt::Key key, int wait = 200)
{
    QTest::keyClick(window()->windowHandle(), key);
    settle(wait);
}

// Types text as the keyboard does, one character at a time (Cyrillic included).
void type(const QString& text)
{
    QWidget* focused = QApplication::focusWidget();
    if (!focused)
        return;
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(focused, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(focused, &release);
    }
    settle(300);
}

// A turn of the mouse wheel over a point: positive scrolls down. It goes to the scroll
// view under the point, as the desktop's wheel does.
void wheel(int x, int y, int steps)
{
    QWidget* target = window()->childAt(x, y);
    while (target && !qobject_cast<kit::ScrollView*>(target))
        target = target->parentWidget();
    if (!target)
        return;
    const QPoint local = target->mapFrom(window(), QPoint(x, y));
    QWheelEvent event(local, target->mapToGlobal(local), QPoint(0, 0), QPoint(0, -120 * steps),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
    settle(200);
}

// Tab bar: five tabs at the bottom.
void tab(int index, int wait = 400)
{
    tap(32 + 64 * index, 455, wait);
}

// The bar's left (back) and right buttons.
void back()
{
    tap(30, 42, 400);
}

void barRight()
{
    tap(285, 42, 400);
}

struct Session {
    TestStore store;
    std::unique_ptr<LaunchedApplication> app;

    explicit Session(const QList<std::pair<QString, QString>>& values = {}, bool photo = false)
    {
        for (const auto& [key, value] : values)
            store.set(key, value);
        if (photo) {
            kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
            defaults.setObject(pngBytes(66, 50, QColor(0x4a, 0x7a, 0xb0)),
                               QStringLiteral("OWN_IMAGE"));
            defaults.synchronize();
        }
        app = std::make_unique<LaunchedApplication>();
        settle(300);
    }
};

const QList<std::pair<QString, QString>> fullCard = {
    {QStringLiteral("OWN_NAME"), QStringLiteral("Иван Петров")},
    {QStringLiteral("OWN_ADDRESS"), QStringLiteral("Москва, ул. Ленина, д. 1, кв. 2")},
    {QStringLiteral("OWN_BIRTHDAY"), QStringLiteral("12 марта 1985 г.")},
    {QStringLiteral("OWN_WEIGHT"), QStringLiteral("80")},
    {QStringLiteral("OWN_GROWTH"), QStringLiteral("182")},
    {QStringLiteral("OWN_BLOOD"), QStringLiteral("III группа / Rh-")},
    {QStringLiteral("OWN_ILLNESS"), QStringLiteral("Сахарный диабет 1 типа")},
    {QStringLiteral("OWN_NOTE"), QStringLiteral("Кардиостимулятор — не делать МРТ")},
    {QStringLiteral("OWN_ALLERGY"), QStringLiteral("Пенициллин, орехи")},
    {QStringLiteral("OWN_MEDICINE"), QStringLiteral("Инсулин")},
    {QStringLiteral("OWN_CONTACT1_NAME"), QStringLiteral("Анна")},
    {QStringLiteral("OWN_CONTACT1_WHO"), QStringLiteral("жена")},
    {QStringLiteral("OWN_CONTACT1_PHONE"), QStringLiteral("+7 916 123-45-67")},
    {QStringLiteral("OWN_CONTACT2_NAME"), QStringLiteral("Пётр")},
    {QStringLiteral("OWN_CONTACT2_PHONE"), QStringLiteral("8 (495) 765-43-21")},
};

void walkFreshCard()
{
    kit::ManualClock clock;
    Session session;
    shot(QStringLiteral("card-fresh"));
    // The six rows and their editors, each left with the back button.
    const char* const rows[] = {"address", "birthday", "weight", "blood", "illness", "note"};
    for (int row = 0; row < 6; ++row) {
        tap(160, 20 + 44 + 80 + 10 + 22 + 44 * row, 400);
        shot(QStringLiteral("edit-%1").arg(QLatin1String(rows[row])));
        back();
    }
    tap(200, 20 + 44 + 45, 400);
    shot(QStringLiteral("edit-name"));
    type(QStringLiteral("Иван"));
    shot(QStringLiteral("edit-name-typed"));
    back();
    tap(45, 20 + 44 + 45, 400);
    shot(QStringLiteral("photo-sheet"));
    key(Qt::Key_Escape, 400);
    shot(QStringLiteral("photo-sheet-cancelled"));
    wheel(160, 300, 5);
    shot(QStringLiteral("card-fresh-emergency"));
    tab(1, 1500);
    shot(QStringLiteral("scheme"));
    tab(3);
    shot(QStringLiteral("card-again"));
}

void walkContents()
{
    kit::ManualClock clock;
    Session session;
    tab(0, 600);
    shot(QStringLiteral("contents"));
    wheel(160, 300, 10);
    shot(QStringLiteral("contents-scrolled"));
    tab(0, 600);
    tap(160, 20 + 70 + 22, 1800);
    shot(QStringLiteral("article"));
    barRight();
    shot(QStringLiteral("article-zoom"));
    tap(160, 400, 300);
    shot(QStringLiteral("article-zoom-gone"));
    back();
    shot(QStringLiteral("contents-back"));
    tap(160, 20 + 22, 300);
    type(QStringLiteral("кровь"));
    settle(800);
    shot(QStringLiteral("search"));
    tap(160, 20 + 44 + 22, 1800);
    shot(QStringLiteral("search-article"));
    back();
    shot(QStringLiteral("search-back"));
    tab(0, 600);
    shot(QStringLiteral("contents-closed"));
}

void walkScheme()
{
    kit::ManualClock clock;
    Session session;
    tab(1, 1800);
    shot(QStringLiteral("scheme"));
    barRight();
    shot(QStringLiteral("about"));
    back();
    shot(QStringLiteral("scheme-back"));
    tab(2, 1800);
    shot(QStringLiteral("telephones"));
    const char* const services[] = {"gas", "ambulance", "fire", "police"};
    for (int i = 0; i < 4; ++i) {
        tap(305, 20 + 48 + 44 + 90 * i, 1500);
        shot(QStringLiteral("telephones-%1").arg(QLatin1String(services[i])));
    }
    barRight();
    shot(QStringLiteral("telephones-zoom"));
    tab(2, 1500);
    shot(QStringLiteral("telephones-closed"));
}

void walkFullCard()
{
    kit::ManualClock clock;
    Session session(fullCard, true);
    shot(QStringLiteral("sos-full"));
    press(160, 196);
    clock.advance(1.5);
    shot(QStringLiteral("sos-hold"));
    clock.advance(1.6);
    release(160, 196);
    clock.advance(0.37);
    shot(QStringLiteral("emergency-full"));
    wheel(160, 300, 10);
    clock.advance(0.2);
    shot(QStringLiteral("emergency-full-scrolled"));
    tap(160, 300, 600);
    shot(QStringLiteral("emergency-maybe-call"));
    tap(285, 42, 400);
    clock.advance(0.2);
    shot(QStringLiteral("emergency-after-call"));
    press(45, 22);
    clock.advance(3.1);
    release(45, 22);
    settle(300);
    shot(QStringLiteral("sos-after-cancel"));
    tab(3, 500);
    shot(QStringLiteral("card-full"));
    const char* const rows[] = {"address", "birthday", "weight", "blood", "illness", "note"};
    for (int row = 0; row < 6; ++row) {
        tap(160, 20 + 44 + 80 + 10 + 22 + 44 * row, 400);
        shot(QStringLiteral("full-edit-%1").arg(QLatin1String(rows[row])));
        back();
    }
    wheel(160, 300, 5);
    shot(QStringLiteral("card-full-emergency"));
    for (int row = 0; row < 3; ++row) {
        tap(160, 311 + 44 * row, 400);
        shot(QStringLiteral("full-emergency-row%1").arg(row));
        if (row == 2) {
            tap(160, 130, 400);
            shot(QStringLiteral("contact-editor"));
            back();
        }
        back();
    }
}

// The step-by-step help from the band over the contents, as far as the CPR coach, its
// breaths and the defibrillator's steps, stopped and left; the speech and the click heard by
// stand-ins, so every run shows the same.
void walkSteps()
{
    kit::ManualClock clock;
    SpeechStandIn speech;
    TickStandIn tick;
    Session session;
    tab(0, 500);
    tap(160, 44, 500);
    shot(QStringLiteral("steps-first"));
    key(Qt::Key_1);
    key(Qt::Key_1, 400);
    shot(QStringLiteral("steps-bleeding"));
    key(Qt::Key_Escape);
    key(Qt::Key_2);
    key(Qt::Key_2);
    key(Qt::Key_Return);
    clock.advance(3);
    shot(QStringLiteral("steps-breathing"));
    key(Qt::Key_2);
    clock.advance(10 * guide::CprCoach::beatInterval + 0.05);
    shot(QStringLiteral("coach-count"));
    clock.advance(20 * guide::CprCoach::beatInterval + 1);
    shot(QStringLiteral("coach-breaths"));
    tap(224, 415, 400);
    key(Qt::Key_Return);
    shot(QStringLiteral("coach-aed"));
    key(Qt::Key_Escape);
    key(Qt::Key_Escape);
    key(Qt::Key_Escape, 400);
    shot(QStringLiteral("coach-stop-question"));
    key(Qt::Key_Return, 400);
    shot(QStringLiteral("steps-after-coach"));
    for (int i = 0; i < 5; ++i)
        key(Qt::Key_Escape);
    shot(QStringLiteral("steps-left"));
}

// "Проверь себя" from the band: the progress, an exam answered wrong and right, an order
// question, the result; then a topic's round. The round's choice is fixed by its seed.
void walkPractice()
{
    kit::ManualClock clock;
    clock.setCurrentDateTime(QDateTime(QDate(2026, 12, 8), QTime(19, 0)));
    Session session;
    tab(0, 500);
    tap(270, 44, 500);
    auto* home = qobject_cast<practice::PracticeScreen*>(kit::ViewController::controllerOfView(
        window()->findChild<QWidget*>(QStringLiteral("practiceView"))));
    if (!home)
        qFatal("no practice screen");
    home->setSeed(4);
    shot(QStringLiteral("practice-empty"));
    tap(160, 116, 400);
    shot(QStringLiteral("practice-question"));
    practice::RoundScreen* round = home->round();
    // Every question answered by its first card, so some are wrong and some right; the
    // first order question shown as it is being placed, then checked.
    bool orderShown = false;
    bool wrongShown = false;
    while (round && !round->isFinished()) {
        if (round->question().kind == quiz::Question::Kind::Order) {
            for (int card = 0; card < round->cardCount(); ++card) {
                if (!orderShown && card == 2)
                    shot(QStringLiteral("practice-order"));
                round->choose(card);
            }
            round->check();
            if (!orderShown)
                shot(QStringLiteral("practice-order-checked"));
            orderShown = true;
        } else {
            key(Qt::Key_1);
            if (!wrongShown && round->verdict()->text() == QStringLiteral("Неверно")) {
                settle(200);
                shot(QStringLiteral("practice-wrong"));
                wrongShown = true;
            }
        }
        key(Qt::Key_Return);
    }
    settle(200);
    shot(QStringLiteral("practice-result"));
    key(Qt::Key_Return, 400);
    shot(QStringLiteral("practice-progress"));
    key(Qt::Key_Escape, 400);
}

void walkUnreadable()
{
    kit::ManualClock clock;
    TestStore store;
    QFile damaged(store.path());
    damaged.open(QIODevice::WriteOnly);
    damaged.write("{ not json");
    damaged.close();
    kit::UserDefaults::setStandardPath(store.path());
    auto app = std::make_unique<LaunchedApplication>();
    settle(400);
    shot(QStringLiteral("card-unreadable"));
    key(Qt::Key_Escape);
    shot(QStringLiteral("card-unreadable-closed"));
}

} // namespace

int main(int argc, char** argv)
{
    prepareTestEnvironment();
    QApplication application(argc, argv);
    // A text cursor that does not blink is drawn the same in every run.
    QApplication::setCursorFlashTime(0);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gallery OUTDIR\n");
        return 2;
    }
    outputFolder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outputFolder);
    walkFreshCard();
    walkContents();
    walkScheme();
    walkFullCard();
    walkUnreadable();
    walkSteps();
    walkPractice();
    std::printf("%d screens in %s\n", shotNumber, qPrintable(outputFolder));
    return 0;
}
