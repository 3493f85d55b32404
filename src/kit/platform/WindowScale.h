// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

class QSizeF;
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
    // The largest step at most wanted whose window still fits the room a screen leaves
    // (both in the screen's own pixels; the frame is what the desktop draws around the
    // window, not scaled); 100 % always.
    static double fitting(double wanted, const QSizeF& windowAtOne, const QSizeF& frame,
                          const QSizeF& room);
    // The same for a window on the screen it is on (or the first screen).
    static double fitting(double wanted, const QWidget& window);
};

} // namespace kit
