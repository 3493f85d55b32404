// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kit {

// Writes one line of the system's log (the platform's NSLog).
void log(const QString& line);

} // namespace kit
