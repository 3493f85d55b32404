#pragma once

#include "app/TabScreen.h"

// The card tab: the owner's medical card and its editors.
class Map final : public TabScreen {
    Q_OBJECT

public:
    Map();
    void close() override;

protected:
    void loadView() override;
};
