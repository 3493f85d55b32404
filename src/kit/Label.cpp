#include "Label.h"

#include "Font.h"

#include <QPainter>

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
    const bool wraps = _numberOfLines != 1
        && (_lineBreakMode == LineBreakMode::WordWrap || _lineBreakMode == LineBreakMode::CharacterWrap);
    setWordWrap(wraps);
}

} // namespace kit

namespace kit {

void Label::paintEvent(QPaintEvent*)
{
    // Drawn as it is measured, with the phone's line-break modes (a long single line
    // ends in an ellipsis).
    const QColor colour = palette().color(QPalette::WindowText);
    const qreal ratio = devicePixelRatioF();
    const QString key = QStringLiteral("%1|%2|%3|%4x%5|%6|%7|%8|%9")
                            .arg(text(), font().key(), colour.name(QColor::HexArgb))
                            .arg(width())
                            .arg(height())
                            .arg(int(_lineBreakMode))
                            .arg(_numberOfLines)
                            .arg(int(alignment()))
                            .arg(ratio);
    if (key != _renderedKey) {
        _renderedKey = key;
        _rendered = QImage((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        _rendered.setDevicePixelRatio(ratio);
        _rendered.fill(Qt::transparent);
        QPainter painter(&_rendered);
        painter.setPen(colour);
        drawText(painter, contentsRect(), text(), font(), _lineBreakMode, _numberOfLines, alignment());
    }
    QPainter(this).drawImage(0, 0, _rendered);
}

} // namespace kit
