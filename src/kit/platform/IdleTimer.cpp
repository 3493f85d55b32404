// SPDX-License-Identifier: GPL-3.0-or-later
#include "IdleTimer.h"

#include "kit/foundation/Log.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <optional>

namespace kit {
namespace {

const QString service = QStringLiteral("org.freedesktop.ScreenSaver");
const QString path = QStringLiteral("/org/freedesktop/ScreenSaver");

// The inhibition in force: asked for, answered with a cookie, released.
struct Inhibition {
    bool wanted = false;
    bool pending = false;
    std::optional<quint32> cookie;
};

Inhibition& state()
{
    static Inhibition inhibition;
    return inhibition;
}

bool busAvailable()
{
    if (QDBusConnection::sessionBus().isConnected())
        return true;
    static bool logged = false;
    if (!logged)
        log(QStringLiteral("No session bus: the screen saver cannot be held off."));
    logged = true;
    return false;
}

void release(quint32 cookie)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, service, QStringLiteral("UnInhibit"));
    call << cookie;
    QDBusConnection::sessionBus().asyncCall(call);
}

void inhibit()
{
    Inhibition& inhibition = state();
    if (inhibition.pending || inhibition.cookie)
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, service, QStringLiteral("Inhibit"));
    call << QStringLiteral("firstaid") << QStringLiteral("Экстренная карта на экране");
    inhibition.pending = true;
    // Asked without waiting, so the emergency card never stalls on the bus.
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished,
                     [](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         Inhibition& current = state();
                         current.pending = false;
                         const QDBusPendingReply<quint32> reply = *finished;
                         if (reply.isError()) {
                             log(QStringLiteral("The screen saver could not be held off: %1")
                                     .arg(reply.error().message()));
                             return;
                         }
                         // Released while the answer was on its way: give it back at once.
                         if (!current.wanted) {
                             release(reply.value());
                             return;
                         }
                         current.cookie = reply.value();
                     });
}

} // namespace

void IdleTimer::setDisabled(bool disabled)
{
    Inhibition& inhibition = state();
    inhibition.wanted = disabled;
    if (!busAvailable())
        return;
    if (disabled) {
        inhibit();
    } else if (inhibition.cookie) {
        release(*inhibition.cookie);
        inhibition.cookie.reset();
    }
}

bool IdleTimer::isDisabled()
{
    return state().wanted;
}

} // namespace kit
