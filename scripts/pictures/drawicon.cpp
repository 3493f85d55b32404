// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the application icon, a white cross on a red rounded square, at every
// size the desktop asks for, and writes the PNGs into a hicolor icon tree.
// Usage: drawicon ICONS_DIR   (ICONS_DIR/hicolor/NxN/apps/ru.tkl_apps.FirstAid.png)
// desktop/icons/hicolor/scalable/apps/ru.tkl_apps.FirstAid.svg is the same design
// at 512 units; keep the two in step.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const char* const iconName = "ru.tkl_apps.FirstAid.png";

// The nearest whole number to value whose parity is that of reference, so that a
// bar of that width sits centred on whole pixels inside a square of reference pixels.
int snapped(double value, int reference)
{
    const int low = static_cast<int>(std::floor(value));
    const int candidate = (low - reference) % 2 == 0 ? low : low - 1;
    return value - candidate <= candidate + 2 - value ? candidate : candidate + 2;
}

QImage icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    // The square fills 14/16 of the canvas, as other square hicolor icons do;
    // margin, cross width and length are whole pixels so the cross stays sharp at 16.
    const int margin = std::max(1, static_cast<int>(std::lround(size / 16.0)));
    const int side = size - 2 * margin;
    const QRectF square(margin, margin, side, side);
    const double radius = side * 0.1875;

    QLinearGradient red(0, margin, 0, margin + side);
    red.setColorAt(0.0, QColor(0xe8, 0x3a, 0x35));
    red.setColorAt(1.0, QColor(0xc2, 0x1f, 0x1f));
    p.setBrush(red);
    p.drawRoundedRect(square, radius, radius);

    // A darker rim keeps the edge visible on a red or pink panel; below 32 pixels
    // it would only blur the corners.
    if (size >= 32) {
        const double rim = size / 128.0;
        QPainterPath outline;
        outline.addRoundedRect(square, radius, radius);
        QPainterPath inner;
        inner.addRoundedRect(square.adjusted(rim, rim, -rim, -rim), radius - rim, radius - rim);
        p.setBrush(QColor(0x8e, 0x10, 0x10, 0x70));
        p.drawPath(outline.subtracted(inner));
    }

    const int width = snapped(side * 0.27, side);
    const int length = snapped(side * 0.70, side);
    const double across = margin + (side - width) / 2.0;
    const double along = margin + (side - length) / 2.0;
    // Softly rounded cross ends from 48 pixels up; smaller they would look smudged.
    const double ends = size >= 48 ? width * 0.12 : 0.0;
    QPainterPath cross;
    cross.addRoundedRect(QRectF(across, along, width, length), ends, ends);
    QPainterPath bar;
    bar.addRoundedRect(QRectF(along, across, length, width), ends, ends);
    cross = cross.united(bar).simplified();

    // A faint shadow under the cross lifts it off the red at the larger sizes.
    if (size >= 64) {
        p.setBrush(QColor(0x6e, 0x08, 0x08, 0x48));
        p.drawPath(cross.translated(0, size / 128.0));
    }
    p.setBrush(Qt::white);
    p.drawPath(cross);
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawicon ICONS_DIR\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        const QString path = root.filePath(folder + QLatin1Char('/') + QLatin1String(iconName));
        if (!root.mkpath(folder) || !icon(size).save(path, "PNG")) {
            std::fprintf(stderr, "drawicon: cannot write %s\n", qPrintable(path));
            ok = false;
            continue;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return ok ? 0 : 1;
}
