// SPDX-License-Identifier: GPL-3.0-or-later
#include "UserDefaults.h"

#include "Log.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A save in progress is written here first; the process id keeps two running copies of
// the application from writing into the same file.
QString savingName(const QString& path, qint64 pid)
{
    return QStringLiteral("%1.saving-%2").arg(path).arg(pid);
}

// Writes the bytes beside the file, flushes them to the disk and renames them over it:
// an end at any moment, even a kill or a power cut, leaves the old file or the new one.
// Only the owner may read the card.
bool replaceAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    const QString temporary = savingName(path, QCoreApplication::applicationPid());
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = file.errorString();
        return false;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0) {
        *error = file.errorString().isEmpty() ? QString::fromLocal8Bit(std::strerror(errno))
                                              : file.errorString();
        file.close();
        QFile::remove(temporary);
        return false;
    }
    file.close();
    if (::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) !=
        0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temporary);
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

// Saves cut off by the end of their process leave their first half behind; nothing reads
// those, so they go. A save of a copy that still runs is left alone.
void removeAbandonedSaves(const QString& path)
{
    const QFileInfo info(path);
    const QString prefix = info.fileName() + QStringLiteral(".saving-");
    const QDir folder = info.absoluteDir();
    for (const QString& name :
         folder.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden)) {
        bool number = false;
        const qint64 pid = name.mid(prefix.size()).toLongLong(&number);
        if (!number || pid <= 0)
            continue;
        const bool running = pid != QCoreApplication::applicationPid() &&
                             (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
        if (!running)
            QFile::remove(folder.filePath(name));
    }
}

// The lock that lets one writer at a time read, change and replace the file: an advisory
// lock on the file's folder, which the system lets go when its holder ends, even by a kill.
// (A lock file would stay behind a killed holder, held until judged stale.)
class FolderLock final {
public:
    FolderLock(const QString& path, int timeoutMs)
        : _folder(::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                         O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        if (_folder < 0)
            return;
        for (int waited = 0;; waited += 5) {
            if (::flock(_folder, LOCK_EX | LOCK_NB) == 0) {
                _locked = true;
                return;
            }
            if (errno != EWOULDBLOCK || waited >= timeoutMs)
                return;
            ::usleep(5000);
        }
    }
    ~FolderLock()
    {
        if (_folder >= 0)
            ::close(_folder);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool isLocked() const { return _locked; }

private:
    int _folder;
    bool _locked = false;
};

} // namespace

UserDefaults& UserDefaults::standardUserDefaults()
{
    auto& store = sharedStore();
    if (!store)
        store = std::make_unique<UserDefaults>(sharedPath());
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

QString UserDefaults::sharedPath()
{
    return chosenPath().isEmpty() ? standardPath() : chosenPath();
}

UserDefaults::UserDefaults(QString path) : _path(std::move(path))
{
    load();
}

void UserDefaults::load()
{
    removeAbandonedSaves(_path);
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
    _texts.clear();
    _seenStamp = stamp();
}

QString UserDefaults::stamp() const
{
    // Every save renames a new file over the old one: a new inode, whatever the clock says.
    struct stat status {};
    if (::stat(QFile::encodeName(_path).constData(), &status) != 0)
        return {};
    return QStringLiteral("%1 %2 %3.%4")
        .arg(quint64(status.st_ino))
        .arg(qint64(status.st_size))
        .arg(qint64(status.st_mtim.tv_sec))
        .arg(qint64(status.st_mtim.tv_nsec));
}

std::optional<QJsonObject> UserDefaults::readFile()
{
    const QFileInfo info(_path);
    if (!info.exists())
        return QJsonObject();
    QFile file(_path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

void UserDefaults::applyChanges(QJsonObject& values) const
{
    for (const QString& key : _changed) {
        if (const auto value = _values.constFind(key); value != _values.constEnd())
            values.insert(key, *value);
        else
            values.remove(key);
    }
}

void UserDefaults::refresh()
{
    if (_readOnly || stamp() == _seenStamp)
        return;
    // Read while no other copy is halfway through its save.
    const FolderLock lock(_path, 2000);
    if (!lock.isLocked())
        return;
    std::optional<QJsonObject> current = readFile();
    if (!current)
        return;
    applyChanges(*current);
    _values = *current;
    _texts.clear();
    _seenStamp = stamp();
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
    if (const auto text = _texts.constFind(key); text != _texts.constEnd())
        return *text;
    const QJsonValue value = _values.value(key);
    if (!value.isString())
        return std::nullopt;
    // Converted once: the card reads its fields many times over, and a long value
    // costs its whole length at every conversion.
    const QString text = value.toString();
    _texts.insert(key, text);
    return text;
}

QVariant UserDefaults::objectForKey(const QString& key) const
{
    const QJsonValue value = _values.value(key);
    if (value.isString())
        return *stringForKey(key);
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
    _texts.remove(key);
    _changed.insert(key);
}

void UserDefaults::removeObjectForKey(const QString& key)
{
    if (!_values.contains(key))
        return;
    _values.remove(key);
    _texts.remove(key);
    _changed.insert(key);
}

bool UserDefaults::synchronize()
{
    if (_changed.isEmpty())
        return true;
    if (_readOnly) {
        _lastError = QStringLiteral("the unreadable file is kept as it is");
        return false;
    }
    QDir().mkpath(QFileInfo(_path).absolutePath());
    // One writer at a time reads the file, puts this store's changes on it and replaces it.
    const FolderLock lock(_path, 5000);
    if (!lock.isLocked()) {
        _lastError = QStringLiteral("another copy of the application holds the file");
        log(QStringLiteral("The settings file %1 could not be written: %2").arg(_path, _lastError));
        return false;
    }
    std::optional<QJsonObject> merged = readFile();
    if (!merged) {
        // Damaged since it was read: kept aside as at start, this store's card written whole.
        setAside(QStringLiteral("damaged while the application ran"));
        if (_readOnly) {
            _lastError = QStringLiteral("the unreadable file is kept as it is");
            return false;
        }
        merged = _values;
    }
    applyChanges(*merged);
    QString error;
    if (!replaceAtomically(_path, QJsonDocument(*merged).toJson(QJsonDocument::Indented), &error)) {
        _lastError = error;
        log(QStringLiteral("The settings file %1 could not be written: %2").arg(_path, _lastError));
        return false;
    }
    _values = *merged;
    _texts.clear();
    _seenStamp = stamp();
    _lastError.clear();
    _changed.clear();
    return true;
}

} // namespace kit
