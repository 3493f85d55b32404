#pragma once

#include <QString>

namespace viewer {

// The script that gives a page its text size: the body's font size as a bare
// number (honoured in quirks mode, which is why the pages carry no DOCTYPE) and
// every table cell's in pixels, since quirks-mode tables do not inherit it.
QString fontScript(float fontSize);

} // namespace viewer
