// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/platform/Battery.h"

#include <QPointer>
#include <QWidget>

class QTimer;

namespace kit {

// The phone's status strip: the time of day in the middle, as on the device, and at the
// right the machine's battery where it has one, with its real charge.
class StatusStrip final : public QWidget {
    Q_OBJECT

public:
    explicit StatusStrip(QWidget* parent);

    // The battery the strip reads; none until it is asked for.
    Battery* battery() const { return _battery; }
    // Starts reading the battery, as the strip does half a second after it is first drawn.
    void readBattery();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void scheduleNextMinute();

    QTimer* _minute;
    QPointer<Battery> _battery;
    bool _batteryAsked = false;
};

} // namespace kit
