#pragma once

#include "app/TabScreen.h"

// The SOS tab: holding its help button brings up the emergency card.
class SOS final : public TabScreen {
    Q_OBJECT

public:
    SOS();
    void close() override;

protected:
    void loadView() override;
};
