// SPDX-License-Identifier: GPL-3.0-or-later
#include "InkImageView.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kit {
namespace {

bool hasInk(const QImage& image, int y, int* first, int* last)
{
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    int x = 0;
    while (x < image.width() && qAlpha(row[x]) == 0)
        ++x;
    if (x == image.width())
        return false;
    int end = image.width() - 1;
    while (qAlpha(row[end]) == 0)
        --end;
    *first = x;
    *last = end;
    return true;
}

} // namespace

InkImageView::InkImageView(const QImage& image, QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const qreal ratio = image.devicePixelRatio();
    const int step = int(std::lround(ratio));
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Pieces must start on whole points, or they would be drawn between pixels and blurred:
    // at a fractional ratio the picture stays whole.
    if (std::abs(ratio - step) > 1e-9 || step < 1) {
        _pieces.push_back({QRect(QPoint(0, 0), pixels.deviceIndependentSize().toSize()), pixels});
        return;
    }
    const auto align = [step](int value, bool up) {
        return up ? (value + step - 1) / step * step : value / step * step;
    };
    int y = 0;
    while (y < pixels.height()) {
        int first = 0;
        int last = 0;
        if (!hasInk(pixels, y, &first, &last)) {
            ++y;
            continue;
        }
        // A band: the rows that follow with ink, one empty row ending it.
        int top = y;
        int left = first;
        int right = last;
        while (++y < pixels.height() && hasInk(pixels, y, &first, &last)) {
            left = std::min(left, first);
            right = std::max(right, last);
        }
        top = align(top, false);
        const int bottom = std::min(align(y, true), pixels.height());
        left = align(left, false);
        right = std::min(align(right + 1, true), pixels.width());
        QImage piece = pixels.copy(QRect(left, top, right - left, bottom - top));
        piece.setDevicePixelRatio(ratio);
        _pieces.push_back(
            {QRect(QPoint(left / step, top / step), piece.deviceIndependentSize().toSize()),
             piece});
        y = bottom;
    }
}

void InkImageView::setBackgroundColor(const QColor& colour)
{
    if (colour == _background)
        return;
    // Only a change of opacity is told to the widget: it makes every parent work out again
    // what its opaque children cover.
    if ((colour.alpha() == 255) != (_background.alpha() == 255))
        setAttribute(Qt::WA_OpaquePaintEvent, colour.alpha() == 255);
    _background = colour;
    update();
}

void InkImageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    if (_background.alpha() > 0)
        painter.fillRect(dirty, _background);
    for (const Piece& piece : _pieces)
        if (dirty.intersects(piece.area))
            painter.drawImage(piece.area.topLeft(), piece.image);
}

} // namespace kit
