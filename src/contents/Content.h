#pragma once

#include "app/TabScreen.h"
#include "kit/controllers/NavigationController.h"

#include <memory>

class ContentTable;
class ZoomControl;

// The contents tab: the table of contents at the root of a navigation stack of
// its own, articles pushed over it. The bar is hidden over the list and shows
// the back button and the zoom button over an article.
class Content final : public TabScreen, public kit::NavigationControllerDelegate {
    Q_OBJECT

public:
    Content();
    ~Content() override;

    void close() override;
    void willShowViewController(kit::NavigationController& navigationController,
                                kit::ViewController* viewController, bool animated) override;

    kit::NavigationController* navController() const { return _navController.get(); }
    ContentTable* table() const { return _table; }
    ZoomControl* zoom() const { return _zoom; }

    void zoomButtonAction();
    void zoomSliderAction();
    void zoomSliderHide();

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    std::unique_ptr<kit::NavigationController> _navController;
    ContentTable* _table = nullptr;
    ZoomControl* _zoom = nullptr;
};
