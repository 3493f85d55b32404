#pragma once

#include "kit/controllers/ViewController.h"
#include "kit/platform/WebView.h"

#include <QPointer>
#include <QUrl>

// A screen whose whole view is a web view showing one page of the bundle. When
// a load finishes it gives the page its text size (fontSize). In link mode 2
// the page keeps its place: every later request opens a new viewer pushed on
// the navigation stack instead; in modes 0 and 1 links load in place.
class WebController final : public kit::ViewController {
    Q_OBJECT

public:
    // Starts loading the page at once, with fontSize 15 and link mode 0.
    explicit WebController(const QUrl& url);
    ~WebController() override;

    // The web view, or none when the engine could not be loaded (the viewer stays empty).
    kit::WebView* webView() const { return _webViewWidget ? _webView : nullptr; }
    WebController* anotherWeb() const { return _anotherWeb; }
    void setAnotherWeb(WebController* viewer) { _anotherWeb = viewer; }
    QUrl url() const { return _url; }
    void setUrl(const QUrl& url) { _url = url; }
    quint32 type() const { return _type; }
    void setType(quint32 type) { _type = type; }
    float fontSize() const { return _fontSize; }
    void setFontSize(float fontSize) { _fontSize = fontSize; }

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

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    kit::WebView* _webView = nullptr;
    QPointer<QWidget> _webViewWidget;
    QPointer<WebController> _anotherWeb;
    QUrl _url;
    quint32 _type = 0;
    float _fontSize = 15.0f;
    bool _started = false;
};
