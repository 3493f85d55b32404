#include "Map.h"

#include "MapWindow.h"
#include "kit/controllers/Window.h"

#include <memory>

Map::Map() : StackTab(QStringLiteral("mapView")) {}

void Map::viewDidLoad()
{
    auto window = std::make_unique<MapWindow>();
    _window = window.get();
    hostStack(std::move(window), kit::Window::applicationFrame().height());
}
