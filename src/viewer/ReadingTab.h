// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZoomControl.h"
#include "kit/controllers/StackTab.h"

#include <memory>

namespace viewer {

// A tab whose navigation stack shows articles over a root screen (the table of contents,
// the scheme page): every screen pushed over the root carries the zoom button, and the
// zoom's slider goes when the root comes back and when the tab is left. A tab says what
// its root shows and which viewer the slider restyles.
class ReadingTab : public kit::StackTab,
                   public kit::NavigationControllerDelegate,
                   public ZoomControlDelegate {
    Q_OBJECT

public:
    ZoomControl* zoom() const { return _zoom; }

    // Takes the slider away and pops back to the root.
    void close() override;
    void willShowViewController(kit::NavigationController& navigationController,
                                kit::ViewController* viewController, bool animated) final;

protected:
    // viewName is the object name of the tab's white view.
    explicit ReadingTab(const QString& viewName);

    // Puts a stack with root at its bottom into the tab, height points high, with the tab as
    // its delegate and the zoom control made. Called once, from viewDidLoad.
    kit::NavigationController& hostReadingStack(std::unique_ptr<kit::ViewController> root,
                                                int height);
    // The root is about to show again; the slider is gone already.
    virtual void rootWillShow(kit::NavigationController&, bool) {}
    // A screen over the root is about to show; its bar carries the zoom button already.
    virtual void articleWillShow(kit::NavigationController&, bool) {}

private:
    ZoomControl* _zoom = nullptr;
};

} // namespace viewer
