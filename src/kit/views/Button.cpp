// SPDX-License-Identifier: GPL-3.0-or-later
#include "Button.h"

#include "Font.h"

#include <QEvent>
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
    forgetFaces();
    update();
}

void Button::setTitleColor(const QColor& color)
{
    _titleColor = color;
    forgetFaces();
    update();
}

void Button::setImage(const QImage& image, State state)
{
    _image[index(state)] = image;
    forgetFaces();
    update();
}

void Button::setBackgroundImage(const QImage& image, State state)
{
    _background[index(state)] = image;
    forgetFaces();
    update();
}

QImage Button::image(State state) const
{
    return _image[index(state)];
}

void Button::setUnderlined(bool underlined)
{
    _underlined = underlined;
    forgetFaces();
    update();
}

void Button::drawFace(QPainter& painter, bool pressed) const
{
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    const QImage& background =
        pressed && !_background[1].isNull() ? _background[1] : _background[0];
    const QImage& image = pressed && !_image[1].isNull() ? _image[1] : _image[0];

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
}

void Button::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool pressed = isHighlighted();
    const bool ownPressedLook = pressed && (!_background[1].isNull() || !_image[1].isNull());
    if (!isEnabled()) {
        painter.setOpacity(0.45);
        drawFace(painter, pressed);
    } else {
        // The face is drawn once per state and size and copied after that: a button over a
        // flashing background is repainted a hundred times a second.
        const qreal ratio = devicePixelRatioF();
        Face& face = _faces[ownPressedLook ? 1 : 0];
        if (face.image.isNull() || face.size != size() || face.image.devicePixelRatio() != ratio) {
            face.size = size();
            face.image =
                QImage((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
            face.image.setDevicePixelRatio(ratio);
            face.image.fill(Qt::transparent);
            QPainter onFace(&face.image);
            drawFace(onFace, ownPressedLook);
        }
        painter.drawImage(QPoint(0, 0), face.image);
    }
    // Drawn darker while pressed, unless the state has pictures of its own.
    if (pressed && !ownPressedLook) {
        painter.setOpacity(1.0);
        painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        painter.fillRect(rect(), QColor(0, 0, 0, 90));
    }
}

void Button::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange)
        forgetFaces();
    Control::changeEvent(event);
}

void Button::forgetFaces()
{
    for (Face& face : _faces)
        face.image = QImage();
}

} // namespace kit
