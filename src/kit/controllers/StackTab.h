// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NavigationController.h"
#include "TabScreen.h"

#include <memory>

namespace kit {

// A tab whose screens are a navigation stack of its own: a white view as large as the
// application area, holding the stack under its bar. The stack follows the view's size
// (the tab bar controller shrinks the view to the room above the tab bar). Leaving the
// tab pops the stack back to its root.
class StackTab : public TabScreen {
    Q_OBJECT

public:
    ~StackTab() override;

    // The tab's stack; none until the view has loaded.
    NavigationController* stack() const { return _stack.get(); }

    // Pops back to the stack's root screen.
    void close() override;

protected:
    // viewName is the object name of the tab's white view.
    explicit StackTab(const QString& viewName);

    void loadView() override;
    // Puts a stack with root at its bottom into the view, height points high from its top,
    // as this screen's child. Called once, from viewDidLoad.
    NavigationController& hostStack(std::unique_ptr<ViewController> root, int height);

private:
    QString _viewName;
    std::unique_ptr<NavigationController> _stack;
};

} // namespace kit
