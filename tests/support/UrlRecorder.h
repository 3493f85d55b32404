// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QUrl>

// Takes the addresses the application hands to the desktop for some schemes,
// instead of the desktop, while it exists.
class UrlRecorder final : public QObject {
    Q_OBJECT

public:
    explicit UrlRecorder(const QStringList& schemes) : _schemes(schemes)
    {
        for (const QString& scheme : _schemes)
            QDesktopServices::setUrlHandler(scheme, this, "handle");
    }
    ~UrlRecorder() override
    {
        for (const QString& scheme : _schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> urls;

public slots:
    void handle(const QUrl& url) { urls.append(url); }

private:
    QStringList _schemes;
};
