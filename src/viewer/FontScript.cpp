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

QString rescaleScript(float fontSize)
{
    // The first block whose bottom is below the top of the view, and how far into it the view
    // starts; after the new sizes, the view is put back at the same share of that block.
    return QStringLiteral(
               "(function(){var top=null,share=0;"
               "if(window.scrollY>0){var blocks=document.body.querySelectorAll("
               "'h1,h2,h3,h4,p,li,tr,figure,svg,blockquote,pre,dt,dd');"
               "for(var i=0;i<blocks.length;i++){var r=blocks[i].getBoundingClientRect();"
               "if(r.height>0&&r.bottom>0){top=blocks[i];share=r.height>0?-r.top/r.height:0;"
               "break;}}}") +
           fontScript(fontSize) +
           QStringLiteral("if(top){var r=top.getBoundingClientRect();"
                          "window.scrollBy(0,r.top+share*r.height);}})();");
}

} // namespace viewer
