// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kit {

// Qt's own dialogs (the file chooser, the print dialog) speak Russian like the rest of the
// application. Their translation is loaded the first time one of them is about to be
// shown, so no start pays for it; where it is not installed they stay in English.
void loadStandardDialogTranslation();

} // namespace kit
