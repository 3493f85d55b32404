// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdlib>

namespace {

// PNG's CRC-32, over chunk type and data.
quint32 crc32(const QByteArray& bytes)
{
    quint32 crc = 0xffffffffu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray bigEndian(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray littleEndian(quint32 value, int size)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes.left(size);
}

QByteArray chunk(const QByteArray& type, const QByteArray& data)
{
    return bigEndian(quint32(data.size())) + type + data + bigEndian(crc32(type + data));
}

} // namespace

QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray header = bigEndian(width) + bigEndian(height);
    header += QByteArray("\x08\x06\x00\x00\x00", 5); // 8-bit RGBA, no interlace
    // qCompress puts a length of its own before the zlib stream.
    const QByteArray rows = qCompress(QByteArray(4096, '\0')).mid(4);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", rows) +
           chunk("IEND", {});
}

QByteArray pbmWhite(quint32 width, quint32 height)
{
    // Each row's bits padded to a whole byte; a 0 bit is white.
    return QStringLiteral("P4\n%1 %2\n").arg(width).arg(height).toLatin1() +
           QByteArray(qsizetype(height) * ((qsizetype(width) + 7) / 8), '\0');
}

QByteArray bmpClaiming(quint32 width, quint32 height)
{
    QByteArray bytes = "BM" + littleEndian(54 + 1024, 4) + littleEndian(0, 4) + littleEndian(54, 4);
    bytes += littleEndian(40, 4) + littleEndian(width, 4) + littleEndian(height, 4) +
             littleEndian(1, 2) + littleEndian(24, 2) + littleEndian(0, 4) + littleEndian(0, 4) +
             littleEndian(2835, 4) + littleEndian(2835, 4) + littleEndian(0, 4) +
             littleEndian(0, 4);
    return bytes + QByteArray(1024, '\x7f');
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        qFatal("cannot encode a %s picture", format);
    return bytes;
}

QByteArray jpegClaiming(quint16 side)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes = encoded(image, "jpeg");
    const qsizetype frame = bytes.indexOf("\xff\xc0");
    if (frame < 0)
        qFatal("no baseline frame header");
    qToBigEndian(side, bytes.data() + frame + 5);
    qToBigEndian(side, bytes.data() + frame + 7);
    return bytes;
}

QImage twoHalves(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 2; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    return image;
}

bool near(QRgb pixel, QRgb expected)
{
    return std::abs(qRed(pixel) - qRed(expected)) < 40 &&
           std::abs(qGreen(pixel) - qGreen(expected)) < 40 &&
           std::abs(qBlue(pixel) - qBlue(expected)) < 40;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
    return path;
}
