// SPDX-License-Identifier: GPL-3.0-or-later
#include "Window.h"

#include "Application.h"
#include "StatusStrip.h"
#include "ViewController.h"
#include "kit/views/View.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QShortcut>

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
}

Window::~Window() = default;

QRect Window::applicationFrame()
{
    return QRect(0, statusStripHeight, width, height - statusStripHeight);
}

void Window::makeKeyAndVisible()
{
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
