// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ViewController.h"

#include <memory>
#include <vector>

namespace kit {

class NavigationBar;
class NavigationController;

class NavigationControllerDelegate {
public:
    virtual ~NavigationControllerDelegate() = default;
    virtual void willShowViewController(NavigationController& navigationController,
                                        ViewController* viewController, bool animated) = 0;
};

// A stack of screens under a navigation bar. The stack owns its screens; a
// popped screen is destroyed once control is back in the event loop, so a
// screen may pop itself from its own actions.
class NavigationController final : public ViewController {
    Q_OBJECT

public:
    explicit NavigationController(std::unique_ptr<ViewController> root);
    ~NavigationController() override;

    void pushViewController(std::unique_ptr<ViewController> viewController, bool animated);
    // Pops the top screen unless it is the root.
    void popViewControllerAnimated(bool animated);
    // Pops every screen above the root at once: only the top one and the root are told
    // they disappear and appear.
    void popToRootViewControllerAnimated(bool animated);

    std::vector<ViewController*> viewControllers() const;
    ViewController* topViewController() const;

    NavigationBar* navigationBar();
    bool isNavigationBarHidden() const { return _barHidden; }
    void setNavigationBarHidden(bool hidden, bool animated);

    NavigationControllerDelegate* delegate() const { return _delegate; }
    void setDelegate(NavigationControllerDelegate* delegate) { _delegate = delegate; }

    void viewWillAppear(bool animated) override;

protected:
    void loadView() override;
    // The top screen.
    std::vector<ViewController*> shownChildren() const override;

private:
    void show(ViewController* incoming, ViewController* outgoing, bool animated);
    void layout();
    void updateBar();

    std::vector<std::unique_ptr<ViewController>> _stack;
    NavigationBar* _bar = nullptr;
    QWidget* _content = nullptr;
    NavigationControllerDelegate* _delegate = nullptr;
    bool _barHidden = false;
};

} // namespace kit
