#include "Label.h"

#include "Font.h"

namespace kit {

Label::Label(QWidget* parent) : QLabel(parent)
{
    setFont(systemFont(17));
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    applyWrapping();
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
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, color);
    setPalette(colours);
}

void Label::setBackgroundColor(const QColor& color)
{
    setAutoFillBackground(color.alpha() > 0);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    setPalette(colours);
}

void Label::applyWrapping()
{
    const bool wraps = _numberOfLines != 1
        && (_lineBreakMode == LineBreakMode::WordWrap || _lineBreakMode == LineBreakMode::CharacterWrap);
    setWordWrap(wraps);
}

} // namespace kit
