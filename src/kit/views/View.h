// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFlags>
#include <QPoint>
#include <QRect>

class QWidget;

namespace kit {

// Frames are (x, y, width, height) in points, relative to the parent view.
void setFrame(QWidget* view, const QRect& frame);
void setCenter(QWidget* view, QPoint center);

// Adds a view above its future siblings and shows it.
void addSubview(QWidget* parent, QWidget* view);
// Adds a view at a place in the parent's stacking order; 0 is beneath all others.
void insertSubview(QWidget* parent, QWidget* view, int index);

// How a view follows its parent's size, as the phone's autoresizing mask: a
// flexible dimension grows and shrinks by as much as the parent's does.
// The bit values are the phone's.
enum class Autoresizing : unsigned {
    None = 0,
    FlexibleWidth = 1u << 1,
    FlexibleHeight = 1u << 4,
};
Q_DECLARE_FLAGS(AutoresizingMask, Autoresizing)
Q_DECLARE_OPERATORS_FOR_FLAGS(AutoresizingMask)
void setAutoresizingMask(QWidget* view, AutoresizingMask mask);

// A colour from components 0 to 1, as the screens give them.
QColor color(double red, double green, double blue, double alpha = 1.0);

} // namespace kit
