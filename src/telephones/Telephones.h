#pragma once

#include "app/TabScreen.h"
#include "kit/controllers/ViewController.h"

#include <memory>

class WebController;
class ZoomControl;
namespace kit {
class Button;
class NavigationBar;
} // namespace kit

// The emergency services tab: a navigation bar, four service buttons and, below
// the bar, the chosen service's page. Each service retitles and recolours the bar;
// the police page is shown whenever the tab comes into view.
class Telephones final : public TabScreen {
    Q_OBJECT

public:
    Telephones();
    ~Telephones() override;

    void onGasPressed();
    void onKavelPressed();
    void onFirePressed();
    void onPolicePressed();
    // Replaces the embedded viewer with a new one on a page of the bundle.
    void openHtml(const QString& page);

    void close() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    kit::NavigationBar* navBar() const { return _navBar; }
    WebController* webCon() const { return _webCon.get(); }
    ZoomControl* zoom() const { return _zoom; }

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    void selectService(const QString& title, const QColor& tint, const QString& page);

    kit::NavigationBar* _navBar = nullptr;
    kit::NavigationItem _navItem;
    std::unique_ptr<WebController> _webCon;
    ZoomControl* _zoom = nullptr;
};
