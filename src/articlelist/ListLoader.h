// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ListReader.h"

#include <memory>

namespace articlelist {

// Loads a list resource of the bundle: reads the file, decodes it as UTF-8,
// escapes bare ampersands, parses it, and logs "Error while parsing file <path>."
// when the parse fails. The reader returned holds the records completed before
// any error; a missing, undecodable or implausibly large (over 8 MB) file gives none.
std::unique_ptr<ListReader> loadList(const QString& name, const QString& type);

} // namespace articlelist
