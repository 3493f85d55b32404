#include "TextMeasure.h"

#include <QFontMetricsF>
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
    option.setWrapMode(mode == LineBreakMode::CharacterWrap ? QTextOption::WrapAnywhere
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

} // namespace kit
