#include "Content.h"

#include "ContentTable.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/Window.h"
#include "kit/views/View.h"
#include "viewer/WebController.h"
#include "viewer/ZoomControl.h"

Content::Content() = default;

Content::~Content()
{
    _navController.reset();
}

void Content::loadView()
{
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("contentView"));
    view->resize(kit::Window::applicationFrame().size());
    view->setAutoFillBackground(true);
    view->setPalette(QPalette(Qt::white));
    setView(view);
}

void Content::viewDidLoad()
{
    auto table = std::make_unique<ContentTable>();
    _table = table.get();
    _navController = std::make_unique<kit::NavigationController>(std::move(table));
    QWidget* navigationView = _navController->view();
    kit::setFrame(navigationView, QRect(0, 0, 320, 461));
    kit::setAutoresizingMask(navigationView,
                             kit::Autoresizing::FlexibleWidth | kit::Autoresizing::FlexibleHeight);
    kit::addSubview(view(), navigationView);
    _navController->setDelegate(this);
    forwardAppearanceTo(_navController.get());
    _navController->navigationBar()->setTintColor(kit::color(0.541, 0.03, 0.03, 1.0));
    _zoom = new ZoomControl([this] { return _table ? _table->webController() : nullptr; }, this);
}

void Content::willShowViewController(kit::NavigationController& navigationController,
                                     kit::ViewController*, bool animated)
{
    if (navigationController.viewControllers().size() == 1) {
        navigationController.setNavigationBarHidden(true, animated);
        _table->deselectItem();
        zoomSliderHide();
    } else {
        navigationController.setNavigationBarHidden(false, animated);
        navigationController.topViewController()->navigationItem().setRightBarButtonItem(
            _zoom->zoomButton());
    }
}

void Content::close()
{
    if (!isViewLoaded())
        return;
    zoomSliderHide();
    while (_navController->viewControllers().size() > 1)
        _navController->popViewControllerAnimated(true);
}

void Content::zoomButtonAction()
{
    _zoom->zoomButtonAction();
}

void Content::zoomSliderAction()
{
    _zoom->zoomSliderAction();
}

void Content::zoomSliderHide()
{
    if (_zoom)
        _zoom->zoomSliderHide();
}
