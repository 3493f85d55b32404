// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace viewer {

// A page's text size at zoom 1, in pixels; the reading zoom (1 to 2) multiplies it.
inline constexpr float baseFontSize = 15.0f;

// The text size an article opens with: the stored reading zoom times the base size.
float articleFontSize();

// The script that gives a page its text size: the body's font size as a bare
// number (honoured in quirks mode, which is why the pages carry no DOCTYPE) and
// every table cell's in pixels, since quirks-mode tables do not inherit it.
QString fontScript(float fontSize);

// The font script for a page being read, as the zoom slider moves: the same sizes, and the
// reading place kept: the block of text at the top of the view (a paragraph, an item, a
// heading, a drawing) stays there, as far into it as it was.
QString rescaleScript(float fontSize);

} // namespace viewer
