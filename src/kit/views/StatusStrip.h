#pragma once

#include <QWidget>

class QTimer;

namespace kit {

// The phone's status strip: the time of day in the middle, as on the device.
class StatusStrip final : public QWidget {
    Q_OBJECT

public:
    explicit StatusStrip(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void scheduleNextMinute();

    QTimer* _minute;
};

} // namespace kit
