#include "Schema.h"

#include "about/InfoViewController.h"
#include "app/KavelAppDelegate.h"
#include "kit/controllers/Window.h"
#include "viewer/WebController.h"
#include "viewer/ZoomControl.h"

#include <memory>

Schema::Schema() : StackTab(QStringLiteral("schemaView")) {}

void Schema::setInfoButton(kit::BarButtonItem* infoButton)
{
    _infoButton = infoButton;
}

void Schema::viewDidLoad()
{
    KavelAppDelegate* delegate = KavelAppDelegate::shared();
    const QUrl scheme = delegate ? delegate->urlForFile(QStringLiteral("Schema.html")) : QUrl();
    auto web = std::make_unique<WebController>(scheme);
    // The scheme page keeps the viewer's own text size; only the articles it
    // opens follow the zoom.
    web->setType(LinkMode::OpensViewer);
    _web = web.get();
    kit::NavigationController& stack =
        hostStack(std::move(web), kit::Window::applicationFrame().height());
    stack.setDelegate(this);
    stack.topViewController()->navigationItem().setTitle(QStringLiteral("Универсальная схема"));
    _zoom = new ZoomControl([this] { return _web ? _web->anotherWeb() : nullptr; }, this);
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

void Schema::showAbout()
{
    if (stack())
        stack()->pushViewController(std::make_unique<InfoViewController>(), true);
}

void Schema::close()
{
    if (_zoom)
        _zoom->zoomSliderHide();
    StackTab::close();
}
