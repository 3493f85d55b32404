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
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    drawText(painter, contentsRect(), text(), font(), _lineBreakMode, _numberOfLines, alignment());
}

} // namespace kit
