// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicationShell.h"

#include "MainInterface.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/TabBar.h"
#include "kit/controllers/TabScreen.h"
#include "kit/foundation/Log.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/pickers/AlertView.h"
#include "kit/views/Image.h"
#include "kit/views/ImageView.h"
#include "kit/views/View.h"
#include "practice/PracticeScreen.h"
#include "record/CardStore.h"
#include "record/PersonalRecord.h"
#include "sos/EmergencyScreen.h"
#include "sos/SOS.h"
#include "steps/CoachScreen.h"
#include "steps/Guide.h"
#include "viewer/HelpBand.h"

#include <QPointer>

#include <algorithm>

namespace app {

ApplicationShell::ApplicationShell() = default;

ApplicationShell::~ApplicationShell()
{
    _tabBarController.reset();
    _window.reset();
    // The look goes with the application that set it.
    kit::NavigationBar::setStandardTintColor(QColor());
    viewer::setHelpOpener(nullptr);
    viewer::setPracticeTopics(nullptr);
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
                                                  kit::ViewController* viewController)
{
    auto* leaving = qobject_cast<kit::TabScreen*>(tabBarController.selectedViewController());
    if (!leaving)
        return true;
    if (!leaving->hasUnsavedChanges()) {
        leaving->close();
        return true;
    }
    // The switch waits for the answer.
    const QPointer<kit::TabScreen> from(leaving);
    const QPointer<kit::ViewController> to(viewController);
    askToSaveChanges(*leaving, [this, from, to] {
        if (from)
            from->close();
        const auto tabs = _tabBarController->viewControllers();
        const auto target = std::find(tabs.begin(), tabs.end(), to.data());
        if (to && target != tabs.end())
            _tabBarController->setSelectedIndex(int(target - tabs.begin()));
    });
    return false;
}

bool ApplicationShell::applicationShouldTerminate(kit::Application& application)
{
    // The emergency card is hard to take away on purpose: closing the window over it asks.
    if (auto* sos = qobject_cast<sos::SOS*>(_tabBarController->viewControllers()[SosTab]);
        sos && qobject_cast<sos::EmergencyScreen*>(sos->modalViewController())) {
        auto* alert = new kit::AlertView(
            QStringLiteral("Закрыть экстренную карту?"),
            QStringLiteral("Карта, сигнал и мигание остановятся, а приложение закроется."),
            {QStringLiteral("Закрыть"), QStringLiteral("Отмена")});
        alert->setAnswer([&application](int button) {
            if (button == 0)
                application.terminate();
        });
        alert->show();
        return false;
    }
    // Nor does a stray close end the CPR coach: it asks, as the coach's own stop does.
    for (kit::ViewController* screen = _tabBarController->modalViewController(); screen;
         screen = screen->modalViewController()) {
        if (qobject_cast<steps::CoachScreen*>(screen)) {
            auto* alert = new kit::AlertView(
                QStringLiteral("Остановить помощника СЛР?"),
                QStringLiteral("Счёт и щелчки остановятся, а приложение закроется."),
                {QStringLiteral("Закрыть"), QStringLiteral("Отмена")}, 1);
            alert->setObjectName(QStringLiteral("closeCoachAlert"));
            alert->setAnswer([&application](int button) {
                if (button == 0)
                    application.terminate();
            });
            alert->show();
            return false;
        }
    }
    if (!_tabBarController->hasUnsavedChanges())
        return true;
    askToSaveChanges(*_tabBarController, [&application] { application.terminate(); });
    return false;
}

void ApplicationShell::askToSaveChanges(kit::ViewController& holder, std::function<void()> proceed)
{
    enum Button { Save, Discard, Cancel };
    auto* alert = new kit::AlertView(
        QStringLiteral("Сохранить изменения?"),
        QStringLiteral("В карте есть несохранённое изменение."),
        {QStringLiteral("Сохранить"), QStringLiteral("Не сохранять"), QStringLiteral("Отмена")},
        Cancel);
    alert->setObjectName(QStringLiteral("saveChangesAlert"));
    alert->setAnswer([holder = QPointer<kit::ViewController>(&holder),
                      proceed = std::move(proceed)](int button) {
        if (button == Cancel || !holder)
            return;
        // A save that is refused or not written keeps the edit where it is: the owner has
        // been told why.
        if (button == Save && !holder->saveChanges())
            return;
        proceed();
    });
    alert->show();
}

void ApplicationShell::performAction(kit::Application&, const QString& action)
{
    openHelp(action);
}

void ApplicationShell::openHelp(const QString& what)
{
    if (!_tabBarController)
        return;
    if (what == QLatin1String("cpr"))
        steps::openCoach(*_tabBarController);
    else if (what == QLatin1String("steps"))
        steps::openFlow(*_tabBarController);
    else if (what == QLatin1String("quiz"))
        practice::openPractice(*_tabBarController);
    else if (what.startsWith(QLatin1String("quiz/")))
        practice::openTopic(*_tabBarController, what.mid(5));
    else
        kit::log(QStringLiteral("No help is called %1").arg(what));
}

void ApplicationShell::didSelectViewController(kit::TabBarController&, kit::ViewController*) {}

} // namespace app
