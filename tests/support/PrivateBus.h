// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>

// A D-Bus daemon of the test's own, made before anything in the process looks for a bus:
// its address is put where the process looks for the session bus or for the system bus,
// so the desktop's real services never take part in a test.
class PrivateBus final {
public:
    enum Kind { Session, System };

    explicit PrivateBus(Kind kind = Session);
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // False when no daemon could be started (said on standard error).
    bool isRunning() const { return !_address.isEmpty(); }
    QString address() const { return _address; }

private:
    QProcess _daemon;
    QString _address;
};
