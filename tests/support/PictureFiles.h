// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QTemporaryDir;

// Picture files made by hand for the tests of picture reading: headers that claim a size
// the data do not have, and plain pictures whose way round shows.

// A valid PNG header claiming a size, followed by a few rows of pixels only.
QByteArray pngClaiming(quint32 width, quint32 height);
// A whole, valid raw PBM (portable bitmap) of a size, every pixel white: one bit a pixel,
// so Qt decodes even tens of megapixels within its allocation limit, and whole (the
// format cannot be read scaled).
QByteArray pbmWhite(quint32 width, quint32 height);
// A 24-bit BMP header claiming a size, with a little pixel data.
QByteArray bmpClaiming(quint32 width, quint32 height);
// A small JPEG whose frame header claims a square size: its scan ends far too soon,
// which the decoder pads with grey rather than refuse.
QByteArray jpegClaiming(quint16 side);
// A picture in a format Qt writes (stops the test when it cannot).
QByteArray encoded(const QImage& image, const char* format);
// Left half red, right half blue: shows the picture's way round.
QImage twoHalves(int width, int height);
// Whether two colours are alike, as pictures decoded with loss keep them.
bool near(QRgb pixel, QRgb expected);
// Writes a file into the folder and gives its path.
QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);
