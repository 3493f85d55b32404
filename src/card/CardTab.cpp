// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardTab.h"

#include "CardScreen.h"
#include "kit/controllers/Window.h"

#include <memory>

namespace card {

CardTab::CardTab() : kit::StackTab(QStringLiteral("mapView")) {}

void CardTab::viewDidLoad()
{
    auto screen = std::make_unique<CardScreen>();
    _cardScreen = screen.get();
    hostStack(std::move(screen), kit::Window::applicationFrame().height());
}

} // namespace card
