// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace steps {

// The index-th drawing (<svg> element, from 1) of a page of the bundle, drawn to fit within
// box at the given pixel density, keeping its proportions. A null image when the page or
// the drawing is missing or cannot be read.
QImage pageDrawing(const QString& page, int index, QSize box, qreal ratio);

// The text of that drawing as the page has it (its <title> included), or empty.
QByteArray drawingSource(const QString& page, int index);

} // namespace steps
