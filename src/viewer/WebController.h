// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FontScript.h"
#include "kit/controllers/ViewController.h"
#include "kit/platform/WebView.h"

#include <QPointer>
#include <QUrl>

namespace viewer {

// What a link followed in a viewer's page does.
enum class LinkMode {
    // It loads in place: articles, the emergency services' pages, the viewers a scheme opens.
    InPlace,
    // The page keeps its place: every later request opens a new viewer pushed on the
    // navigation stack instead (the scheme page).
    OpensViewer,
};

// A screen whose whole view is a web view showing one page of the bundle. When a load
// finishes it gives the page its text size (fontSize); links follow the viewer's link mode.
class WebController final : public kit::ViewController, public kit::WebViewDelegate {
    Q_OBJECT

public:
    // Starts loading the page at once, with the base text size, links loading in place.
    explicit WebController(const QUrl& url);
    ~WebController() override;

    // The web view, or none when the engine could not be loaded (the viewer stays empty).
    kit::WebView* webView() const { return _webViewWidget ? _webView : nullptr; }
    // The viewer this one last pushed for a link (link mode OpensViewer); the stack owns it.
    WebController* openedViewer() const { return _openedViewer; }
    QUrl url() const { return _url; }
    LinkMode linkMode() const { return _linkMode; }
    void setLinkMode(LinkMode mode) { _linkMode = mode; }
    float fontSize() const { return _fontSize; }
    void setFontSize(float fontSize) { _fontSize = fontSize; }
    // A text to find in the page once it is styled: highlighted and scrolled into view.
    QString highlightedText() const { return _highlightedText; }
    void setHighlightedText(const QString& text) { _highlightedText = text; }
    // Whether a page with practice questions ends with the link to them (yes unless told).
    void setShowsPracticeLink(bool shows) { _showsPracticeLink = shows; }

    // Decided for every load request of the web view: true lets it load.
    bool shouldStartLoadWithRequest(kit::WebView& webView, const QUrl& url,
                                    kit::NavigationType navigationType) override;
    // Runs the font script with fontSize after a finished load.
    void webViewDidFinishLoad(kit::WebView& webView, bool ok) override;
    // The log line of a touch on the view.
    void touchesBegan(kit::WebView& webView) override;

signals:
    // After every load that ended, whether it loaded a page.
    void loadEnded(bool ok);
    // After every finished load, once the font script has run.
    void pageStyled();
    // After the highlighted text was looked for in a styled page: how often it occurs.
    void highlightedTextFound(int matches);

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    void styleLoadedPage();

    kit::WebView* _webView = nullptr;
    QPointer<QWidget> _webViewWidget;
    QPointer<WebController> _openedViewer;
    QUrl _url;
    LinkMode _linkMode = LinkMode::InPlace;
    float _fontSize = baseFontSize;
    QString _highlightedText;
    bool _started = false;
    bool _showsPracticeLink = true;
};

// A page of the bundle shown over a screen below its bar (a step's article, a question's
// passage): at the reading size, highlighting the given words, its view a child of host
// filling it below the bar, with the keyboard. It offers no practice: it is opened in the
// middle of something.
std::unique_ptr<WebController> showPageOver(QWidget* host, const QString& page,
                                            const QString& highlighted = {});

} // namespace viewer
