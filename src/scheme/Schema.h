#pragma once

#include "app/StackTab.h"
#include "kit/controllers/BarButtonItem.h"

#include <QPointer>

class WebController;
class ZoomControl;

// The universal scheme tab: the scheme page at the root of a navigation stack of
// its own, every link followed in it opening its article on top. The scheme page
// carries the information button; every screen above it the zoom button.
class Schema final : public StackTab, public kit::NavigationControllerDelegate {
    Q_OBJECT

public:
    Schema();

    // The information button comes with the screen from the main interface.
    void setInfoButton(kit::BarButtonItem* infoButton);
    kit::BarButtonItem* infoButton() const { return _infoButton; }

    void close() override;
    void willShowViewController(kit::NavigationController& navigationController,
                                kit::ViewController* viewController, bool animated) override;
    void showAbout();

    kit::NavigationController* body() const { return stack(); }
    WebController* web() const { return _web; }
    ZoomControl* zoom() const { return _zoom; }

protected:
    void viewDidLoad() override;

private:
    QPointer<kit::BarButtonItem> _infoButton;
    WebController* _web = nullptr;
    ZoomControl* _zoom = nullptr;
};
