// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/views/TitledButton.h"

namespace viewer::looks {

// The first answer (what Space and Enter press) and the coach's chosen mode: the
// application's dark red.
inline const kit::TitledButton::Look& answer()
{
    static const kit::TitledButton::Look look = {
        {{0, QColor(0xc0, 0x1c, 0x1c)}, {1, QColor(0x8a, 0x08, 0x08)}},
        {{0, QColor(0x8a, 0x08, 0x08)}, {1, QColor(0x5c, 0x04, 0x04)}},
        QColor(0x4a, 0x03, 0x03),
        10,
    };
    return look;
}

// The other answers: as large, in a dark slate, so no answer looks like the safe one by colour.
inline const kit::TitledButton::Look& secondAnswer()
{
    static const kit::TitledButton::Look look = {
        {{0, QColor(0x4a, 0x55, 0x63)}, {1, QColor(0x2f, 0x38, 0x44)}},
        {{0, QColor(0x2f, 0x38, 0x44)}, {1, QColor(0x1c, 0x22, 0x2a)}},
        QColor(0x16, 0x1b, 0x22),
        10,
    };
    return look;
}

// Small buttons beside the task: the page, pause, the modes not chosen.
inline const kit::TitledButton::Look& quiet()
{
    static const kit::TitledButton::Look look = {
        {{0, QColor(0x7a, 0x7a, 0x7a)}, {1, QColor(0x5a, 0x5a, 0x5a)}},
        {{0, QColor(0x5a, 0x5a, 0x5a)}, {1, QColor(0x3c, 0x3c, 0x3c)}},
        QColor(0x33, 0x33, 0x33),
        6,
    };
    return look;
}

} // namespace viewer::looks
