#pragma once

#include "app/TabScreen.h"
#include "kit/controllers/BarButtonItem.h"
#include "kit/controllers/NavigationController.h"

#include <QPointer>

#include <memory>

class WebController;
class ZoomControl;

// The universal scheme tab: the scheme page at the root of a navigation stack of
// its own, every link followed in it opening its article on top. The scheme page
// carries the information button; every screen above it the zoom button.
class Schema final : public TabScreen, public kit::NavigationControllerDelegate {
    Q_OBJECT

public:
    Schema();
    ~Schema() override;

    // The information button comes with the screen from the main interface.
    void setInfoButton(kit::BarButtonItem* infoButton);
    kit::BarButtonItem* infoButton() const { return _infoButton; }

    void close() override;
    void willShowViewController(kit::NavigationController& navigationController,
                                kit::ViewController* viewController, bool animated) override;
    void showAbout();

    kit::NavigationController* body() const { return _body.get(); }
    WebController* web() const { return _web; }
    ZoomControl* zoom() const { return _zoom; }

    void zoomButtonAction();
    void zoomSliderAction();
    void zoomSliderHide();

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    QPointer<kit::BarButtonItem> _infoButton;
    std::unique_ptr<kit::NavigationController> _body;
    WebController* _web = nullptr;
    ZoomControl* _zoom = nullptr;
};
