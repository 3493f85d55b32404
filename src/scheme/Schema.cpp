#include "Schema.h"

#include "about/InfoViewController.h"
#include "app/KavelAppDelegate.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/Window.h"
#include "kit/views/View.h"
#include "viewer/WebController.h"
#include "viewer/ZoomControl.h"

Schema::Schema() = default;

Schema::~Schema()
{
    _body.reset();
}

void Schema::setInfoButton(kit::BarButtonItem* infoButton)
{
    _infoButton = infoButton;
}

void Schema::loadView()
{
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("schemaView"));
    view->resize(kit::Window::applicationFrame().size());
    view->setAutoFillBackground(true);
    view->setPalette(QPalette(Qt::white));
    setView(view);
}

void Schema::viewDidLoad()
{
    KavelAppDelegate* delegate = KavelAppDelegate::shared();
    const QUrl scheme = delegate ? delegate->urlForFile(QStringLiteral("Schema.html")) : QUrl();
    auto web = std::make_unique<WebController>(scheme);
    // The scheme page keeps the viewer's own 15 pixels; only the articles it opens follow the zoom.
    web->setType(2);
    _web = web.get();
    _body = std::make_unique<kit::NavigationController>(std::move(web));
    _body->setDelegate(this);
    forwardAppearanceTo(_body.get());
    QWidget* bodyView = _body->view();
    kit::setFrame(bodyView, QRect(0, 0, 320, 460));
    kit::setAutoresizingMask(bodyView,
                             kit::Autoresizing::FlexibleWidth | kit::Autoresizing::FlexibleHeight);
    _body->topViewController()->navigationItem().setTitle(QStringLiteral("Универсальная схема"));
    _body->navigationBar()->setTintColor(kit::color(0.541, 0.03, 0.03, 1.0));
    kit::addSubview(view(), bodyView);
    _zoom = new ZoomControl([this] { return _web ? _web->anotherWeb() : nullptr; }, this);
}

void Schema::willShowViewController(kit::NavigationController& navigationController,
                                    kit::ViewController*, bool)
{
    if (navigationController.viewControllers().size() == 1) {
        zoomSliderHide();
        navigationController.topViewController()->navigationItem().setRightBarButtonItem(
            _infoButton);
    } else {
        navigationController.topViewController()->navigationItem().setRightBarButtonItem(
            _zoom->zoomButton());
    }
}

void Schema::showAbout()
{
    if (_body)
        _body->pushViewController(std::make_unique<InfoViewController>(), true);
}

void Schema::close()
{
    if (!isViewLoaded())
        return;
    zoomSliderHide();
    while (_body->viewControllers().size() > 1)
        _body->popViewControllerAnimated(true);
}

void Schema::zoomButtonAction()
{
    _zoom->zoomButtonAction();
}

void Schema::zoomSliderAction()
{
    _zoom->zoomSliderAction();
}

void Schema::zoomSliderHide()
{
    if (_zoom)
        _zoom->zoomSliderHide();
}
