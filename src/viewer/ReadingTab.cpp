// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReadingTab.h"

namespace viewer {

ReadingTab::ReadingTab(const QString& viewName) : kit::StackTab(viewName) {}

kit::NavigationController& ReadingTab::hostReadingStack(std::unique_ptr<kit::ViewController> root,
                                                        int height)
{
    kit::NavigationController& stack = hostStack(std::move(root), height);
    stack.setDelegate(this);
    _zoom = new ZoomControl(this, this);
    return stack;
}

void ReadingTab::willShowViewController(kit::NavigationController& navigationController,
                                        kit::ViewController*, bool animated)
{
    if (navigationController.viewControllers().size() == 1) {
        _zoom->zoomSliderHide();
        rootWillShow(navigationController, animated);
    } else {
        navigationController.topViewController()->navigationItem().setRightBarButtonItem(
            _zoom->zoomButton());
        articleWillShow(navigationController, animated);
    }
}

void ReadingTab::close()
{
    if (_zoom)
        _zoom->zoomSliderHide();
    kit::StackTab::close();
}

} // namespace viewer
