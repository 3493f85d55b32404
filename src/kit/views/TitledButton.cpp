#include "TitledButton.h"

#include <QPainter>

namespace kit {

TitledButton::TitledButton(const QString& title, const Look& look, QWidget* parent)
    : Control(parent), _title(title), _look(look)
{
    setAccessibleName(title);
}

void TitledButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setStops(isHighlighted() ? _look.pressed : _look.normal);
    painter.setPen(QPen(_look.edge, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(box, _look.radius, _look.radius);
    painter.setPen(Qt::white);
    painter.drawText(rect(), Qt::AlignCenter, _title);
}

} // namespace kit
