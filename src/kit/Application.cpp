#include "Application.h"

#include "IdleTimer.h"
#include "Window.h"

#include <QDesktopServices>

namespace kit {
namespace {

Application* sharedInstance = nullptr;

} // namespace

Application::Application()
{
    Q_ASSERT(!sharedInstance);
    sharedInstance = this;
}

Application::~Application()
{
    if (sharedInstance == this)
        sharedInstance = nullptr;
}

Application* Application::sharedApplication()
{
    return sharedInstance;
}

Window* Application::keyWindow() const
{
    return _keyWindow.data();
}

bool Application::openURL(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

void Application::setIdleTimerDisabled(bool disabled)
{
    IdleTimer::setDisabled(disabled);
}

bool Application::isIdleTimerDisabled() const
{
    return IdleTimer::isDisabled();
}

void Application::setKeyWindow(Window* window)
{
    _keyWindow = window;
}

} // namespace kit
