// SPDX-License-Identifier: GPL-3.0-or-later
#include "Aiff.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace kit {
namespace {

quint32 be32(const char* p)
{
    return qFromBigEndian<quint32>(p);
}

quint16 be16(const char* p)
{
    return qFromBigEndian<quint16>(p);
}

// The 80-bit IEEE extended number AIFF stores its sample rate in.
double extended(const char* p)
{
    const int exponent = (be16(p) & 0x7fff) - 16383;
    const quint64 mantissa = qFromBigEndian<quint64>(p + 2);
    if (mantissa == 0)
        return 0;
    return std::ldexp(double(mantissa), exponent - 63);
}

} // namespace

std::optional<PcmSound> readAiff(const QByteArray& file)
{
    const char* data = file.constData();
    const qsizetype size = file.size();
    if (size < 12 || file.left(4) != "FORM" || file.mid(8, 4) != "AIFF")
        return std::nullopt;

    int channels = 0;
    int bits = 0;
    double rate = 0;
    quint32 frames = 0;
    const char* sound = nullptr;
    qsizetype soundBytes = 0;
    for (qsizetype at = 12; at + 8 <= size;) {
        const QByteArray id = file.mid(at, 4);
        const quint32 length = be32(data + at + 4);
        const qsizetype body = at + 8;
        if (length > quint32(size - body))
            return std::nullopt;
        if (id == "COMM" && length >= 18) {
            channels = be16(data + body);
            frames = be32(data + body + 2);
            bits = be16(data + body + 6);
            rate = extended(data + body + 8);
        } else if (id == "SSND" && length >= 8) {
            const quint32 offset = be32(data + body);
            if (offset > length - 8)
                return std::nullopt;
            sound = data + body + 8 + offset;
            soundBytes = qsizetype(length) - 8 - offset;
        }
        at = body + length + (length & 1);
    }
    if (!sound || channels < 1 || channels > 8 || (bits != 8 && bits != 16) || rate < 1000 ||
        rate > 384000)
        return std::nullopt;

    const int bytesPerSample = bits / 8;
    const qsizetype available = soundBytes / (bytesPerSample * channels);
    const qsizetype count = std::min<qsizetype>(available, frames) * channels;
    PcmSound pcm;
    pcm.channels = channels;
    pcm.sampleRate = int(std::lround(rate));
    pcm.samples.resize(count * 2);
    auto* out = reinterpret_cast<qint16*>(pcm.samples.data());
    for (qsizetype i = 0; i < count; ++i) {
        const qint16 value =
            bits == 16 ? qint16(be16(sound + i * 2)) : qint16(qint8(sound[i]) * 256);
        out[i] = qToLittleEndian(value);
    }
    return pcm;
}

} // namespace kit
