#include "ImageView.h"

#include <QPainter>

namespace kit {

ImageView::ImageView(const QImage& image, QWidget* parent) : QWidget(parent), _image(image)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(image.size());
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
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), _image);
}

} // namespace kit
