// SPDX-License-Identifier: GPL-3.0-or-later
#include "Slider.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kit {

Slider::Slider(QWidget* parent) : Control(parent)
{
    setObjectName(QStringLiteral("slider"));
    setFrame(QRect(0, 0, 118, 23));
}

int Slider::thumbOverhang() const
{
    return std::max(0, (thumbDiameter - _frame.height() + 1) / 2);
}

void Slider::setFrame(const QRect& frame)
{
    _frame = frame;
    const int overhang = thumbOverhang();
    setGeometry(frame.adjusted(0, -overhang, 0, overhang));
}

void Slider::setValue(float value, bool)
{
    const float clamped = std::clamp(value, _minimum, std::max(_minimum, _maximum));
    if (clamped == _value)
        return;
    _value = clamped;
    update();
}

void Slider::setMinimumValue(float minimum)
{
    _minimum = minimum;
    setValue(_value);
}

void Slider::setMaximumValue(float maximum)
{
    _maximum = maximum;
    setValue(_value);
}

void Slider::setBackgroundColor(const QColor& color)
{
    _background = color;
    update();
}

QPointF Slider::thumbCenter() const
{
    const double radius = thumbDiameter / 2.0;
    const double travel = std::max(0.0, width() - 2 * radius);
    const double range = _maximum - _minimum;
    const double fraction = range > 0 ? (_value - _minimum) / range : 0;
    return {radius + fraction * travel, height() / 2.0};
}

float Slider::valueAt(double x) const
{
    const double radius = thumbDiameter / 2.0;
    const double travel = std::max(1.0, width() - 2 * radius);
    const double fraction = std::clamp((x - radius) / travel, 0.0, 1.0);
    return float(_minimum + fraction * (_maximum - _minimum));
}

void Slider::moveTo(double x)
{
    const float old = _value;
    setValue(valueAt(x));
    if (_value == old)
        return;
    if (_continuous)
        sendActionsForControlEvents(ControlEvent::ValueChanged);
    else
        _changedWhileTracking = true;
}

void Slider::beginTracking(QPoint position)
{
    _changedWhileTracking = false;
    const QPointF thumb = thumbCenter();
    if (std::abs(position.x() - thumb.x()) <= thumbDiameter / 2.0) {
        // Grabbing the thumb moves it with the finger without a jump.
        _grabOffset = thumb.x() - position.x();
        return;
    }
    // A press on the track brings the thumb under the finger.
    _grabOffset = 0;
    moveTo(position.x());
}

void Slider::continueTracking(QPoint position)
{
    moveTo(position.x() + _grabOffset);
}

void Slider::endTracking(QPoint position)
{
    moveTo(position.x() + _grabOffset);
    if (_changedWhileTracking) {
        _changedWhileTracking = false;
        sendActionsForControlEvents(ControlEvent::ValueChanged);
    }
}

void Slider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (_background.alpha() > 0)
        painter.fillRect(QRect(0, thumbOverhang(), width(), _frame.height()), _background);

    const QPointF thumb = thumbCenter();
    const double trackHeight = 9;
    const QRectF track(1, height() / 2.0 - trackHeight / 2, width() - 2, trackHeight);
    QPainterPath trackPath;
    trackPath.addRoundedRect(track, trackHeight / 2, trackHeight / 2);

    // Left of the thumb blue, right of it white, as the phone draws the track.
    painter.save();
    painter.setClipRect(QRectF(0, 0, thumb.x(), height()));
    QLinearGradient minimum(track.topLeft(), track.bottomLeft());
    minimum.setColorAt(0, QColor(0x3b, 0x7d, 0xe0));
    minimum.setColorAt(1, QColor(0x8c, 0xb8, 0xf2));
    painter.fillPath(trackPath, minimum);
    painter.restore();
    painter.save();
    painter.setClipRect(QRectF(thumb.x(), 0, width(), height()));
    QLinearGradient maximum(track.topLeft(), track.bottomLeft());
    maximum.setColorAt(0, QColor(0xc8, 0xc8, 0xc8));
    maximum.setColorAt(1, QColor(0xfc, 0xfc, 0xfc));
    painter.fillPath(trackPath, maximum);
    painter.restore();
    painter.setPen(QPen(QColor(0, 0, 0, 110), 1));
    painter.drawPath(trackPath);

    const double radius = thumbDiameter / 2.0 - 1;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawEllipse(thumb + QPointF(0, 1), radius, radius);
    QLinearGradient knob(thumb.x(), thumb.y() - radius, thumb.x(), thumb.y() + radius);
    knob.setColorAt(0, isHighlighted() ? QColor(0xe4, 0xe4, 0xe4) : Qt::white);
    knob.setColorAt(1, QColor(0xd2, 0xd2, 0xd2));
    painter.setBrush(knob);
    painter.setPen(QPen(QColor(0x8a, 0x8a, 0x8a), 1));
    painter.drawEllipse(thumb, radius, radius);
}

void Slider::keyPressEvent(QKeyEvent* event)
{
    const float step = (_maximum - _minimum) / 10;
    float target = _value;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        target -= step;
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        target += step;
        break;
    case Qt::Key_Home:
        target = _minimum;
        break;
    case Qt::Key_End:
        target = _maximum;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
        if (!event->isAutoRepeat())
            sendActionsForControlEvents(ControlEvent::TouchUpInside);
        return;
    default:
        Control::keyPressEvent(event);
        return;
    }
    const float before = _value;
    setValue(target);
    if (_value != before)
        sendActionsForControlEvents(ControlEvent::ValueChanged);
}

} // namespace kit
