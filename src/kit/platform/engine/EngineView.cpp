// SPDX-License-Identifier: GPL-3.0-or-later
// The web view on Qt WebEngine, built as a module of its own and loaded on the
// first use of a web view.

#include "kit/platform/WebView.h"

#include <QAccessible>
#include <QChildEvent>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <functional>

namespace {

kit::NavigationType navigationType(QWebEnginePage::NavigationType type)
{
    switch (type) {
    case QWebEnginePage::NavigationTypeLinkClicked:
        return kit::NavigationType::LinkClicked;
    case QWebEnginePage::NavigationTypeTyped:
        return kit::NavigationType::Typed;
    case QWebEnginePage::NavigationTypeFormSubmitted:
        return kit::NavigationType::FormSubmitted;
    case QWebEnginePage::NavigationTypeBackForward:
        return kit::NavigationType::BackForward;
    case QWebEnginePage::NavigationTypeReload:
        return kit::NavigationType::Reload;
    case QWebEnginePage::NavigationTypeRedirect:
        return kit::NavigationType::Redirect;
    default:
        return kit::NavigationType::Other;
    }
}

class EnginePage final : public QWebEnginePage {
public:
    EnginePage(kit::WebView& view, QObject* parent) : QWebEnginePage(parent), _view(view)
    {
        // A page that cannot be loaded leaves the view empty, with no browser error page.
        settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool) override;

private:
    kit::WebView& _view;
};

class EngineView final : public QWebEngineView, public kit::WebView {
public:
    explicit EngineView(kit::WebViewDelegate* delegate) : _delegate(delegate)
    {
        setObjectName(QStringLiteral("webView"));
        setPage(new EnginePage(*this, this));
        installEventFilter(this);
        connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
            if (_delegate)
                _delegate->webViewDidFinishLoad(*this, ok);
        });
    }

    kit::WebViewDelegate* delegate() const { return _delegate; }
    void setDelegate(kit::WebViewDelegate* delegate) override { _delegate = delegate; }
    QWidget* widget() override { return this; }
    void loadRequest(const QUrl& url) override { load(url); }
    QUrl url() const override { return QWebEngineView::url(); }

    void evaluateJavaScript(const QString& script,
                            std::function<void(const QVariant&)> done) override
    {
        if (done)
            page()->runJavaScript(script, std::move(done));
        else
            page()->runJavaScript(script);
    }

    void findText(const QString& text, std::function<void(int)> done) override
    {
        page()->findText(text, {},
                         [done = std::move(done)](const QWebEngineFindTextResult& result) {
                             if (done)
                                 done(result.numberOfMatches());
                         });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The page is drawn by a child the view makes for itself; watch that too.
        if (event->type() == QEvent::ChildAdded) {
            if (QObject* child = static_cast<QChildEvent*>(event)->child();
                child && child->isWidgetType())
                child->installEventFilter(this);
        } else if (event->type() == QEvent::MouseButtonPress && watched != this && _delegate) {
            _delegate->touchesBegan(*this);
        }
        return false;
    }

private:
    kit::WebViewDelegate* _delegate;
};

bool EnginePage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool)
{
    kit::WebViewDelegate* delegate = static_cast<EngineView&>(_view).delegate();
    return !delegate || delegate->shouldStartLoadWithRequest(_view, url, navigationType(type));
}

} // namespace

extern "C" Q_DECL_EXPORT kit::WebView* firstaidCreateWebView(kit::WebViewDelegate* delegate)
{
    // Where a screen reader listens, the pages' own text and links are read out too: the
    // engine builds their tree for it only when asked before it starts.
    static const bool reading = [] {
        if (QAccessible::isActive()) {
            QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
            if (!flags.contains("--force-renderer-accessibility"))
                qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                        (flags + " --force-renderer-accessibility").trimmed());
        }
        return true;
    }();
    Q_UNUSED(reading);
    return new EngineView(delegate);
}
