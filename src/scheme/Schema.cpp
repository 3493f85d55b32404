// SPDX-License-Identifier: GPL-3.0-or-later
#include "Schema.h"

#include "kit/controllers/Window.h"
#include "viewer/ReadingZoom.h"
#include "viewer/WebController.h"

#include <memory>

namespace scheme {

Schema::Schema() : kit::StackTab(QStringLiteral("schemaView")) {}

void Schema::setInfoButton(kit::BarButtonItem* infoButton)
{
    _infoButton = infoButton;
}

void Schema::viewDidLoad()
{
    auto page =
        std::make_unique<viewer::WebController>(viewer::pageUrl(QStringLiteral("Schema.html")));
    // The scheme page keeps the viewer's own text size; only the articles it
    // opens follow the zoom.
    page->setLinkMode(viewer::LinkMode::OpensViewer);
    _viewer = page.get();
    kit::NavigationController& stack =
        hostStack(std::move(page), kit::Window::applicationFrame().height());
    stack.setDelegate(this);
    stack.topViewController()->navigationItem().setTitle(QStringLiteral("Универсальная схема"));
    _zoom = new viewer::ZoomControl(this, this);
}

viewer::WebController* Schema::zoomedViewer(viewer::ZoomControl&)
{
    return _viewer ? _viewer->openedViewer() : nullptr;
}

void Schema::willShowViewController(kit::NavigationController& navigationController,
                                    kit::ViewController*, bool)
{
    if (navigationController.viewControllers().size() == 1) {
        _zoom->zoomSliderHide();
        navigationController.topViewController()->navigationItem().setRightBarButtonItem(
            _infoButton);
    } else {
        navigationController.topViewController()->navigationItem().setRightBarButtonItem(
            _zoom->zoomButton());
    }
}

void Schema::close()
{
    if (_zoom)
        _zoom->zoomSliderHide();
    kit::StackTab::close();
}

} // namespace scheme
