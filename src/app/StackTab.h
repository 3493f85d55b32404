#pragma once

#include "TabScreen.h"
#include "kit/controllers/NavigationController.h"

#include <QColor>

#include <memory>

// The dark red of the application's navigation bars.
QColor barTint();

// A tab whose screens are a navigation stack of its own: a white view as large as
// the application area, holding the stack under a dark red bar. The stack follows
// the view's size (the tab bar controller shrinks the view to the room above the
// tab bar). Leaving the tab pops the stack back to its root.
class StackTab : public TabScreen {
    Q_OBJECT

public:
    ~StackTab() override;

    // The tab's stack; none until the view has loaded.
    kit::NavigationController* stack() const { return _stack.get(); }

    // Pops back to the stack's root screen.
    void close() override;

protected:
    // viewName is the object name of the tab's white view.
    explicit StackTab(const QString& viewName);

    void loadView() override;
    // Puts a stack with root at its bottom into the view, height points high from its top, and
    // passes the tab's appearance calls on to it. Called once, from viewDidLoad.
    kit::NavigationController& hostStack(std::unique_ptr<kit::ViewController> root, int height);

private:
    QString _viewName;
    std::unique_ptr<kit::NavigationController> _stack;
};
