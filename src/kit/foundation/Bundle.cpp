// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bundle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <memory>

namespace kit {
namespace {

std::unique_ptr<Bundle>& sharedBundle()
{
    static std::unique_ptr<Bundle> bundle;
    return bundle;
}

QString& explicitPath()
{
    static QString path;
    return path;
}

} // namespace

Bundle::Bundle(QString path) : _path(std::move(path)) {}

Bundle& Bundle::mainBundle()
{
    auto& bundle = sharedBundle();
    if (!bundle)
        bundle.reset(new Bundle(locate()));
    return *bundle;
}

void Bundle::setMainBundlePath(const QString& path)
{
    explicitPath() = path;
    sharedBundle().reset();
}

QString Bundle::locate()
{
    if (!explicitPath().isEmpty())
        return QDir(explicitPath()).absolutePath();
    const QString fromEnvironment = qEnvironmentVariable("FIRSTAID_RESOURCES");
    if (!fromEnvironment.isEmpty())
        return QDir(fromEnvironment).absolutePath();

    const QDir executableDir(QCoreApplication::applicationDirPath());
    const QString beside = executableDir.filePath(QStringLiteral("resources"));
    if (QFileInfo(beside).isDir())
        return QDir(beside).absolutePath();
    const QString installed = executableDir.filePath(QStringLiteral("../share/firstaid"));
    if (QFileInfo(installed).isDir())
        return QDir(installed).absolutePath();
    // Nothing found: resources simply turn out missing, and screens show what they
    // show for a missing resource.
    return QDir(beside).absolutePath();
}

QString Bundle::pathForResource(const QString& name, const QString& type) const
{
    const QString fileName = type.isEmpty() ? name : name + QLatin1Char('.') + type;
    const QString path = QDir(_path).filePath(fileName);
    return QFileInfo(path).isFile() ? path : QString();
}

QUrl Bundle::urlForResource(const QString& name, const QString& type) const
{
    const QString path = pathForResource(name, type);
    return path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path);
}

} // namespace kit
