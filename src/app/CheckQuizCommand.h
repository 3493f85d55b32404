// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/ApplicationMain.h"

#include <QStringList>

namespace app {

// What `firstaid --check-quiz [FILE]` prints for a question bank (the program's own without
// a path): each fault on a line of its own, or one line with the number of questions and
// topics. sound says whether the bank has no fault.
QStringList checkQuizLines(const QString& path, bool* sound);

kit::CommandLineCommand checkQuizCommand();

} // namespace app
