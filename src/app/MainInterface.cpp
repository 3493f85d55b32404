// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainInterface.h"

#include "ApplicationShell.h"
#include "about/InfoViewController.h"
#include "card/CardTab.h"
#include "contents/Content.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/views/Image.h"
#include "kit/views/View.h"
#include "practice/PracticeScreen.h"
#include "scheme/Schema.h"
#include "sos/SOS.h"
#include "telephones/Telephones.h"
#include "viewer/HelpBand.h"

#include <vector>

namespace app {
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
    auto shell = std::make_unique<ApplicationShell>();
    application.setDelegate(shell.get());
    // The application's navigation bars are dark red (the emergency card's and the emergency
    // services' tint their own).
    kit::NavigationBar::setStandardTintColor(kit::color(0.541, 0.03, 0.03, 1.0));

    auto window = std::make_unique<kit::Window>();
    auto tabBarController = std::make_unique<kit::TabBarController>();
    tabBarController->setObjectName(QStringLiteral("tabBarController"));

    // In the order of TabIndex.
    std::vector<std::unique_ptr<kit::ViewController>> tabs;
    tabs.push_back(
        tab<contents::Content>(QStringLiteral("Содержание"), QStringLiteral("tabContent.png")));
    auto schemeTab = tab<scheme::Schema>(QStringLiteral("Схема"), QStringLiteral("tabSchema.png"));
    auto* schema = static_cast<scheme::Schema*>(schemeTab.get());
    // The scheme's information button, which leads to the about screen.
    auto* infoButton = new kit::BarButtonItem(
        kit::imageNamed(QStringLiteral("iconInfo.png")), kit::BarButtonItem::Style::Plain,
        [schema] {
            if (kit::NavigationController* stack = schema->stack())
                stack->pushViewController(std::make_unique<about::InfoViewController>(), true);
        },
        schema);
    infoButton->setObjectName(QStringLiteral("infoButton"));
    infoButton->setAccessibleName(QStringLiteral("О программе"));
    schema->setInfoButton(infoButton);
    tabs.push_back(std::move(schemeTab));
    tabs.push_back(tab<telephones::Telephones>(QStringLiteral("Телефоны"),
                                               QStringLiteral("tabTelephones.png")));
    tabs.push_back(tab<card::CardTab>(QStringLiteral("Карта"), QStringLiteral("tabMap.png")));
    tabs.push_back(tab<sos::SOS>(QStringLiteral("SOS"), QStringLiteral("tabSOS.png")));
    tabBarController->setViewControllers(std::move(tabs));
    tabBarController->setDelegate(shell.get());

    // The pages' and the screens' way into the step-by-step help and the CPR coach.
    viewer::setHelpOpener([shell = shell.get()](const QString& what) { shell->openHelp(what); });
    // Articles with practice questions end with the way to them.
    viewer::setPracticeTopics(practice::topicOfPage);

    shell->setWindow(std::move(window));
    shell->setTabBarController(std::move(tabBarController));
    shell->window()->makeKeyAndVisible();
    return shell;
}

} // namespace app
