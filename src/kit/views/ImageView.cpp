// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageView.h"

#include <QPainter>

namespace kit {

ImageView::ImageView(const QImage& image, QWidget* parent) : QWidget(parent), _image(image)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Laid out in points: a 2× picture takes the room of its 1× twin.
    resize(image.deviceIndependentSize().toSize());
}

void ImageView::setImage(const QImage& image)
{
    _image = image;
    update();
}

bool ImageView::isUserInteractionEnabled() const
{
    return !testAttribute(Qt::WA_TransparentForMouseEvents);
}

void ImageView::setUserInteractionEnabled(bool enabled)
{
    setAttribute(Qt::WA_TransparentForMouseEvents, !enabled);
}

void ImageView::paintEvent(QPaintEvent*)
{
    if (_image.isNull())
        return;
    QPainter painter(this);
    // A picture at its own size and the screen's pixel density is copied as it is; only a
    // stretched one goes through scaling (which the raster engine spreads over threads,
    // costly for a view that repaints often).
    if (_image.deviceIndependentSize() == QSizeF(size()) &&
        _image.devicePixelRatio() == devicePixelRatioF()) {
        painter.drawImage(QPoint(0, 0), _image);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), _image);
}

} // namespace kit
