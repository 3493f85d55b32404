// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

namespace kit {

// The application's resource directory, read at run time.
class Bundle final {
public:
    static Bundle& mainBundle();
    // Chooses the directory explicitly (command line); empty goes back to the search.
    static void setMainBundlePath(const QString& path);

    QString bundlePath() const { return _path; }
    // The full path of "name.type" when that file exists, otherwise empty.
    QString pathForResource(const QString& name, const QString& type) const;
    QUrl urlForResource(const QString& name, const QString& type) const;

private:
    explicit Bundle(QString path);
    static QString locate();

    QString _path;
};

} // namespace kit
