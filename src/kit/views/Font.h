// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

namespace kit {

// Fonts sized in points of the 320 × 480 screen, one pixel each.
QFont systemFont(double size);
QFont boldSystemFont(double size);
// A font by the phone's PostScript name ("Arial-ItalicMT", "Helvetica-Bold").
QFont fontWithName(const QString& name, double size);

} // namespace kit
