// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace kit {

// Reads a picture the user chose, which may be anything: turned upright as the camera
// that took it says, read at most 2048 points on its longer side where the format can
// be read scaled, refused where a full read would take more than 64 megapixels and
// beyond 200 megapixels in any case.
// A null image for anything that cannot be read so (not a picture, cut short, too large,
// missing); memory stays bounded whatever the file claims.
QImage readImageBounded(const QString& path);
QImage readImageBounded(const QByteArray& bytes);

} // namespace kit
