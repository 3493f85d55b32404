// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusStrip.h"

#include "kit/platform/Battery.h"
#include "kit/views/Font.h"

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

void StatusStrip::readBattery()
{
    if (_battery)
        return;
    _battery = new Battery(this);
    connect(_battery, &Battery::changed, this, qOverload<>(&QWidget::update));
}

void StatusStrip::paintEvent(QPaintEvent*)
{
    // The power service (on the system bus, which a start otherwise never touches) is asked
    // once the window has settled on the screen, never on the way there.
    if (!_batteryAsked) {
        _batteryAsked = true;
        QTimer::singleShot(500, this, &StatusStrip::readBattery);
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::black);

    painter.setPen(Qt::white);
    painter.setFont(boldSystemFont(13));
    painter.drawText(rect(), Qt::AlignCenter,
                     QTime::currentTime().toString(QStringLiteral("HH:mm")));

    // The battery with its charge; where there is none to read, nothing.
    if (_battery && _battery->charge().present) {
        const Battery::Charge charge = _battery->charge();
        const QRectF body(width() - 32.5, 5.5, 22, 10);
        painter.setPen(QPen(QColor(220, 220, 220), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(body, 2, 2);
        painter.fillRect(QRectF(body.right() + 1, 8, 2, 5), QColor(220, 220, 220));
        QRectF level = body.adjusted(2, 2, -2, -2);
        level.setWidth(level.width() * charge.percentage / 100.0);
        // Green while it charges, red when nearly empty, as on the phone.
        const QColor fill = charge.charging           ? QColor(0x4c, 0xd9, 0x64)
                            : charge.percentage <= 20 ? QColor(0xff, 0x3b, 0x30)
                                                      : QColor(235, 235, 235);
        painter.fillRect(level, fill);
    }

    // Signal strength bars on the left.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(235, 235, 235));
    for (int i = 0; i < 5; ++i) {
        const double barHeight = 3 + i * 2;
        painter.drawRect(QRectF(6 + i * 4, 15 - barHeight, 3, barHeight));
    }
}

} // namespace kit
