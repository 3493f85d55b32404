#pragma once

#include "app/TabScreen.h"

// The emergency services tab: the pages of the four services.
class Telephones final : public TabScreen {
    Q_OBJECT

public:
    Telephones();
    void close() override;

protected:
    void loadView() override;
};
