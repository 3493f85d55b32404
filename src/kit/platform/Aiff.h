// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <optional>

namespace kit {

// Sound samples read from an AIFF file: signed 16-bit little-endian PCM.
struct PcmSound {
    int channels = 0;
    int sampleRate = 0;
    QByteArray samples;
};

// Reads an uncompressed AIFF file of 8- or 16-bit samples; none for anything else
// or for damaged data.
std::optional<PcmSound> readAiff(const QByteArray& file);

} // namespace kit
