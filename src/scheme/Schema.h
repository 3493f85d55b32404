// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/controllers/BarButtonItem.h"
#include "viewer/ReadingTab.h"

#include <QPointer>

namespace scheme {

// The universal scheme tab: the scheme page at the root of a navigation stack of
// its own, every link followed in it opening its article on top. The scheme page
// carries the information button; every screen above it the zoom button.
class Schema final : public viewer::ReadingTab {
    Q_OBJECT

public:
    Schema();

    // The information button comes with the screen from the main interface, which also
    // says what it opens.
    void setInfoButton(kit::BarButtonItem* infoButton);
    kit::BarButtonItem* infoButton() const { return _infoButton; }

    viewer::WebController* zoomedViewer(viewer::ZoomControl& zoom) override;

    // The scheme page's viewer, at the bottom of the stack.
    viewer::WebController* viewer() const { return _viewer; }

protected:
    void viewDidLoad() override;
    void rootWillShow(kit::NavigationController& navigationController, bool animated) override;

private:
    QPointer<kit::BarButtonItem> _infoButton;
    viewer::WebController* _viewer = nullptr;
};

} // namespace scheme
