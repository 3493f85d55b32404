#include "Map.h"

#include "kit/Window.h"

Map::Map() = default;

void Map::loadView()
{
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("mapView"));
    view->resize(kit::Window::applicationFrame().size());
    view->setAutoFillBackground(true);
    view->setPalette(QPalette(Qt::white));
    setView(view);
}

void Map::close()
{
    // Nothing on this screen changes while it is shown, so there is nothing to put back.
}
