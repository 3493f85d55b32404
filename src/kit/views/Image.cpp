// SPDX-License-Identifier: GPL-3.0-or-later
#include "Image.h"

#include "kit/foundation/Bundle.h"

#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QImageReader>

namespace kit {
namespace {

qreal ratioForTesting = 0;

// Loaded pictures by path: [0] the 1× ones, [1] those chosen for a high-resolution screen.
QHash<QString, QImage>& cache(bool sharp)
{
    static QHash<QString, QImage> pictures[2];
    return pictures[sharp ? 1 : 0];
}

qreal screenRatio()
{
    if (ratioForTesting > 0)
        return ratioForTesting;
    // The highest of the screens: a window moved to the sharpest one still looks right.
    const auto* application = qobject_cast<const QGuiApplication*>(QCoreApplication::instance());
    return application ? application->devicePixelRatio() : 1.0;
}

// "name.png" → "name@2x.png".
QString doubled(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    QString name = fileName;
    return dot > slash ? name.insert(dot, QLatin1String("@2x")) : name + QLatin1String("@2x");
}

QImage read(const QString& path)
{
    QImageReader reader(path);
    return reader.read();
}

} // namespace

QImage imageNamed(const QString& fileName)
{
    const QDir bundle(Bundle::mainBundle().bundlePath());
    const QString path = bundle.filePath(fileName);
    const bool sharp = screenRatio() > 1;
    QHash<QString, QImage>& pictures = cache(sharp);
    if (auto found = pictures.constFind(path); found != pictures.constEnd())
        return *found;
    QImage image;
    if (sharp) {
        image = read(bundle.filePath(doubled(fileName)));
        if (!image.isNull())
            image.setDevicePixelRatio(2);
    }
    if (image.isNull())
        image = read(path);
    pictures.insert(path, image);
    return image;
}

void setImageRatioForTesting(qreal ratio)
{
    ratioForTesting = ratio;
    cache(false).clear();
    cache(true).clear();
}

} // namespace kit
