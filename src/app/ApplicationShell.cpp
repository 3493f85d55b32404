// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicationShell.h"

#include "MainInterface.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/TabBar.h"
#include "kit/controllers/TabScreen.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/views/Image.h"
#include "kit/views/ImageView.h"
#include "kit/views/View.h"
#include "record/CardStore.h"
#include "record/PersonalRecord.h"

namespace app {

ApplicationShell::ApplicationShell() = default;

ApplicationShell::~ApplicationShell()
{
    _tabBarController.reset();
    _window.reset();
    // The look goes with the application that set it.
    kit::NavigationBar::setStandardTintColor(QColor());
}

void ApplicationShell::setWindow(std::unique_ptr<kit::Window> window)
{
    _window = std::move(window);
}

void ApplicationShell::setTabBarController(std::unique_ptr<kit::TabBarController> tabBarController)
{
    _tabBarController = std::move(tabBarController);
}

void ApplicationShell::applicationDidFinishLaunching(kit::Application&)
{
    kit::TabBar* tabBar = _tabBarController->tabBar();

    auto* background = new kit::ImageView(kit::imageNamed(QStringLiteral("bottomPanelBg.png")));
    background->setObjectName(QStringLiteral("tabBarBackground"));
    kit::setFrame(background, QRect(0, 0, tabBar->width(), tabBar->height()));
    kit::insertSubview(tabBar, background, 0);

    _tabBarController->setSelectedIndex(CardTab);

    kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    bool complete = true;
    for (const QString& key : record::completenessKeys) {
        if (!defaults.stringForKey(key)) {
            complete = false;
            break;
        }
    }
    if (complete)
        _tabBarController->setSelectedIndex(SosTab);

    _window->addSubview(_tabBarController->view());
    record::reportUnreadableCard();
}

bool ApplicationShell::shouldSelectViewController(kit::TabBarController& tabBarController,
                                                  kit::ViewController*)
{
    if (auto* leaving = qobject_cast<kit::TabScreen*>(tabBarController.selectedViewController()))
        leaving->close();
    return true;
}

void ApplicationShell::didSelectViewController(kit::TabBarController&, kit::ViewController*) {}

} // namespace app
