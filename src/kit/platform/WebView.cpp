// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebView.h"

#include "PlatformModule.h"
#include "kit/foundation/Log.h"

#include <QCoreApplication>
#include <QOpenGLContext>
#include <QtCore/private/qcoreapplication_p.h>
#include <QtGui/private/qopenglcontext_p.h>

namespace kit {
namespace {

// The engine draws its pages with OpenGL contexts shared with the application's. Asked for
// before the application starts, Qt would make the shared context then, and on a machine
// without a graphics processor that loads the software renderer into every start (a tenth
// of a second); made here, only a start that opens a page pays for it. Where no context
// can be made, the engine draws without one.
void shareOpenGLContexts()
{
    if (qt_gl_global_share_context())
        return;
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    context->setFormat(QSurfaceFormat::defaultFormat());
    if (!context->create())
        log(QStringLiteral("No OpenGL context for the web engine: pages are drawn without one."));
    qt_gl_set_global_share_context(context);
    QObject::connect(context, &QObject::destroyed, [] { qt_gl_set_global_share_context(nullptr); });
    // Also said in the application's attributes, so the engine's views keep their scene when
    // moved to another window; set directly, as Qt's setter warns once the application runs.
    QCoreApplicationPrivate::attribs |= 1u << Qt::AA_ShareOpenGLContexts;
}

} // namespace

WebView* WebView::create(WebViewDelegate* delegate)
{
    // Before the engine's library is loaded: it checks for the shared context as it loads.
    shareOpenGLContexts();
    const auto create = reinterpret_cast<CreateWebViewFunction>(
        resolvePlatformFunction(webEngineModule, "firstaidCreateWebView"));
    return create ? create(delegate) : nullptr;
}

} // namespace kit
