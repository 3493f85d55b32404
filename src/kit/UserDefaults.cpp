#include "UserDefaults.h"

#include "Log.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStandardPaths>

#include <memory>

namespace kit {
namespace {

// Data values are kept as {"data": "<base64>"} so strings and bytes never mix.
const QString dataTag = QStringLiteral("data");

std::unique_ptr<UserDefaults>& sharedStore()
{
    static std::unique_ptr<UserDefaults> store;
    return store;
}

QString& chosenPath()
{
    static QString path;
    return path;
}

QString freeSetAsideName(const QString& path)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString candidate = QStringLiteral("%1.unreadable-%2").arg(path, stamp);
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = QStringLiteral("%1.unreadable-%2-%3").arg(path, stamp).arg(n);
    return candidate;
}

} // namespace

UserDefaults& UserDefaults::standardUserDefaults()
{
    auto& store = sharedStore();
    if (!store)
        store = std::make_unique<UserDefaults>(chosenPath().isEmpty() ? standardPath() : chosenPath());
    return *store;
}

void UserDefaults::setStandardPath(const QString& path)
{
    chosenPath() = path;
    sharedStore().reset();
}

QString UserDefaults::standardPath()
{
    const QString fromEnvironment = qEnvironmentVariable("FIRSTAID_DEFAULTS");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(QStringLiteral("firstaid/defaults.json"));
}

UserDefaults::UserDefaults(QString path) : _path(std::move(path))
{
    load();
}

void UserDefaults::load()
{
    const QFileInfo info(_path);
    if (!info.exists())
        return;
    QFile file(_path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        setAside(file.errorString());
        return;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    file.close();
    if (error.error != QJsonParseError::NoError) {
        setAside(error.errorString());
        return;
    }
    if (!document.isObject()) {
        setAside(QStringLiteral("not a JSON object"));
        return;
    }
    _values = document.object();
}

void UserDefaults::setAside(const QString& reason)
{
    const QString target = freeSetAsideName(_path);
    if (QFile::rename(_path, target) || QFile::copy(_path, target)) {
        _setAsidePath = target;
        log(QStringLiteral("The settings file %1 could not be read (%2); it was kept as %3 and "
                           "the application goes on with an empty store.")
                .arg(_path, reason, target));
        return;
    }
    _readOnly = true;
    log(QStringLiteral("The settings file %1 could not be read (%2) nor kept aside; it is left "
                       "untouched and changes will not be saved.")
            .arg(_path, reason));
}

std::optional<QString> UserDefaults::stringForKey(const QString& key) const
{
    const QJsonValue value = _values.value(key);
    if (value.isString())
        return value.toString();
    return std::nullopt;
}

QVariant UserDefaults::objectForKey(const QString& key) const
{
    const QJsonValue value = _values.value(key);
    if (value.isString())
        return value.toString();
    if (value.isObject()) {
        const QJsonValue data = value.toObject().value(dataTag);
        if (data.isString()) {
            auto decoded = QByteArray::fromBase64Encoding(data.toString().toLatin1(),
                                                         QByteArray::AbortOnBase64DecodingErrors);
            if (decoded)
                return *decoded;
        }
    }
    return {};
}

void UserDefaults::setObject(const QVariant& value, const QString& key)
{
    QJsonValue stored;
    if (value.typeId() == QMetaType::QByteArray)
        stored = QJsonObject{{dataTag, QString::fromLatin1(value.toByteArray().toBase64())}};
    else
        stored = value.toString();
    if (_values.value(key) == stored)
        return;
    _values.insert(key, stored);
    _dirty = true;
}

void UserDefaults::removeObjectForKey(const QString& key)
{
    if (!_values.contains(key))
        return;
    _values.remove(key);
    _dirty = true;
}

bool UserDefaults::synchronize()
{
    if (!_dirty)
        return true;
    if (_readOnly)
        return false;
    QDir().mkpath(QFileInfo(_path).absolutePath());
    QSaveFile file(_path);
    if (!file.open(QIODevice::WriteOnly)) {
        log(QStringLiteral("The settings file %1 could not be written: %2").arg(_path, file.errorString()));
        return false;
    }
    file.write(QJsonDocument(_values).toJson(QJsonDocument::Indented));
    if (!file.commit()) {
        log(QStringLiteral("The settings file %1 could not be written: %2").arg(_path, file.errorString()));
        return false;
    }
    _dirty = false;
    return true;
}

} // namespace kit
