// SPDX-License-Identifier: GPL-3.0-or-later
#include "TitledButton.h"

#include <QEvent>
#include <QPainter>

namespace kit {

TitledButton::TitledButton(const QString& title, const Look& look, QWidget* parent)
    : Control(parent), _title(title), _look(look)
{
    setAccessibleName(title);
}

void TitledButton::drawFace(QPainter& painter, bool pressed) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    // A button that cannot be pressed now is shown faded.
    if (!isEnabled())
        painter.setOpacity(0.45);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setStops(pressed ? _look.pressed : _look.normal);
    painter.setPen(QPen(_look.edge, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(box, _look.radius, _look.radius);
    painter.setPen(Qt::white);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, _title);
}

void TitledButton::setTitle(const QString& title)
{
    if (title == _title)
        return;
    _title = title;
    setAccessibleName(title);
    for (QImage& face : _faces)
        face = QImage();
    update();
}

void TitledButton::setRestingFaceBeneath(bool beneath)
{
    _restingFaceBeneath = beneath;
    update();
}

void TitledButton::paintEvent(QPaintEvent*)
{
    const bool pressed = isHighlighted();
    if (_restingFaceBeneath && !pressed)
        return;
    const qreal ratio = devicePixelRatioF();
    QImage& face = _faces[pressed ? 1 : 0];
    if (face.isNull() || face.deviceIndependentSize() != QSizeF(size()) ||
        face.devicePixelRatio() != ratio) {
        face = QImage((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        face.setDevicePixelRatio(ratio);
        face.fill(Qt::transparent);
        QPainter onFace(&face);
        drawFace(onFace, pressed);
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), face);
}

void TitledButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange)
        for (QImage& face : _faces)
            face = QImage();
    Control::changeEvent(event);
}

} // namespace kit
