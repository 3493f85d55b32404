#include "StatusStrip.h"

#include "Font.h"

#include <QDateTime>
#include <QPainter>
#include <QTimer>

namespace kit {

StatusStrip::StatusStrip(QWidget* parent) : QWidget(parent), _minute(new QTimer(this))
{
    setObjectName(QStringLiteral("statusStrip"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The strip is the device's own chrome, not the application's: it runs on a
    // plain Qt timer, outside the application's run loop.
    _minute->setSingleShot(true);
    connect(_minute, &QTimer::timeout, this, [this] {
        update();
        scheduleNextMinute();
    });
    scheduleNextMinute();
}

void StatusStrip::scheduleNextMinute()
{
    const QTime now = QTime::currentTime();
    _minute->start((60 - now.second()) * 1000 - now.msec() + 50);
}

void StatusStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::black);

    painter.setPen(Qt::white);
    painter.setFont(boldSystemFont(13));
    painter.drawText(rect(), Qt::AlignCenter,
                     QTime::currentTime().toString(QStringLiteral("HH:mm")));

    // Battery, drawn full: the window has no battery to read.
    const QRectF body(width() - 32.5, 5.5, 22, 10);
    painter.setPen(QPen(QColor(220, 220, 220), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(body, 2, 2);
    painter.fillRect(QRectF(body.right() + 1, 8, 2, 5), QColor(220, 220, 220));
    painter.fillRect(body.adjusted(2, 2, -2, -2), QColor(235, 235, 235));

    // Signal strength bars on the left.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(235, 235, 235));
    for (int i = 0; i < 5; ++i) {
        const double barHeight = 3 + i * 2;
        painter.drawRect(QRectF(6 + i * 4, 15 - barHeight, 3, barHeight));
    }
}

} // namespace kit
