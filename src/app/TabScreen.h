#pragma once

#include "kit/controllers/ViewController.h"

// A screen at the root of a tab. Before every tab switch the tab being left is
// told to close, which puts it back into its resting state.
class TabScreen : public kit::ViewController {
    Q_OBJECT

public:
    virtual void close() = 0;
};
