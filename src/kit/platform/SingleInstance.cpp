// SPDX-License-Identifier: GPL-3.0-or-later
#include "SingleInstance.h"

#include "kit/foundation/Log.h"

#include <QCryptographicHash>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kit {
namespace {

// A request is one line: "activate", or "activate " and the name of an action.
const QByteArray request = "activate";
const QByteArray answer = "ok\n";
constexpr qsizetype longestRequest = 64;

// An action's name: letters, digits, '-' and '_', as the desktop's action names.
bool isActionName(const QString& name)
{
    if (name.isEmpty() || name.size() > 40)
        return false;
    for (const QChar c : name)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('-') &&
            c != QLatin1Char('_'))
            return false;
    return true;
}

// org.freedesktop.Application on the application's object: the desktop's way to start
// and raise a D-Bus-activatable application.
class ApplicationAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    ApplicationAdaptor(QObject* parent, std::function<void(const QString&)> activated)
        : QDBusAbstractAdaptor(parent), _activated(std::move(activated))
    {
    }

public Q_SLOTS:
    void Activate(const QVariantMap&) { _activated(QString()); }
    void Open(const QStringList&, const QVariantMap&) { _activated(QString()); }
    // An action the application does not know still brings the window forward.
    void ActivateAction(const QString& name, const QVariantList&, const QVariantMap&)
    {
        _activated(isActionName(name) ? name : QString());
    }

private:
    std::function<void(const QString&)> _activated;
};

