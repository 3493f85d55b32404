#pragma once

#include "app/TabScreen.h"

// The contents tab: the table of contents and the articles opened from it.
class Content final : public TabScreen {
    Q_OBJECT

public:
    Content();
    void close() override;

protected:
    void loadView() override;
};
