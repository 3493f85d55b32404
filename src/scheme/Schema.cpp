// SPDX-License-Identifier: GPL-3.0-or-later
#include "Schema.h"

#include "kit/controllers/Window.h"
#include "viewer/ReadingZoom.h"
#include "viewer/WebController.h"

#include <memory>

namespace scheme {

Schema::Schema() : viewer::ReadingTab(QStringLiteral("schemaView")) {}

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
        hostReadingStack(std::move(page), kit::Window::applicationFrame().height());
    stack.topViewController()->navigationItem().setTitle(QStringLiteral("Универсальная схема"));
}

viewer::WebController* Schema::zoomedViewer(viewer::ZoomControl&)
{
    return _viewer ? _viewer->openedViewer() : nullptr;
}

void Schema::rootWillShow(kit::NavigationController& navigationController, bool)
{
    navigationController.topViewController()->navigationItem().setRightBarButtonItem(_infoButton);
}

} // namespace scheme
