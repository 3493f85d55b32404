// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorView.h"

#include <QPaintEvent>
#include <QPainter>

namespace kit {

ColorView::ColorView(const QColor& color, QWidget* parent) : QWidget(parent), _color(color)
{
    setAttribute(Qt::WA_OpaquePaintEvent, color.alpha() == 255);
}

void ColorView::setBackgroundColor(const QColor& color)
{
    if (_color == color)
        return;
    if ((color.alpha() == 255) != (_color.alpha() == 255))
        setAttribute(Qt::WA_OpaquePaintEvent, color.alpha() == 255);
    _color = color;
    update();
}

void ColorView::paintEvent(QPaintEvent* event)
{
    QPainter(this).fillRect(event->rect(), _color);
}

} // namespace kit
