// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ViewController.h"

namespace kit {

// A screen at the root of a tab. Before every tab switch the tab being left is told to
// close, which puts it back into its resting state.
class TabScreen : public ViewController {
    Q_OBJECT

public:
    virtual void close() = 0;
};

} // namespace kit
