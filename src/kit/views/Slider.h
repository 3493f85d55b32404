// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Control.h"

namespace kit {

// A horizontal slider with a float value. Its frame is the track's frame; the
// round thumb reaches above and below it, as on the phone, so the widget itself
// is taller than the frame by thumbOverhang on each side.
class Slider final : public Control {
    Q_OBJECT

public:
    static constexpr int thumbDiameter = 23;

    explicit Slider(QWidget* parent = nullptr);

    void setFrame(const QRect& frame);
    QRect frame() const { return _frame; }

    float value() const { return _value; }
    void setValue(float value, bool animated = false);
    float minimumValue() const { return _minimum; }
    void setMinimumValue(float minimum);
    float maximumValue() const { return _maximum; }
    void setMaximumValue(float maximum);
    bool isContinuous() const { return _continuous; }
    void setContinuous(bool continuous) { _continuous = continuous; }
    void setBackgroundColor(const QColor& color);

    // The thumb's centre for the current value, in widget coordinates.
    QPointF thumbCenter() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void beginTracking(QPoint position) override;
    void continueTracking(QPoint position) override;
    void endTracking(QPoint position) override;
    // Arrow keys move the thumb a tenth of the range, Home and End to the ends; Enter,
    // space or Escape end the gesture as lifting the finger does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    int thumbOverhang() const;
    float valueAt(double x) const;
    void moveTo(double x);

    QRect _frame;
    float _value = 0;
    float _minimum = 0;
    float _maximum = 1;
    bool _continuous = true;
    bool _changedWhileTracking = false;
    double _grabOffset = 0;
    QColor _background = Qt::transparent;
};

} // namespace kit
