// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageReading.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

namespace kit {
namespace {

constexpr int longestSide = 2048;
// Read whole, without a scaled reading.
constexpr qint64 largestPixelCount = 64LL * 1000 * 1000;
// Even a scaled read goes through every pixel: beyond the largest phone photos it
// would hold the screen for seconds.
constexpr qint64 largestScaledPixelCount = 200LL * 1000 * 1000;
constexpr int allocationLimitMegabytes = 256;
// A picture that does not tell its size is read only when it is small.
constexpr qint64 largestUnsizedBytes = 16LL * 1024 * 1024;

// Every decoder checks its allocations against the limit; it is the last guard for
// formats that read whole and scale afterwards.
class AllocationLimit final {
public:
    AllocationLimit() : _previous(QImageReader::allocationLimit())
    {
        QImageReader::setAllocationLimit(allocationLimitMegabytes);
    }
    ~AllocationLimit() { QImageReader::setAllocationLimit(_previous); }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

private:
    int _previous;
};

QImage read(QImageReader& reader, qint64 byteCount)
{
    const AllocationLimit limit;
    reader.setAutoTransform(true);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.isValid() && !size.isEmpty()) {
        const qint64 pixels = qint64(size.width()) * size.height();
        if (pixels > largestScaledPixelCount)
            return {};
        if (std::max(size.width(), size.height()) > longestSide) {
            if (reader.supportsOption(QImageIOHandler::ScaledSize))
                reader.setScaledSize(size.scaled(longestSide, longestSide, Qt::KeepAspectRatio)
                                         .expandedTo(QSize(1, 1)));
            else if (pixels > largestPixelCount)
                return {};
        }
    } else if (byteCount > largestUnsizedBytes) {
        return {};
    }
    return reader.read();
}

} // namespace

QImage readImageBounded(const QString& path)
{
    const QFileInfo file(path);
    if (!file.isFile())
        return {};
    QImageReader reader(path);
    return read(reader, file.size());
}

QImage readImageBounded(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return read(reader, bytes.size());
}

} // namespace kit
