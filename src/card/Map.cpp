#include "Map.h"

#include "MapWindow.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/Window.h"
#include "kit/views/View.h"

Map::Map() = default;

Map::~Map()
{
    _body.reset();
}

void Map::loadView()
{
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("mapView"));
    view->resize(kit::Window::applicationFrame().size());
    view->setAutoFillBackground(true);
    view->setPalette(QPalette(Qt::white));
    setView(view);
}

void Map::viewDidLoad()
{
    auto window = std::make_unique<MapWindow>();
    _window = window.get();
    _body = std::make_unique<kit::NavigationController>(std::move(window));
    forwardAppearanceTo(_body.get());
    _body->navigationBar()->setTintColor(kit::color(0.541, 0.03, 0.03, 1.0));
    QWidget* bodyView = _body->view();
    kit::setFrame(bodyView, QRect(QPoint(0, 0), view()->size()));
    kit::setAutoresizingMask(bodyView,
                             kit::Autoresizing::FlexibleWidth | kit::Autoresizing::FlexibleHeight);
    kit::addSubview(view(), bodyView);
}

void Map::close()
{
    if (!_body)
        return;
    while (_body->viewControllers().size() > 1)
        _body->popViewControllerAnimated(true);
}
