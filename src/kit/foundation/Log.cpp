// SPDX-License-Identifier: GPL-3.0-or-later
#include "Log.h"

#include <QDebug>

namespace kit {

void log(const QString& line)
{
    qInfo().noquote() << line;
}

} // namespace kit
