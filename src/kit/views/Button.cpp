#include "Button.h"

#include "Font.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kit {
namespace {

size_t index(Button::State state)
{
    return state == Button::State::Highlighted ? 1 : 0;
}

} // namespace

Button::Button(QWidget* parent) : Control(parent)
{
    setFont(boldSystemFont(15));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void Button::setTitle(const QString& title)
{
    _title = title;
    setAccessibleName(title);
    update();
}

void Button::setTitleColor(const QColor& color)
{
    _titleColor = color;
    update();
}

void Button::setImage(const QImage& image, State state)
{
    _image[index(state)] = image;
    update();
}

void Button::setBackgroundImage(const QImage& image, State state)
{
    _background[index(state)] = image;
    update();
}

QImage Button::image(State state) const
{
    return _image[index(state)];
}

void Button::setUnderlined(bool underlined)
{
    _underlined = underlined;
    update();
}

void Button::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool pressed = isHighlighted();
    const bool ownPressedBackground = pressed && !_background[1].isNull();
    const bool ownPressedImage = pressed && !_image[1].isNull();
    const QImage& background = ownPressedBackground ? _background[1] : _background[0];
    const QImage& image = ownPressedImage ? _image[1] : _image[0];
    if (!isEnabled())
        painter.setOpacity(0.45);

    // Pictures at their own size are copied as they are; only stretched ones are scaled.
    // Sizes are in points, whatever the picture's device pixel ratio.
    if (!background.isNull()) {
        if (background.deviceIndependentSize() == QSizeF(size()))
            painter.drawImage(QPoint(0, 0), background);
        else
            painter.drawImage(rect(), background);
    }

    const QSize naturalSize = image.deviceIndependentSize().toSize();
    const QSize imageSize = image.isNull() ? QSize() : naturalSize.boundedTo(size());
    const int titleRoom = std::max(0, width() - imageSize.width());
    const QFontMetricsF metrics(font(), this);
    // No room for the title: nothing to measure or draw.
    const int titleWidth =
        _title.isEmpty() || titleRoom == 0
            ? 0
            : std::min(titleRoom, int(std::ceil(metrics.horizontalAdvance(_title))));
    const int left = (width() - imageSize.width() - titleWidth) / 2;
    if (!image.isNull()) {
        const QPoint at(left, (height() - imageSize.height()) / 2);
        if (imageSize == naturalSize)
            painter.drawImage(at, image);
        else
            painter.drawImage(QRect(at, imageSize), image);
    }
    if (titleWidth > 0) {
        QFont titleFont = font();
        titleFont.setUnderline(_underlined);
        painter.setFont(titleFont);
        painter.setPen(_titleColor);
        const QRect titleBox(left + imageSize.width(), 0, titleWidth, height());
        painter.drawText(titleBox, Qt::AlignCenter,
                         metrics.elidedText(_title, Qt::ElideRight, titleWidth));
    }
    // Drawn darker while pressed, unless the state has pictures of its own.
    if (pressed && !ownPressedBackground && !ownPressedImage) {
        painter.setOpacity(1.0);
        painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        painter.fillRect(rect(), QColor(0, 0, 0, 90));
    }
}

} // namespace kit
