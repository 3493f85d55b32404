// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebView.h"

#include "PlatformModule.h"
#include "kit/foundation/Log.h"

#include <QCoreApplication>

namespace kit {

WebView* WebView::create(WebViewDelegate* delegate)
{
    // The engine needs the application's OpenGL contexts shared, which can only be asked for
    // before the application object exists; without it the engine would crash on first use.
    if (!QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts)) {
        static bool logged = false;
        if (!logged)
            log(QStringLiteral("The web engine needs Qt::AA_ShareOpenGLContexts set before the "
                               "application starts; "
                               "pages stay empty."));
        logged = true;
        return nullptr;
    }
    const auto create = reinterpret_cast<CreateWebViewFunction>(
        resolvePlatformFunction(webEngineModule, "firstaidCreateWebView"));
    return create ? create(delegate) : nullptr;
}

} // namespace kit
