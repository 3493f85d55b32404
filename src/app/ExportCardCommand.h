// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/ApplicationMain.h"

namespace app {

// firstaid --export-card FILE.pdf: the wallet card of the settings file in use, written as
// a PDF without a window or a display. Exit status 0; 1, with why, when the file cannot be
// written.
kit::CommandLineCommand exportCardCommand();

} // namespace app
