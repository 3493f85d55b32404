// SPDX-License-Identifier: GPL-3.0-or-later
#include "Label.h"

#include "Font.h"

#include <QPainter>

#include <algorithm>
#include <limits>

namespace kit {

Label::Label(QWidget* parent) : QLabel(parent)
{
    setFont(systemFont(17));
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    applyWrapping();
    applyColours();
}

void Label::setLineBreakMode(LineBreakMode mode)
{
    _lineBreakMode = mode;
    applyWrapping();
}

void Label::setNumberOfLines(int lines)
{
    _numberOfLines = lines;
    applyWrapping();
}

void Label::setTextColor(const QColor& color)
{
    _text = color;
    applyColours();
}

void Label::setBackgroundColor(const QColor& color)
{
    _background = color;
    applyColours();
}

void Label::setHighlighted(bool highlighted)
{
    _highlighted = highlighted;
    applyColours();
}

void Label::applyColours()
{
    const QColor background = _highlighted ? QColor(Qt::transparent) : _background;
    setAutoFillBackground(background.alpha() > 0);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, _highlighted ? QColor(Qt::white) : _text);
    colours.setColor(QPalette::Window, background);
    setPalette(colours);
}

void Label::applyWrapping()
{
    const bool wraps = _numberOfLines != 1 && (_lineBreakMode == LineBreakMode::WordWrap ||
                                               _lineBreakMode == LineBreakMode::CharacterWrap);
    setWordWrap(wraps);
}

} // namespace kit

namespace kit {
namespace {

// The smallest rectangle holding every pixel that is not fully transparent.
QRect inkedBounds(const QImage& image)
{
    int left = image.width();
    int right = -1;
    int top = image.height();
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

void Label::paintEvent(QPaintEvent*)
{
    // Drawn as it is measured, with the phone's line-break modes (a long single line
    // ends in an ellipsis).
    const Drawn now{text(),
                    font(),
                    palette().color(QPalette::WindowText),
                    size(),
                    _lineBreakMode,
                    _numberOfLines,
                    alignment(),
                    devicePixelRatioF()};
    if (!_renderedValid || !(now == _drawn)) {
        _drawn = now;
        _renderedValid = true;
        _rendered =
            QImage((QSizeF(size()) * now.ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        _rendered.setDevicePixelRatio(now.ratio);
        _rendered.fill(Qt::transparent);
        {
            QPainter painter(&_rendered);
            painter.setPen(now.colour);
            drawText(painter, contentsRect(), text(), font(), _lineBreakMode, _numberOfLines,
                     alignment());
        }
        // Only the part the text covers is kept, so each repaint copies no empty pixels.
        const QRect inked = inkedBounds(_rendered);
        _renderedAt = (QPointF(inked.topLeft()) / now.ratio).toPoint();
        _rendered = inked.isEmpty() ? QImage() : _rendered.copy(inked);
    }
    if (!_rendered.isNull())
        QPainter(this).drawImage(_renderedAt, _rendered);
}

float fittingHeight(const Label& label)
{
    const QSizeF size = sizeWithFont(label.text(), label.font(),
                                     QSizeF(label.width(), std::numeric_limits<float>::max()),
                                     label.lineBreakMode());
    return float(size.height()) + 8.0f;
}

} // namespace kit
