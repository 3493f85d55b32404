#pragma once

#include "app/TabScreen.h"
#include "kit/controllers/NavigationController.h"

#include <memory>

class MapWindow;

// The card tab: a navigation stack of its own with the card screen at its root
// and the field editors pushed above it.
class Map final : public TabScreen {
    Q_OBJECT

public:
    Map();
    ~Map() override;

    // Back to the card screen; an editor that is open goes without saving.
    void close() override;

    kit::NavigationController* body() const { return _body.get(); }
    MapWindow* window() const { return _window; }

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    std::unique_ptr<kit::NavigationController> _body;
    // The card screen, owned by the stack for as long as this tab lives.
    MapWindow* _window = nullptr;
};