// A socket address for path; false when the path is too long for one.
bool socketAddress(const QString& path, sockaddr_un& address)
{
    const QByteArray encoded = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (encoded.isEmpty() || size_t(encoded.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
    return true;
}

// A connected socket to path, or -1.
int connectTo(const QString& path)
{
    sockaddr_un address;
    if (!socketAddress(path, address))
        return -1;
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return -1;
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(socket);
        return -1;
    }
    return socket;
}

// Waits up to timeoutMs for socket to have something to read.
bool readable(int socket, int timeoutMs)
{
    pollfd watched{socket, POLLIN, 0};
    int ready = 0;
    do
        ready = ::poll(&watched, 1, timeoutMs);
    while (ready < 0 && errno == EINTR);
    return ready > 0;
}

bool writeAll(int socket, const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t sent = ::send(socket, bytes.constData() + written,
                                    size_t(bytes.size() - written), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        written += sent;
    }
    return true;
}

// One later copy's request, read as it comes; the caller is answered once it is whole.
class Caller final : public QObject {
public:
    Caller(int socket, QObject* parent, std::function<void(const QString&)> activate)
        : QObject(parent), _socket(socket), _activate(std::move(activate)),
          _notifier(new QSocketNotifier(qintptr(socket), QSocketNotifier::Read, this))
    {
        connect(_notifier, &QSocketNotifier::activated, this, &Caller::read);
    }
    ~Caller() override { ::close(_socket); }

private:
    void read()
    {
        char buffer[64];
        const ssize_t got = ::recv(_socket, buffer, sizeof buffer, 0);
        if (got < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (got > 0)
            _received.append(buffer, qsizetype(got));
        const qsizetype end = _received.indexOf('\n');
        if (end < 0 && got > 0 && _received.size() < longestRequest)
            return; // the rest of the line is on its way
        if (end >= 0) {
            const QByteArray line = _received.left(end);
            const QString action = QString::fromUtf8(line.mid(request.size() + 1));
            if (line == request || (line.startsWith(request + ' ') && isActionName(action))) {
                _notifier->setEnabled(false);
                _activate(line == request ? QString() : action);
                writeAll(_socket, answer);
            }
        }
        // Answered, closed by the caller, or not a request at all.
        _notifier->setEnabled(false);
        deleteLater();
    }

    int _socket;
    std::function<void(const QString&)> _activate;
    QSocketNotifier* _notifier;
    QByteArray _received;
};

// The object path of an application id: "ru.tkl_apps.FirstAid" is "/ru/tkl_apps/FirstAid".
QString objectPath(const QString& applicationId)
{
    QString path = QLatin1Char('/') + applicationId;
    path.replace(QLatin1Char('.'), QLatin1Char('/')).replace(QLatin1Char('-'), QLatin1Char('_'));
    return path;
}

} // namespace

SingleInstance::SingleInstance(const QString& applicationId, const QString& storePath, bool busName)
    : _applicationId(applicationId), _storePath(QFileInfo(storePath).absoluteFilePath()),
      _busName(busName)
{
}

SingleInstance::~SingleInstance()
{
    closeServer();
}

void SingleInstance::closeServer()
{
    delete _serverNotifier.data();
    if (_server >= 0)
        ::close(_server);
    _server = -1;
    if (!_boundPath.isEmpty())
        ::unlink(QFile::encodeName(_boundPath).constData());
    _boundPath.clear();
}

QString SingleInstance::serverName(const QString& storePath)
{
    const QByteArray key = QFileInfo(storePath).absoluteFilePath().toUtf8();
    const QByteArray hash =
        QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("firstaid-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

QString SingleInstance::socketPath(const QString& storePath)
{
    // The runtime folder is the user's own; without one, a folder of the user's own in /tmp.
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::temp().filePath(QStringLiteral("firstaid-%1").arg(::getuid()));
        ::mkdir(QFile::encodeName(folder).constData(), 0700);
    }
    return QDir(folder).filePath(serverName(storePath));
}

bool SingleInstance::isAnswered(const QString& storePath)
{
    const int socket = connectTo(socketPath(storePath));
    if (socket < 0)
        return false;
    ::close(socket);
    return true;
}

bool SingleInstance::handOver(const QString& action)
{
    if (!action.isEmpty() && !isActionName(action))
        return false;
    const int socket = connectTo(socketPath(_storePath));
    if (socket < 0)
        return false;
    QByteArray reply;
    // The running copy answers once it has brought its window forward.
    const QByteArray line = (action.isEmpty() ? request : request + ' ' + action.toUtf8()) + '\n';
    if (writeAll(socket, line) && readable(socket, 2000)) {
        char buffer[16];
        const ssize_t got = ::recv(socket, buffer, sizeof buffer, 0);
        if (got > 0)
            reply = QByteArray(buffer, qsizetype(got));
    }
    ::close(socket);
    return reply.startsWith(answer);
}

void SingleInstance::acceptCallers()
{
    for (;;) {
        const int caller = ::accept4(_server, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (caller < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        new Caller(caller, this, [this](const QString& action) { activate(action); });
    }
}

void SingleInstance::listen(std::function<void(const QString&)> activated)
{
    _activated = std::move(activated);
    closeServer();
    const QString path = socketPath(_storePath);
    sockaddr_un address;
    const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const auto bound = [&] {
        const mode_t mask = ::umask(0077);
        const bool done =
            ::bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        ::umask(mask);
        return done;
    };
    bool listening = server >= 0 && socketAddress(path, address);
    if (listening && !bound()) {
        // A socket left behind by a copy that ended without closing it is taken over; one
        // that still answers is another copy's, and stays.
        listening = errno == EADDRINUSE && !isAnswered(_storePath) &&
                    ::unlink(QFile::encodeName(path).constData()) == 0 && bound();
    }
    listening = listening && ::listen(server, 8) == 0;
    if (!listening) {
        log(QStringLiteral("Another start of the application cannot reach this one: %1")
                .arg(QString::fromLocal8Bit(std::strerror(errno))));
        if (server >= 0)
            ::close(server);
    } else {
        _server = server;
        _boundPath = path;
        _serverNotifier = new QSocketNotifier(qintptr(server), QSocketNotifier::Read, this);
        connect(_serverNotifier, &QSocketNotifier::activated, this, &SingleInstance::acceptCallers);
    }
    if (_busName)
        QTimer::singleShot(0, this, [this] { registerOnBus(); });
}

void SingleInstance::registerOnBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    new ApplicationAdaptor(this, [this](const QString& action) { activate(action); });
    if (!bus.registerObject(objectPath(_applicationId), this))
        return;
    // The name is not queued for: a copy that cannot have it has handed over already.
    bus.interface()->registerService(_applicationId, QDBusConnectionInterface::DontQueueService,
                                     QDBusConnectionInterface::DontAllowReplacement);
}

void SingleInstance::activate(const QString& action)
{
    log(QStringLiteral("Another start of the application brought this window forward."));
    if (_activated)
        _activated(action);
}

} // namespace kit

#include "SingleInstance.moc"
