// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

class QWidget;

namespace kit {

// How large the whole window is drawn over its layout of points: 100 %, 125 %, 150 % or
// 200 %, on top of whatever scale the desktop itself gives the screen. Text and pictures are
// drawn at the new size, as sharp as on a high-resolution screen (it is the same scaling),
// and the window takes its new size at once.
class WindowScale final {
public:
    // The steps offered, smallest first.
    static const std::vector<double>& steps();
    static double factor();
    // Scales every screen's windows to a step (the nearest one to factor).
    static void setFactor(double factor);
    // The next larger or smaller step; the same at either end.
    static double larger(double factor);
    static double smaller(double factor);
};

} // namespace kit
