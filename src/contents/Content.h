// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewer/ReadingTab.h"

namespace contents {

class ContentTable;

// The contents tab: the table of contents at the root of a navigation stack of
// its own, articles pushed over it. The bar is hidden over the list and shows
// the back button and the zoom button over an article.
class Content final : public viewer::ReadingTab {
    Q_OBJECT

public:
    Content();

    ContentTable* table() const { return _table; }
    viewer::WebController* zoomedViewer(viewer::ZoomControl& zoom) override;

protected:
    void viewDidLoad() override;
    void rootWillShow(kit::NavigationController& navigationController, bool animated) override;
    void articleWillShow(kit::NavigationController& navigationController, bool animated) override;

private:
    ContentTable* _table = nullptr;
};

} // namespace contents
