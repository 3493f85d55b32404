// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

namespace kit {

// Pictures of the bundle, loaded once and kept, as the phone's imageNamed: does.
// Where a screen has more than one device pixel per point and the bundle has
// name@2x.png beside name.png, that one is taken, with a device pixel ratio of 2:
// either way the picture's size in points is deviceIndependentSize().
// A missing or unreadable picture is a null image.
QImage imageNamed(const QString& fileName);

// For tests: makes imageNamed choose as for a screen of this device pixel ratio
// (0: the application's own) and forget the pictures it has loaded.
void setImageRatioForTesting(qreal ratio);

} // namespace kit
