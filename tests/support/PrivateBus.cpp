// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivateBus.h"

#include <cstdio>

PrivateBus::PrivateBus(Kind kind)
{
    // A session bus's rules suit a private bus of either kind: anyone on it may own a name.
    _daemon.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"),
                   QStringLiteral("--print-address=1")});
    if (!_daemon.waitForStarted(10000) || !_daemon.waitForReadyRead(10000)) {
        std::fprintf(stderr, "dbus-daemon could not be started\n");
        return;
    }
    _address = QString::fromUtf8(_daemon.readLine().trimmed());
    qputenv(kind == Session ? "DBUS_SESSION_BUS_ADDRESS" : "DBUS_SYSTEM_BUS_ADDRESS",
            _address.toUtf8());
}

PrivateBus::~PrivateBus()
{
    _daemon.kill();
    _daemon.waitForFinished();
}
