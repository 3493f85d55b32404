// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace search {

// The text a reader sees of an article page: the body without its tags, scripts and
// styles, entities decoded, soft hyphens and word joiners taken out, spaces collapsed.
// A drawing's title counts as text; everything else of it does not.
QString articleText(const QString& html);

} // namespace search
