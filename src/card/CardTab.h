// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/controllers/StackTab.h"

namespace card {

class CardScreen;

// The card tab: a navigation stack of its own with the card screen at its root
// and the field editors pushed above it. Leaving the tab drops an open editor
// without saving.
class CardTab final : public kit::StackTab {
    Q_OBJECT

public:
    CardTab();

    // The card screen, at the bottom of the stack.
    CardScreen* cardScreen() const { return _cardScreen; }

protected:
    void viewDidLoad() override;

private:
    // Owned by the stack for as long as this tab lives.
    CardScreen* _cardScreen = nullptr;
};

} // namespace card
