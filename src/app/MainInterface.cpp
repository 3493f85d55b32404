#include "MainInterface.h"

#include "KavelAppDelegate.h"
#include "card/Map.h"
#include "contents/Content.h"
#include "kit/views/Image.h"
#include "scheme/Schema.h"
#include "sos/SOS.h"
#include "telephones/Telephones.h"

#include <vector>

namespace {

template <class Screen>
std::unique_ptr<kit::ViewController> tab(const QString& title, const QString& icon)
{
    auto screen = std::make_unique<Screen>();
    screen->tabBarItem() = {title, kit::imageNamed(icon)};
    return screen;
}

} // namespace

std::unique_ptr<kit::ApplicationDelegate> loadMainInterface(kit::Application& application)
{
    auto delegate = std::make_unique<KavelAppDelegate>();
    application.setDelegate(delegate.get());

    auto window = std::make_unique<kit::Window>();
    auto tabBarController = std::make_unique<kit::TabBarController>();
    tabBarController->setObjectName(QStringLiteral("tabBarController"));

    // In the order of TabIndex.
    std::vector<std::unique_ptr<kit::ViewController>> tabs;
    tabs.push_back(tab<Content>(QStringLiteral("Содержание"), QStringLiteral("tabContent.png")));
    auto scheme = tab<Schema>(QStringLiteral("Схема"), QStringLiteral("tabSchema.png"));
    auto* schema = static_cast<Schema*>(scheme.get());
    // The scheme's information button, which leads to the about screen.
    auto* infoButton = new kit::BarButtonItem(
        kit::imageNamed(QStringLiteral("iconInfo.png")), kit::BarButtonItem::Style::Plain,
        [schema] { schema->showAbout(); }, schema);
    infoButton->setObjectName(QStringLiteral("infoButton"));
    infoButton->setAccessibleName(QStringLiteral("О программе"));
    schema->setInfoButton(infoButton);
    tabs.push_back(std::move(scheme));
    tabs.push_back(
        tab<Telephones>(QStringLiteral("Телефоны"), QStringLiteral("tabTelephones.png")));
    tabs.push_back(tab<Map>(QStringLiteral("Карта"), QStringLiteral("tabMap.png")));
    tabs.push_back(tab<SOS>(QStringLiteral("SOS"), QStringLiteral("tabSOS.png")));
    tabBarController->setViewControllers(std::move(tabs));
    tabBarController->setDelegate(delegate.get());

    delegate->setWindow(std::move(window));
    delegate->setTabBarController(std::move(tabBarController));
    delegate->window()->makeKeyAndVisible();
    return delegate;
}
