// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"

#include "Window.h"
#include "kit/platform/IdleTimer.h"
#include "kit/views/FocusRing.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

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

bool Application::canOpenURL(const QUrl& url) const
{
    const QString scheme = url.scheme().toLower();
    if (scheme.isEmpty())
        return false;
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("file"))
        return true;
    // The desktop's own record of default handlers, the one its opener follows.
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty())
        return false;
    QProcess process;
    process.start(query, {QStringLiteral("query"), QStringLiteral("default"),
                          QStringLiteral("x-scheme-handler/") + scheme});
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 &&
           !process.readAllStandardOutput().trimmed().isEmpty();
}

void Application::terminate()
{
    _terminating = true;
    if (_keyWindow)
        _keyWindow->close();
    QCoreApplication::quit();
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
