#include "Application.h"

#include "Window.h"
#include "kit/platform/IdleTimer.h"
#include "kit/views/FocusRing.h"

#include <QDesktopServices>
#include <QProcess>

namespace kit {
namespace {

Application* sharedInstance = nullptr;

} // namespace

Application::Application()
{
    Q_ASSERT(!sharedInstance);
    sharedInstance = this;
    FocusRing::install();
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
    if (QDesktopServices::openUrl(url))
        return true;
    // A platform without desktop services of its own (offscreen, minimal) still has the
    // desktop's opener, which is what those services call too.
    return QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString(QUrl::FullyEncoded)});
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
