// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/controllers/BarButtonItem.h"
#include "kit/controllers/StackTab.h"
#include "viewer/ZoomControl.h"

#include <QPointer>

namespace scheme {

// The universal scheme tab: the scheme page at the root of a navigation stack of
// its own, every link followed in it opening its article on top. The scheme page
// carries the information button; every screen above it the zoom button.
class Schema final : public kit::StackTab,
                     public kit::NavigationControllerDelegate,
                     public viewer::ZoomControlDelegate {
    Q_OBJECT

public:
    Schema();

    // The information button comes with the screen from the main interface, which also
    // says what it opens.
    void setInfoButton(kit::BarButtonItem* infoButton);
    kit::BarButtonItem* infoButton() const { return _infoButton; }

    void close() override;
    void willShowViewController(kit::NavigationController& navigationController,
                                kit::ViewController* viewController, bool animated) override;
    viewer::WebController* zoomedViewer(viewer::ZoomControl& zoom) override;

    // The scheme page's viewer, at the bottom of the stack.
    viewer::WebController* viewer() const { return _viewer; }
    viewer::ZoomControl* zoom() const { return _zoom; }

protected:
    void viewDidLoad() override;

private:
    QPointer<kit::BarButtonItem> _infoButton;
    viewer::WebController* _viewer = nullptr;
    viewer::ZoomControl* _zoom = nullptr;
};

} // namespace scheme
