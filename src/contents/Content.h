#pragma once

#include "app/StackTab.h"

class ContentTable;
class ZoomControl;

// The contents tab: the table of contents at the root of a navigation stack of
// its own, articles pushed over it. The bar is hidden over the list and shows
// the back button and the zoom button over an article.
class Content final : public StackTab, public kit::NavigationControllerDelegate {
    Q_OBJECT

public:
    Content();

    void close() override;
    void willShowViewController(kit::NavigationController& navigationController,
                                kit::ViewController* viewController, bool animated) override;

    kit::NavigationController* navController() const { return stack(); }
    ContentTable* table() const { return _table; }
    ZoomControl* zoom() const { return _zoom; }

protected:
    void viewDidLoad() override;

private:
    ContentTable* _table = nullptr;
    ZoomControl* _zoom = nullptr;
};
