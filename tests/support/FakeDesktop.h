// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// Stands in for the desktop's own tools on PATH while it exists: xdg-mime names a
// default application for the schemes given and for no other, and xdg-open and
// xdg-email write down each address they are asked to open, one per line.
class FakeDesktop final {
public:
    explicit FakeDesktop(const QStringList& handledSchemes) : _path(qgetenv("PATH"))
    {
        QString cases;
        for (const QString& scheme : handledSchemes)
            cases +=
                QStringLiteral("  x-scheme-handler/%1) echo %1-handler.desktop ;;\n").arg(scheme);
        write(QStringLiteral("xdg-mime"),
              QStringLiteral("#!/bin/sh\ncase \"$3\" in\n%1  *) ;;\nesac\n").arg(cases));
        const QString opener =
            QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" >> '%1'\n").arg(recordPath());
        write(QStringLiteral("xdg-open"), opener);
        write(QStringLiteral("xdg-email"), opener);
        qputenv("PATH", QFile::encodeName(_bin.path()) + ':' + _path);
    }
    ~FakeDesktop() { qputenv("PATH", _path); }
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

    QString recordPath() const { return _bin.filePath(QStringLiteral("opened.txt")); }
    QStringList opened() const
    {
        QFile file(recordPath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    void write(const QString& name, const QString& script)
    {
        QFile file(_bin.filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write(script.toUtf8());
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner);
    }

    QTemporaryDir _bin;
    QByteArray _path;
};
