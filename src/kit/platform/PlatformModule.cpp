// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlatformModule.h"

#include "kit/foundation/Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>

namespace kit {

QFunctionPointer resolvePlatformFunction(const PlatformModule& module, const char* function)
{
    static QHash<QByteArray, QFunctionPointer> resolved;
    const QByteArray key = QByteArray(module.file) + '/' + function;
    if (auto found = resolved.constFind(key); found != resolved.constEnd())
        return *found;

    QStringList paths;
    const QString named = qEnvironmentVariable(module.environmentVariable);
    if (!named.isEmpty())
        paths << named;
    const QDir here(QCoreApplication::applicationDirPath());
    const QString file = QString::fromLatin1(module.file);
    paths << here.filePath(file) << here.filePath(QStringLiteral("../lib/firstaid/") + file)
          << here.filePath(QStringLiteral("../") + file);

    QFunctionPointer pointer = nullptr;
    for (const QString& path : std::as_const(paths)) {
        if (!QFileInfo(path).isFile())
            continue;
        // The module stays loaded for the rest of the run, its library object kept (never
        // destroyed, as unloading at exit could pull code from under late destructors).
        static auto* loaded = new QList<QLibrary*>();
        auto* library = new QLibrary(path);
        pointer = library->resolve(function);
        if (pointer) {
            loaded->append(library);
            break;
        }
        log(QStringLiteral("The module %1 could not be loaded: %2")
                .arg(path, library->errorString()));
        delete library;
    }
    if (!pointer)
        log(QStringLiteral("The module %1 was not found; what it provides is missing.").arg(file));
    resolved.insert(key, pointer);
    return pointer;
}

} // namespace kit
