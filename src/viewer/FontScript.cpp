// SPDX-License-Identifier: GPL-3.0-or-later
#include "FontScript.h"

#include "ReadingZoom.h"

namespace viewer {

float articleFontSize()
{
    return storedZoom() * baseFontSize;
}

QString fontScript(float fontSize)
{
    const double size = double(fontSize);
    return QString::asprintf(
        "parent.parent.document.body.style.fontSize = %f;var cells = "
        "document.getElementsByTagName(\"td\");for (var i = 0; i < cells.length; "
        "i++){cells[i].style.fontSize='%fpx';}",
        size, size);
}

} // namespace viewer
