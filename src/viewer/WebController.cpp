// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebController.h"

#include "AddressScreen.h"
#include "HelpBand.h"
#include "ReadingZoom.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/views/View.h"

#include "kit/controllers/NavigationController.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Log.h"

#include <QFileInfo>

#include <memory>

namespace viewer {

WebController::WebController(const QUrl& url) : _url(url)
{
    // Loading the view starts loading the page.
    view();
}

WebController::~WebController()
{
    // The page answers its pending scripts as it goes: that must find this controller
    // whole, and nobody listening.
    blockSignals(true);
    if (webView())
        _webView->setDelegate(nullptr);
    delete _webViewWidget.data();
}

void WebController::loadView()
{
    _webView = kit::WebView::create(this);
    QWidget* view = _webView ? _webView->widget() : new QWidget();
    _webViewWidget = _webView ? view : nullptr;
    view->resize(kit::Window::applicationFrame().size());
    setView(view);
}

void WebController::viewDidLoad()
{
    if (webView())
        _webView->loadRequest(_url);
}

bool WebController::shouldStartLoadWithRequest(kit::WebView&, const QUrl& url, kit::NavigationType)
{
    // A number or a mail address is no page: it goes to the desktop's dialler or mail
    // client, or is shown to be dialled from a phone.
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("tel") || scheme == QLatin1String("mailto")) {
        openAddress(url, this);
        return false;
    }
    // The application's own links open its help, not a page.
    if (isHelpLink(url)) {
        openHelp(url.path());
        return false;
    }
    if (_linkMode != LinkMode::OpensViewer || !_started) {
        _started = true;
        return true;
    }
    auto nested = std::make_unique<WebController>(url);
    _openedViewer = nested.get();
    nested->setFontSize(articleFontSize());
    if (kit::NavigationController* navigation = navigationController())
        navigation->pushViewController(std::move(nested), true);
    return false;
}

void WebController::webViewDidFinishLoad(kit::WebView&, bool ok)
{
    // A refused request or a page that failed reports a failed load: nothing was loaded to
    // style.
    if (ok)
        styleLoadedPage();
    emit loadEnded(ok);
}

void WebController::styleLoadedPage()
{
    if (!webView())
        return;
    const QPointer<WebController> self(this);
    QString script = fontScript(_fontSize);
    // The page now shown: a link followed in place may have led away from the first.
    const QUrl shown = _webView->url().isEmpty() ? _url : _webView->url();
    if (_showsPracticeLink && shown.isLocalFile()) {
        const QString topic = practiceTopicOf(QFileInfo(shown.toLocalFile()).fileName());
        if (!topic.isEmpty())
            script += practiceLinkScript(topic);
    }
    _webView->evaluateJavaScript(script, [self](const QVariant&) {
        if (!self)
            return;
        emit self->pageStyled();
        // Found after the text has its size, so the match is scrolled to where it now lies.
        if (!self->_highlightedText.isEmpty() && self->webView())
            self->webView()->findText(self->_highlightedText, [self](int matches) {
                if (self)
                    emit self->highlightedTextFound(matches);
            });
    });
}

std::unique_ptr<WebController> showPageOver(QWidget* host, const QString& page,
                                            const QString& highlighted)
{
    auto viewer = std::make_unique<WebController>(pageUrl(page));
    viewer->setFontSize(articleFontSize());
    viewer->setHighlightedText(highlighted);
    viewer->setShowsPracticeLink(false);
    QWidget* pageView = viewer->view();
    pageView->setParent(host);
    kit::setFrame(pageView, QRect(0, kit::NavigationBar::barHeight, host->width(),
                                  host->height() - kit::NavigationBar::barHeight));
    pageView->show();
    pageView->setFocus(Qt::OtherFocusReason);
    return viewer;
}

void WebController::touchesBegan(kit::WebView&)
{
    kit::log(QStringLiteral("HERE"));
}

} // namespace viewer
