#pragma once

#include "app/TabScreen.h"

// The universal scheme tab: the first-aid algorithm and the articles it links to.
class Schema final : public TabScreen {
    Q_OBJECT

public:
    Schema();
    void close() override;

protected:
    void loadView() override;
};
