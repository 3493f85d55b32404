#include "Image.h"

#include "Bundle.h"

#include <QDir>
#include <QHash>
#include <QImageReader>

namespace kit {

QImage imageNamed(const QString& fileName)
{
    static QHash<QString, QImage> cache;
    const QString path = QDir(Bundle::mainBundle().bundlePath()).filePath(fileName);
    if (auto found = cache.constFind(path); found != cache.constEnd())
        return *found;
    QImageReader reader(path);
    QImage image = reader.read();
    cache.insert(path, image);
    return image;
}

} // namespace kit
