#include "WebController.h"

#include "FontScript.h"
#include "app/KavelAppDelegate.h"
#include "kit/Log.h"
#include "kit/NavigationController.h"
#include "kit/Window.h"

#include <QChildEvent>
#include <QPointer>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

// Hands every navigation request to the viewer's link rule.
class WebPage final : public QWebEnginePage {
public:
    WebPage(WebController* controller, QObject* parent) : QWebEnginePage(parent), _controller(controller)
    {
        // A page that cannot be loaded leaves the view empty, with no browser error page.
        settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool) override
    {
        return !_controller || _controller->shouldStartLoadWithRequest(url, type);
    }

private:
    QPointer<WebController> _controller;
};

} // namespace

WebController::WebController(const QUrl& url) : _url(url)
{
    // Loading the view starts loading the page.
    view();
}

WebController::~WebController() = default;

void WebController::loadView()
{
    _webView = new QWebEngineView();
    _webView->setObjectName(QStringLiteral("webView"));
    _webView->setPage(new WebPage(this, _webView));
    _webView->resize(kit::Window::applicationFrame().size());
    _webView->installEventFilter(this);
    connect(_webView, &QWebEngineView::loadFinished, this, [this](bool ok) {
        // A refused request or a page that failed reports a failed load: nothing was loaded to style.
        if (ok)
            webViewDidFinishLoad();
    });
    setView(_webView);
}

void WebController::viewDidLoad()
{
    _webView->load(_url);
}

bool WebController::shouldStartLoadWithRequest(const QUrl& url, QWebEnginePage::NavigationType)
{
    if (_type != 2 || !_started) {
        _started = true;
        return true;
    }
    auto viewer = std::make_unique<WebController>(url);
    _anotherWeb = viewer.get();
    KavelAppDelegate* delegate = KavelAppDelegate::shared();
    viewer->setFontSize((delegate ? delegate->defaultArticleZoom() : 1.0f) * 15.0f);
    if (kit::NavigationController* navigation = navigationController())
        navigation->pushViewController(std::move(viewer), true);
    return false;
}

void WebController::webViewDidFinishLoad()
{
    QPointer<WebController> self(this);
    _webView->page()->runJavaScript(viewer::fontScript(_fontSize), [self](const QVariant&) {
        if (self)
            emit self->pageStyled();
    });
}

void WebController::touchesBegan()
{
    kit::log(QStringLiteral("HERE"));
}

bool WebController::eventFilter(QObject* watched, QEvent* event)
{
    // The page is drawn by a child the web view makes for itself; watch it as well.
    if (event->type() == QEvent::ChildAdded) {
        if (QObject* child = static_cast<QChildEvent*>(event)->child(); child && child->isWidgetType())
            child->installEventFilter(this);
    } else if (event->type() == QEvent::MouseButtonPress && watched != _webView) {
        touchesBegan();
    }
    return false;
}
