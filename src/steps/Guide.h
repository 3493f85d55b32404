// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "guide/StepFlow.h"

#include <QString>

#include <optional>

namespace kit {
class ViewController;
}

namespace steps {

// The flow's file in the bundle.
QString flowPath();
// The flow as its file has it, checked; nothing, with the faults logged, when the file cannot
// be used.
std::optional<guide::StepFlow> loadBundledFlow(QStringList* faults = nullptr);

// Opens the step-by-step help over the screen on top of over (the screen itself, or what it
// has presented). A flow file that cannot be used gives a message and changes nothing else.
// Already open, it stays as it is.
void openFlow(kit::ViewController& over);
// Opens the CPR coach the same way; one already up stays as it is.
void openCoach(kit::ViewController& over);

} // namespace steps
