// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ViewController.h"

#include <memory>
#include <vector>

namespace kit {

class TabBar;
class TabBarController;

class TabBarControllerDelegate {
public:
    virtual ~TabBarControllerDelegate() = default;
    // Asked before every selection the user makes, also a tap on the selected tab.
    virtual bool shouldSelectViewController(TabBarController& tabBarController,
                                            ViewController* viewController) = 0;
    virtual void didSelectViewController(TabBarController& tabBarController,
                                         ViewController* viewController) = 0;
};

// Screens side by side, one shown at a time above a tab bar. A screen's view is
// made the first time its tab is shown, not before.
class TabBarController final : public ViewController {
    Q_OBJECT

public:
    TabBarController();
    ~TabBarController() override;

    void setViewControllers(std::vector<std::unique_ptr<ViewController>> viewControllers);
    std::vector<ViewController*> viewControllers() const;

    int selectedIndex() const { return _selected; }
    void setSelectedIndex(int index);
    ViewController* selectedViewController() const;

    TabBar* tabBar();

    TabBarControllerDelegate* delegate() const { return _delegate; }
    void setDelegate(TabBarControllerDelegate* delegate) { _delegate = delegate; }

    void viewWillAppear(bool animated) override;

protected:
    void loadView() override;
    // The selected screen.
    std::vector<ViewController*> shownChildren() const override;

private:
    void userTapped(int index);
    void place(ViewController* controller);

    std::vector<std::unique_ptr<ViewController>> _controllers;
    TabBar* _tabBar = nullptr;
    QWidget* _content = nullptr;
    TabBarControllerDelegate* _delegate = nullptr;
    int _selected = -1;
};

} // namespace kit
