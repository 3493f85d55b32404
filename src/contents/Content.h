// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/controllers/StackTab.h"
#include "viewer/ZoomControl.h"

namespace contents {

class ContentTable;

// The contents tab: the table of contents at the root of a navigation stack of
// its own, articles pushed over it. The bar is hidden over the list and shows
// the back button and the zoom button over an article.
class Content final : public kit::StackTab,
                      public kit::NavigationControllerDelegate,
                      public viewer::ZoomControlDelegate {
    Q_OBJECT

public:
    Content();

    void close() override;
    void willShowViewController(kit::NavigationController& navigationController,
                                kit::ViewController* viewController, bool animated) override;
    viewer::WebController* zoomedViewer(viewer::ZoomControl& zoom) override;

    ContentTable* table() const { return _table; }
    viewer::ZoomControl* zoom() const { return _zoom; }

protected:
    void viewDidLoad() override;

private:
    ContentTable* _table = nullptr;
    viewer::ZoomControl* _zoom = nullptr;
};

} // namespace contents
