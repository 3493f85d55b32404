// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReadingZoom.h"

#include "kit/foundation/Bundle.h"
#include "kit/foundation/UserDefaults.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <optional>

namespace viewer {
namespace {

const QString STORED_ZOOM = QStringLiteral("STORED_ZOOM");

} // namespace

float storedZoom()
{
    const std::optional<QString> stored =
        kit::UserDefaults::standardUserDefaults().stringForKey(STORED_ZOOM);
    if (!stored)
        return 1.0f;
    // Only a number within the slider's range means a zoom; anything else a hand or a
    // damaged file left there reads as the default or the nearest end.
    bool number = false;
    const float zoom = stored->toFloat(&number);
    if (!number || !std::isfinite(zoom))
        return 1.0f;
    return std::clamp(zoom, 1.0f, 2.0f);
}

void storeZoom(float zoom)
{
    kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    defaults.setObject(QString::asprintf("%f", double(zoom)), STORED_ZOOM);
    defaults.synchronize();
}

QUrl pageUrl(const QString& name)
{
    return QUrl::fromLocalFile(QDir(kit::Bundle::mainBundle().bundlePath()).filePath(name));
}

} // namespace viewer
