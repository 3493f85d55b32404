#pragma once

#include "app/StackTab.h"

class MapWindow;

// The card tab: a navigation stack of its own with the card screen at its root
// and the field editors pushed above it. Leaving the tab drops an open editor
// without saving.
class Map final : public StackTab {
    Q_OBJECT

public:
    Map();

    kit::NavigationController* body() const { return stack(); }
    MapWindow* window() const { return _window; }

protected:
    void viewDidLoad() override;

private:
    // The card screen, owned by the stack for as long as this tab lives.
    MapWindow* _window = nullptr;
};
