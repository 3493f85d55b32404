// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QSocketNotifier;

namespace kit {

// One running copy of the application per settings file. The first copy answers later
// ones; a later copy hands over (the first brings its window forward) and quits. The
// desktop's convention is followed too: the copy of the standard settings file owns the
// application's D-Bus name and answers org.freedesktop.Application's Activate, so the
// desktop may start and raise it through the bus. Between copies a local socket does the
// hand-over, so it works without a session bus: a Unix socket in the user's runtime
// folder, spoken to with the system's own calls (Qt's network module would be loaded on
// every start for this alone).
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    // applicationId: the reverse-domain name, also the D-Bus name; storePath: the settings
    // file this copy works on; busName: whether this copy takes the D-Bus name.
    SingleInstance(const QString& applicationId, const QString& storePath, bool busName);
    ~SingleInstance() override;

    // Asks a copy already running on the same settings file to come forward, and to perform
    // action (a name of letters, digits, '-' and '_'; empty for none); true when it did, and
    // this copy should quit.
    bool handOver(const QString& action = QString());
    // From now on later copies (and the desktop) are answered; activated runs for each, with
    // the action asked for (empty for none). The D-Bus name is taken once control is back in
    // the event loop, off the start's path.
    void listen(std::function<void(const QString& action)> activated);

    // The local socket's name for a settings file, and where it lies.
    static QString serverName(const QString& storePath);
    static QString socketPath(const QString& storePath);
    // Whether a running copy answers on the settings file's socket.
    static bool isAnswered(const QString& storePath);

private:
    void registerOnBus();
    void activate(const QString& action);
    void acceptCallers();
    void closeServer();

    QString _applicationId;
    QString _storePath;
    bool _busName;
    int _server = -1;
    QString _boundPath;
    QPointer<QSocketNotifier> _serverNotifier;
    std::function<void(const QString&)> _activated;
};

} // namespace kit
