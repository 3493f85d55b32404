// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextMeasure.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace kit {

QSizeF sizeWithFont(const QString& text, const QFont& font, const QSizeF& constraint,
                    LineBreakMode mode)
{
    if (text.isEmpty())
        return {0, 0};

    const bool wraps = mode == LineBreakMode::WordWrap || mode == LineBreakMode::CharacterWrap;
    QString laidOut = text;
    laidOut.replace(QLatin1Char('\n'), QChar::LineSeparator);
    if (!wraps) {
        // One line: what follows the first line break is not shown.
        laidOut = laidOut.section(QChar::LineSeparator, 0, 0);
    }

    QTextOption option;
    option.setWrapMode(mode == LineBreakMode::CharacterWrap
                           ? QTextOption::WrapAnywhere
                           : QTextOption::WrapAtWordBoundaryOrAnywhere);
    QTextLayout layout(laidOut, font);
    layout.setTextOption(option);
    layout.beginLayout();
    double height = 0;
    double width = 0;
    const double maxWidth = wraps ? constraint.width() : 1e9;
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(maxWidth);
        if (height + line.height() > constraint.height() && height > 0)
            break;
        height += line.height();
        width = std::max(width, line.naturalTextWidth());
    }
    layout.endLayout();
    width = std::min(width, constraint.width());
    return {std::ceil(width), std::ceil(height)};
}

void drawText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
              LineBreakMode mode, int numberOfLines, Qt::Alignment alignment)
{
    if (text.isEmpty())
        return;
    painter.setFont(font);
    const bool wraps = numberOfLines != 1 &&
                       (mode == LineBreakMode::WordWrap || mode == LineBreakMode::CharacterWrap);
    if (!wraps) {
        Qt::TextElideMode elide = Qt::ElideNone;
        if (mode == LineBreakMode::TailTruncation)
            elide = Qt::ElideRight;
        else if (mode == LineBreakMode::HeadTruncation)
            elide = Qt::ElideLeft;
        else if (mode == LineBreakMode::MiddleTruncation)
            elide = Qt::ElideMiddle;
        const QString line = text.section(QLatin1Char('\n'), 0, 0);
        const QString shown = elide == Qt::ElideNone
                                  ? line
                                  : QFontMetricsF(font).elidedText(line, elide, box.width());
        painter.drawText(box, int(alignment) | Qt::TextSingleLine, shown);
        return;
    }
    QString laidOut = text;
    laidOut.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextOption option;
    option.setWrapMode(mode == LineBreakMode::CharacterWrap
                           ? QTextOption::WrapAnywhere
                           : QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setAlignment(alignment & Qt::AlignHorizontal_Mask);
    QTextLayout layout(laidOut, font);
    layout.setTextOption(option);
    layout.beginLayout();
    double height = 0;
    int lines = 0;
    for (;;) {
        if (numberOfLines > 0 && lines == numberOfLines)
            break;
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(box.width());
        line.setPosition(QPointF(0, height));
        height += line.height();
        ++lines;
    }
    layout.endLayout();
    double top = box.top();
    if (alignment & Qt::AlignVCenter)
        top += (box.height() - height) / 2;
    else if (alignment & Qt::AlignBottom)
        top += box.height() - height;
    painter.save();
    painter.setClipRect(box);
    layout.draw(&painter, QPointF(box.left(), top));
    painter.restore();
}

} // namespace kit
