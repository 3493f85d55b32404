// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

class QPainter;

namespace kit {

// The phone's line-break modes, with its numbering.
enum class LineBreakMode {
    WordWrap = 0,
    CharacterWrap = 1,
    Clip = 2,
    HeadTruncation = 3,
    TailTruncation = 4,
    MiddleTruncation = 5,
};

// The size a text needs in a font within a width (and height) limit, as the
// phone's sizeWithFont:constrainedToSize:lineBreakMode: measures it: the wrap
// modes break at words (a word wider than the limit breaks anywhere), the other
// modes keep one line. Sizes are rounded up to whole points; an empty text needs none.
QSizeF sizeWithFont(const QString& text, const QFont& font, const QSizeF& constraint,
                    LineBreakMode mode);

// Draws a text in a box as a label does: wrapped as sizeWithFont measures it when the
// mode wraps and more than one line is allowed (0 lines: no limit), otherwise on one
// line, shortened with an ellipsis as the mode says; placed in the box by the alignment.
void drawText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
              LineBreakMode mode, int numberOfLines, Qt::Alignment alignment);

} // namespace kit
