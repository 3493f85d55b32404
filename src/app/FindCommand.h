// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/ApplicationMain.h"

namespace app {

// firstaid --find TEXT: the contents search without a window. Prints one line per result,
// best first: the section ("title" or "text"), a tab, the page's file name, a tab, the
// article's title. Exit status 0, also when nothing is found.
kit::CommandLineCommand findCommand();

// The lines --find prints for a query, over the bundle's list and pages.
QStringList findLines(const QString& query);

} // namespace app
