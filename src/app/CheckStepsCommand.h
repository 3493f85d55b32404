// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/ApplicationMain.h"

namespace app {

// firstaid --check-steps [FILE]: checks a file of the step-by-step help (the bundle's own
// without FILE), for the people who write it. Prints every fault, one line each, and ends
// with 1; or prints one line with the number of steps and ends with 0.
kit::CommandLineCommand checkStepsCommand();

// The lines --check-steps prints for a file, and whether it is sound.
QStringList checkStepsLines(const QString& path, bool* sound);

} // namespace app
