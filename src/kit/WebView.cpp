#include "WebView.h"

#include "Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace kit {
namespace {

const char moduleFileName[] = "libfirstaid_webengine.so";

// Where the engine module may be: named by FIRSTAID_WEB_MODULE, beside the
// executable, in the installed library folder, or one folder up (the tests').
QStringList candidates()
{
    QStringList paths;
    const QString named = qEnvironmentVariable("FIRSTAID_WEB_MODULE");
    if (!named.isEmpty())
        paths << named;
    const QDir here(QCoreApplication::applicationDirPath());
    const QString file = QString::fromLatin1(moduleFileName);
    paths << here.filePath(file) << here.filePath(QStringLiteral("../lib/firstaid/") + file)
          << here.filePath(QStringLiteral("../") + file);
    return paths;
}

CreateWebViewFunction loadModule()
{
    static bool tried = false;
    static CreateWebViewFunction create = nullptr;
    if (tried)
        return create;
    tried = true;
    for (const QString& path : candidates()) {
        if (!QFileInfo(path).isFile())
            continue;
        // The module stays loaded for the rest of the run.
        auto* library = new QLibrary(path);
        create = reinterpret_cast<CreateWebViewFunction>(library->resolve("firstaidCreateWebView"));
        if (create)
            return create;
        log(QStringLiteral("The web engine module %1 could not be loaded: %2").arg(path, library->errorString()));
        delete library;
    }
    log(QStringLiteral("No web engine module was found; pages stay empty."));
    return nullptr;
}

} // namespace

WebView* WebView::create(Handlers handlers)
{
    // The engine needs the application's OpenGL contexts shared, which can only be asked for
    // before the application object exists; without it the engine would crash on first use.
    if (!QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts)) {
        static bool logged = false;
        if (!logged)
            log(QStringLiteral("The web engine needs Qt::AA_ShareOpenGLContexts set before the application starts; "
                               "pages stay empty."));
        logged = true;
        return nullptr;
    }
    CreateWebViewFunction create = loadModule();
    return create ? create(&handlers) : nullptr;
}

} // namespace kit
