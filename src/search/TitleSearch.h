// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SearchEngine.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace search {

// The title search of the contents list: the rows whose title holds the search text,
// letter case aside (е and ё stay different letters), in the list's order. An empty text
// finds nothing.
class TitleSearch final {
public:
    void setTitles(const QStringList& titles);
    std::vector<size_t> find(const QString& text) const;

private:
    // Every title case-folded once and laid end to end, each ended by a character no search
    // text holds, so a search is one scan of one string.
    QString _searchableText;
    std::vector<qsizetype> _titleStarts;
};

// What a search finds: the title section's rows, then the text section's articles that the
// title section does not hold already, best first.
struct Results {
    std::vector<size_t> titles;
    std::vector<Hit> texts;
};

// The text section shows this many articles at most.
inline constexpr int textResultLimit = 10;

class ArticleSearch;
// Both sections for a query; the text section stays empty while the index is not ready.
Results findArticles(const TitleSearch& titles, const ArticleSearch* text, const QString& query,
                     int textLimit);

} // namespace search
