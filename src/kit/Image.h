#pragma once

#include <QImage>
#include <QString>

namespace kit {

// Pictures of the bundle, loaded once and kept, as the phone's imageNamed: does.
// A missing or unreadable picture is a null image.
QImage imageNamed(const QString& fileName);

} // namespace kit
