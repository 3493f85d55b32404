// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QSet>
#include <QString>
#include <QVariant>

#include <optional>

namespace kit {

// The persistent key-value store. Values are strings or data. The store is a
// JSON document; synchronize() replaces the file atomically. A file that cannot
// be read is moved aside (never deleted) and the store starts empty.
//
// Several copies of the application may write one file: a save writes only the keys
// this store changed (set or removed) onto the file's content as it is at that moment,
// under a lock on the file's folder, so no copy undoes another's changes; the last save of
// a key wins. refresh() takes in what other copies saved since.
class UserDefaults final {
public:
    // The shared store, on the path chosen at start-up (or the standard one).
    static UserDefaults& standardUserDefaults();
    // Chooses the file of the shared store (command line, environment, tests);
    // an empty path goes back to the standard location. Drops the current shared store.
    static void setStandardPath(const QString& path);
    // FIRSTAID_DEFAULTS when set, otherwise defaults.json in the user's configuration folder.
    static QString standardPath();
    // The file the shared store uses (or will use), without reading it.
    static QString sharedPath();

    explicit UserDefaults(QString path);
    UserDefaults(const UserDefaults&) = delete;
    UserDefaults& operator=(const UserDefaults&) = delete;

    std::optional<QString> stringForKey(const QString& key) const;
    // A QString or a QByteArray, or an invalid QVariant when the key is absent.
    QVariant objectForKey(const QString& key) const;
    // Accepts a QString or a QByteArray; anything else is stored as its string form.
    void setObject(const QVariant& value, const QString& key);
    void removeObjectForKey(const QString& key);
    // Writes pending changes; false when they could not be written (they stay pending).
    bool synchronize();
    // Reads the file again when another writer has changed it since this store last read or
    // wrote it; this store's pending changes stay on top.
    void refresh();

    QString path() const { return _path; }
    // Where an unreadable file was moved at load, or empty.
    QString setAsidePath() const { return _setAsidePath; }
    // The file could not be read and could not be moved aside: it is left as it is and
    // nothing is written over it.
    bool isReadOnly() const { return _readOnly; }
    // Why the last synchronize failed; empty after one that succeeded.
    QString lastError() const { return _lastError; }

private:
    void load();
    void setAside(const QString& reason);
    // The file's values now: absent is empty; nullopt when it exists but cannot be read.
    std::optional<QJsonObject> readFile();
    // What identifies the file's content as last read or written here.
    QString stamp() const;
    void applyChanges(QJsonObject& values) const;

    QString _path;
    QString _setAsidePath;
    QString _lastError;
    QJsonObject _values;
    // Text values of _values as read so far.
    mutable QHash<QString, QString> _texts;
    // Keys set or removed since the last save.
    QSet<QString> _changed;
    QString _seenStamp;
    // The damaged file could not be moved away: writing would destroy it.
    bool _readOnly = false;
};

} // namespace kit
