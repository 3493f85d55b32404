// The web view on Qt WebEngine, built as a module of its own and loaded on the
// first use of a web view.

#include "kit/platform/WebView.h"

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
    EnginePage(const kit::WebView::Handlers& handlers, QObject* parent)
        : QWebEnginePage(parent), _handlers(handlers)
    {
        // A page that cannot be loaded leaves the view empty, with no browser error page.
        settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool) override
    {
        return !_handlers.shouldStartLoad || _handlers.shouldStartLoad(url, navigationType(type));
    }

private:
    const kit::WebView::Handlers& _handlers;
};

class EngineView final : public QWebEngineView, public kit::WebView {
public:
    explicit EngineView(kit::WebView::Handlers handlers) : _handlers(std::move(handlers))
    {
        setObjectName(QStringLiteral("webView"));
        setPage(new EnginePage(_handlers, this));
        installEventFilter(this);
        connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
            if (_handlers.didFinishLoad)
                _handlers.didFinishLoad(ok);
        });
    }

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
        } else if (event->type() == QEvent::MouseButtonPress && watched != this &&
                   _handlers.touched) {
            _handlers.touched();
        }
        return false;
    }

private:
    kit::WebView::Handlers _handlers;
};

} // namespace

extern "C" Q_DECL_EXPORT kit::WebView* firstaidCreateWebView(kit::WebView::Handlers* handlers)
{
    return new EngineView(std::move(*handlers));
}
