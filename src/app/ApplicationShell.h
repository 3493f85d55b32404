// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/controllers/Application.h"
#include "kit/controllers/TabBarController.h"
#include "kit/controllers/Window.h"

#include <QObject>

#include <functional>
#include <memory>

namespace app {

// The application's shell, and its delegate: it holds the window and the tab bar,
// chooses the starting tab from the owner's card when launching has finished, and
// closes the tab being left at every switch. Nothing the owner typed is thrown away
// unasked: leaving a tab, closing the window or quitting with an unsaved edit open asks
// "Сохранить изменения?" first, and closing over the emergency card asks whether to close it.
class ApplicationShell final : public QObject,
                               public kit::ApplicationDelegate,
                               public kit::TabBarControllerDelegate {
    Q_OBJECT

public:
    ApplicationShell();
    ~ApplicationShell() override;

    kit::Window* window() const { return _window.get(); }
    void setWindow(std::unique_ptr<kit::Window> window);
    kit::TabBarController* tabBarController() const { return _tabBarController.get(); }
    void setTabBarController(std::unique_ptr<kit::TabBarController> tabBarController);

    void applicationDidFinishLaunching(kit::Application& application) override;
    bool shouldSelectViewController(kit::TabBarController& tabBarController,
                                    kit::ViewController* viewController) override;
    void didSelectViewController(kit::TabBarController& tabBarController,
                                 kit::ViewController* viewController) override;
    bool applicationShouldTerminate(kit::Application& application) override;
    // "cpr": the CPR coach; "steps": the step-by-step help; over whatever is on the window.
    void performAction(kit::Application& application, const QString& action) override;
    void openHelp(const QString& what);

private:
    // Asks whether to save the open edit; then runs proceed unless the owner chose Отмена
    // or the edit could not be saved.
    void askToSaveChanges(kit::ViewController& holder, std::function<void()> proceed);

    // Destroyed in reverse order: the tab bar controller first, then the window.
    std::unique_ptr<kit::Window> _window;
    std::unique_ptr<kit::TabBarController> _tabBarController;
};

} // namespace app
