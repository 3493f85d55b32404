// SPDX-License-Identifier: GPL-3.0-or-later
#include "Window.h"

#include "Application.h"
#include "StatusStrip.h"
#include "ViewController.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/platform/WindowScale.h"
#include "kit/views/View.h"

#include <QCloseEvent>
#include <QCoreApplication>

#include <QShortcut>
#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace kit {

Window::Window() : _statusStrip(new StatusStrip(this))
{
    setObjectName(QStringLiteral("window"));
    setWindowTitle(QStringLiteral("Первая помощь"));
    setFixedSize(width, height);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::black);
    setPalette(background);
    _statusStrip->setGeometry(0, 0, width, statusStripHeight);
    // Ctrl+Q, whatever the desktop's theme says (some name no key for quitting).
    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    quit->setContext(Qt::ApplicationShortcut);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
    // Ctrl+Plus, Ctrl+Minus and Ctrl+0: the whole window larger, smaller, back to 100 %.
    const auto scaleKey = [this](const QKeySequence& keys, std::function<double(double)> step) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::ApplicationShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [step = std::move(step)] { setScale(step(WindowScale::factor())); });
    };
    // Never larger than the screen leaves room for: the tab bar would be out of reach.
    const auto larger = [this](double factor) {
        const double next = WindowScale::larger(factor);
        return WindowScale::fitting(next, *this) == next ? next : factor;
    };
    scaleKey(QKeySequence(Qt::CTRL | Qt::Key_Plus), larger);
    scaleKey(QKeySequence(Qt::CTRL | Qt::Key_Equal), larger);
    scaleKey(QKeySequence(Qt::CTRL | Qt::Key_Minus), &WindowScale::smaller);
    scaleKey(QKeySequence(Qt::CTRL | Qt::Key_0), [](double) { return 1.0; });
}

double Window::storedScale()
{
    const std::optional<QString> stored =
        UserDefaults::standardUserDefaults().stringForKey(QStringLiteral("WINDOW_SCALE"));
    bool number = false;
    const double factor = stored ? stored->toDouble(&number) : 1.0;
    return number && std::isfinite(factor) ? factor : 1.0;
}

void Window::setScale(double factor)
{
    WindowScale::setFactor(factor);
    UserDefaults& defaults = UserDefaults::standardUserDefaults();
    if (WindowScale::factor() == 1.0)
        defaults.removeObjectForKey(QStringLiteral("WINDOW_SCALE"));
    else
        defaults.setObject(QString::number(WindowScale::factor()), QStringLiteral("WINDOW_SCALE"));
    defaults.synchronize();
}

Window::~Window() = default;

QRect Window::applicationFrame()
{
    return QRect(0, statusStripHeight, width, height - statusStripHeight);
}

void Window::makeKeyAndVisible()
{
    // The scale the owner chose last time (as large as this screen leaves room for; the
    // stored choice stays for a larger screen), before the window is first shown.
    if (const double stored = storedScale(); stored != 1.0)
        WindowScale::setFactor(WindowScale::fitting(stored, *this));
    if (Application* application = Application::sharedApplication())
        application->setKeyWindow(this);
    show();
}

void Window::closeEvent(QCloseEvent* event)
{
    Application* application = Application::sharedApplication();
    ApplicationDelegate* delegate = application ? application->delegate() : nullptr;
    if (application && delegate && !application->isTerminating() &&
        !delegate->applicationShouldTerminate(*application)) {
        event->ignore();
        return;
    }
    event->accept();
}

void Window::beginModal(QWidget* view)
{
    endModal(view);
    _modalViews.emplace_back(view);
    // The keyboard goes in at once: nothing beneath keeps it (a space would press the button
    // it was on).
    if (QWidget* focused = focusWidget(); !focused || !view->isAncestorOf(focused)) {
        view->setFocus(Qt::OtherFocusReason);
        focusNextPrevChild(true);
    }
}

void Window::endModal(QWidget* view)
{
    std::erase_if(_modalViews,
                  [view](const QPointer<QWidget>& held) { return !held || held == view; });
}

QWidget* Window::modalView() const
{
    for (auto it = _modalViews.rbegin(); it != _modalViews.rend(); ++it)
        if (*it && (*it)->isVisible())
            return *it;
    return nullptr;
}

bool Window::focusNextPrevChild(bool next)
{
    QWidget* modal = modalView();
    if (!modal)
        return QWidget::focusNextPrevChild(next);
    // The modal view's own controls, in the window's focus order.
    std::vector<QWidget*> chain;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
        if (modal->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() &&
            w->isEnabled())
            chain.push_back(w);
    if (chain.empty())
        return true;
    QWidget* focused = focusWidget();
    const auto at = std::find(chain.begin(), chain.end(), focused);
    size_t index = 0;
    if (at == chain.end())
        index = next ? 0 : chain.size() - 1;
    else
        index = (size_t(at - chain.begin()) + (next ? 1 : chain.size() - 1)) % chain.size();
    chain[index]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void Window::addSubview(QWidget* view)
{
    ViewController* controller = ViewController::controllerOfView(view);
    if (controller)
        controller->viewWillAppear(false);
    kit::addSubview(this, view);
    if (controller)
        controller->viewDidAppear(false);
}

} // namespace kit
