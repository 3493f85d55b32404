// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kit {

// Tells screen readers what the platform layer's own views are: controls are
// buttons, the slider a slider, table rows list items named by their text.
// applicationMain installs it before the application object exists; once is enough.
void installAccessibility();

} // namespace kit
