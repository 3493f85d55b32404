#pragma once

#include "FontScript.h"
#include "kit/controllers/ViewController.h"
#include "kit/platform/WebView.h"

#include <QPointer>
#include <QUrl>

// What a link followed in a viewer's page does.
enum class LinkMode : quint32 {
    // It loads in place: articles, and the viewers a scheme opens.
    InPlace = 0,
    // The same, for the emergency services' pages.
    ServicePage = 1,
    // The page keeps its place: every later request opens a new viewer pushed on the
    // navigation stack instead (the scheme page).
    OpensViewer = 2,
};

// A screen whose whole view is a web view showing one page of the bundle. When
// a load finishes it gives the page its text size (fontSize); links follow the
// viewer's link mode (type).
class WebController final : public kit::ViewController {
    Q_OBJECT

public:
    // Starts loading the page at once, with the base text size, links loading in place.
    explicit WebController(const QUrl& url);
    ~WebController() override;

    // The web view, or none when the engine could not be loaded (the viewer stays empty).
    kit::WebView* webView() const { return _webViewWidget ? _webView : nullptr; }
    WebController* anotherWeb() const { return _anotherWeb; }
    QUrl url() const { return _url; }
    LinkMode type() const { return _type; }
    void setType(LinkMode type) { _type = type; }
    float fontSize() const { return _fontSize; }
    void setFontSize(float fontSize) { _fontSize = fontSize; }
    // A text to find in the page once it is styled: highlighted and scrolled into view.
    QString highlightedText() const { return _highlightedText; }
    void setHighlightedText(const QString& text) { _highlightedText = text; }

    // Decided for every load request of the web view: true lets it load.
    bool shouldStartLoadWithRequest(const QUrl& url, kit::NavigationType navigationType);
    // Runs the font script with fontSize after a finished load.
    void webViewDidFinishLoad();
    // The log line of a touch on the view.
    void touchesBegan();

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
    kit::WebView* _webView = nullptr;
    QPointer<QWidget> _webViewWidget;
    QPointer<WebController> _anotherWeb;
    QUrl _url;
    LinkMode _type = LinkMode::InPlace;
    float _fontSize = viewer::baseFontSize;
    QString _highlightedText;
    bool _started = false;
};
