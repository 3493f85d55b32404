// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Control.h"

#include <QGradientStops>
#include <QImage>

namespace kit {

// A button that is its title, in white, on a rounded box shaded from top to bottom;
// the shading at rest and while pressed, the edge and the rounding are the caller's.
class TitledButton final : public Control {
    Q_OBJECT

public:
    struct Look {
        QGradientStops normal;
        QGradientStops pressed;
        QColor edge;
        qreal radius = 5;
    };

    TitledButton(const QString& title, const Look& look, QWidget* parent = nullptr);

    QString title() const { return _title; }
    // A new title, which is also the button's name to a screen reader.
    void setTitle(const QString& title);

    // The face at rest is already drawn in a picture beneath the button (a flattened screen
    // that repaints often): the button itself paints only while pressed.
    void setRestingFaceBeneath(bool beneath);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void drawFace(QPainter& painter, bool pressed) const;

    QString _title;
    Look _look;
    // The face at rest and pressed, drawn once per size and copied after that: a button
    // over a flashing background is repainted a hundred times a second.
    QImage _faces[2];
    bool _restingFaceBeneath = false;
};

} // namespace kit
