// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <QPointer>
#include <QUrl>

namespace kit {

class Application;
class Window;

class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;
    virtual void applicationDidFinishLaunching(Application& application) = 0;
    // Asked before the window closes (its close button, Ctrl+Q): true lets it close now. To
    // ask the owner first, return false and call terminate() once the answer is to go on.
    virtual bool applicationShouldTerminate(Application&) { return true; }
    // One of the application's actions, asked for at start (--cpr), by a later start or by
    // the desktop (its entry's actions): the window is forward already.
    virtual void performAction(Application&, const QString&) {}
};

// The shared application object: its delegate and its key window. One exists
// while the application (or a test) runs.
class Application final {
public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application* sharedApplication();

    ApplicationDelegate* delegate() const { return _delegate; }
    void setDelegate(ApplicationDelegate* delegate) { _delegate = delegate; }

    Window* keyWindow() const;

    // Hands an address (mail, web) to the desktop, as the phone hands it to the platform.
    bool openURL(const QUrl& url);
    // Whether the desktop names an application for the address's scheme (a dialer for
    // tel:, a mail client for mailto:); web and file addresses always have one.
    bool canOpenURL(const QUrl& url) const;
    // Closes the key window and ends the application without asking the delegate again.
    void terminate();
    bool isTerminating() const { return _terminating; }

    // While disabled the desktop does not blank or lock the screen.
    void setIdleTimerDisabled(bool disabled);
    bool isIdleTimerDisabled() const;

private:
    friend class Window;
    void setKeyWindow(Window* window);

    ApplicationDelegate* _delegate = nullptr;
    QPointer<Window> _keyWindow;
    bool _terminating = false;
};

} // namespace kit
