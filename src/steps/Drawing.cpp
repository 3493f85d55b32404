// SPDX-License-Identifier: GPL-3.0-or-later
#include "Drawing.h"

#include "kit/foundation/Bundle.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace steps {

QByteArray drawingSource(const QString& page, int index)
{
    QFile file(QDir(kit::Bundle::mainBundle().bundlePath()).filePath(page));
    if (index < 1 || page.contains(QLatin1String("..")) || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray html = file.readAll();
    qsizetype from = -1;
    for (int found = 0; found < index; ++found) {
        from = html.indexOf("<svg", from + 1);
        if (from < 0)
            return {};
    }
    const qsizetype end = html.indexOf("</svg>", from);
    if (end < 0)
        return {};
    QByteArray svg = html.mid(from, end + 6 - from);
    // Inline in the page the drawing needs no namespace; on its own it does.
    if (!svg.contains("xmlns="))
        svg.insert(4, " xmlns=\"http://www.w3.org/2000/svg\"");
    return svg;
}

QImage pageDrawing(const QString& page, int index, QSize box, qreal ratio)
{
    const QByteArray source = drawingSource(page, index);
    if (source.isEmpty() || box.isEmpty())
        return {};
    QSvgRenderer renderer(source);
    if (!renderer.isValid())
        return {};
    QSizeF natural = renderer.viewBoxF().size();
    if (natural.isEmpty())
        natural = renderer.defaultSize();
    if (natural.isEmpty())
        return {};
    const QSize fitted = natural.scaled(QSizeF(box), Qt::KeepAspectRatio).toSize();
    QImage image(fitted * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(fitted)));
    return image;
}

} // namespace steps
