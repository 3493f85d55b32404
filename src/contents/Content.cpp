// SPDX-License-Identifier: GPL-3.0-or-later
#include "Content.h"

#include "ContentTable.h"
#include "kit/controllers/Window.h"
#include "viewer/WebController.h"

#include <memory>

namespace contents {

Content::Content() : kit::StackTab(QStringLiteral("contentView")) {}

void Content::viewDidLoad()
{
    auto table = std::make_unique<ContentTable>();
    _table = table.get();
    // One point taller than the tab's view, unlike the other tabs' stacks: the list's last point
    // is cut off at the tab bar. Kept so that a list scrolled to its end looks as it always has.
    kit::NavigationController& stack =
        hostStack(std::move(table), kit::Window::applicationFrame().height() + 1);
    stack.setDelegate(this);
    _zoom = new viewer::ZoomControl(this, this);
}

viewer::WebController* Content::zoomedViewer(viewer::ZoomControl&)
{
    return _table ? _table->openedViewer() : nullptr;
}

void Content::willShowViewController(kit::NavigationController& navigationController,
                                     kit::ViewController*, bool animated)
{
    if (navigationController.viewControllers().size() == 1) {
        navigationController.setNavigationBarHidden(true, animated);
        _table->deselectItem();
        _zoom->zoomSliderHide();
    } else {
        navigationController.setNavigationBarHidden(false, animated);
        navigationController.topViewController()->navigationItem().setRightBarButtonItem(
            _zoom->zoomButton());
    }
}

void Content::close()
{
    if (_zoom)
        _zoom->zoomSliderHide();
    kit::StackTab::close();
}

} // namespace contents
