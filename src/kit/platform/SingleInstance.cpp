#include "SingleInstance.h"

#include "kit/foundation/Log.h"

#include <QCryptographicHash>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusVariant>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <unistd.h>

namespace kit {
namespace {

const QByteArray request = "activate\n";
const QByteArray answer = "ok\n";

// org.freedesktop.Application on the application's object: the desktop's way to start
// and raise a D-Bus-activatable application.
class ApplicationAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    ApplicationAdaptor(QObject* parent, std::function<void()> activated)
        : QDBusAbstractAdaptor(parent), _activated(std::move(activated))
    {
    }

public Q_SLOTS:
    void Activate(const QVariantMap&) { _activated(); }
    void Open(const QStringList&, const QVariantMap&) { _activated(); }
    void ActivateAction(const QString&, const QVariantList&, const QVariantMap&) { _activated(); }

private:
    std::function<void()> _activated;
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
    if (_server)
        _server->close();
}

QString SingleInstance::serverName(const QString& storePath)
{
    const QByteArray key = QFileInfo(storePath).absoluteFilePath().toUtf8();
    const QByteArray hash =
        QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("firstaid-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

bool SingleInstance::handOver()
{
    QLocalSocket socket;
    socket.connectToServer(serverName(_storePath));
    if (!socket.waitForConnected(500))
        return false;
    socket.write(request);
    socket.flush();
    // The running copy answers once it has brought its window forward.
    return socket.waitForReadyRead(2000) && socket.readAll().startsWith(answer);
}

void SingleInstance::listen(std::function<void()> activated)
{
    _activated = std::move(activated);
    _server = new QLocalServer(this);
    _server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = serverName(_storePath);
    if (!_server->listen(name)) {
        // A socket left behind by a copy that ended without closing it.
        QLocalServer::removeServer(name);
        if (!_server->listen(name))
            log(QStringLiteral("Another start of the application cannot reach this one: %1")
                    .arg(_server->errorString()));
    }
    connect(_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = _server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                if (!socket->readAll().startsWith(request))
                    return;
                activate();
                socket->write(answer);
                socket->flush();
            });
        }
    });
    if (_busName)
        QTimer::singleShot(0, this, [this] { registerOnBus(); });
}

void SingleInstance::registerOnBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    new ApplicationAdaptor(this, [this] { activate(); });
    if (!bus.registerObject(objectPath(_applicationId), this))
        return;
    // The name is not queued for: a copy that cannot have it has handed over already.
    bus.interface()->registerService(_applicationId, QDBusConnectionInterface::DontQueueService,
                                     QDBusConnectionInterface::DontAllowReplacement);
}

void SingleInstance::activate()
{
    log(QStringLiteral("Another start of the application brought this window forward."));
    if (_activated)
        _activated();
}

} // namespace kit

#include "SingleInstance.moc"
