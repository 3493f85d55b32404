// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgressView.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace kit {

ProgressView::ProgressView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("progressView"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(150, 9);
}

void ProgressView::setProgress(float progress)
{
    const float clamped = std::clamp(progress, 0.0f, 1.0f);
    if (clamped == _progress)
        return;
    _progress = clamped;
    update();
}

void ProgressView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = track.height() / 2;
    QPainterPath outline;
    outline.addRoundedRect(track, radius, radius);
    QLinearGradient empty(track.topLeft(), track.bottomLeft());
    empty.setColorAt(0, QColor(0xc8, 0xc8, 0xc8));
    empty.setColorAt(1, QColor(0xf4, 0xf4, 0xf4));
    painter.fillPath(outline, empty);
    if (_progress > 0) {
        painter.save();
        painter.setClipRect(
            QRectF(track.left(), track.top(), track.width() * _progress, track.height()));
        QLinearGradient filled(track.topLeft(), track.bottomLeft());
        filled.setColorAt(0, QColor(0x8c, 0xb8, 0xf2));
        filled.setColorAt(1, QColor(0x2f, 0x6f, 0xd6));
        painter.fillPath(outline, filled);
        painter.restore();
    }
    painter.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
    painter.drawPath(outline);
}

} // namespace kit
