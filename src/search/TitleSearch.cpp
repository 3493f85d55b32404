// SPDX-License-Identifier: GPL-3.0-or-later
#include "TitleSearch.h"

#include "ArticleSearch.h"

#include <algorithm>

namespace search {
namespace {

// Ends each title in the searchable text: a noncharacter no title or search text holds.
const QChar titleEnd(0xFFFF);

} // namespace

void TitleSearch::setTitles(const QStringList& titles)
{
    _searchableText.clear();
    _titleStarts.clear();
    _titleStarts.reserve(size_t(titles.size()) + 1);
    for (const QString& title : titles) {
        _titleStarts.push_back(_searchableText.size());
        _searchableText += title.toCaseFolded();
        _searchableText += titleEnd;
    }
    _titleStarts.push_back(_searchableText.size());
}

std::vector<size_t> TitleSearch::find(const QString& text) const
{
    std::vector<size_t> rows;
    if (text.isEmpty() || text.contains(titleEnd))
        return rows;
    // The same test as a case-insensitive search of each title, done on the titles folded in
    // advance: after a match the scan goes on at the next title, so each row counts once.
    const QString folded = text.toCaseFolded();
    qsizetype from = 0;
    for (;;) {
        const qsizetype found = _searchableText.indexOf(folded, from);
        if (found < 0)
            break;
        const auto next = std::upper_bound(_titleStarts.begin(), _titleStarts.end(), found);
        rows.push_back(size_t(next - _titleStarts.begin()) - 1);
        from = *next;
    }
    return rows;
}

Results findArticles(const TitleSearch& titles, const ArticleSearch* text, const QString& query,
                     int textLimit)
{
    Results results;
    results.titles = titles.find(query);
    if (!text || textLimit <= 0)
        return results;
    // Asked for more than are shown, since the title section may hold some of them.
    for (Hit& hit : text->find(query, textLimit + int(results.titles.size()))) {
        const bool listed = std::find(results.titles.begin(), results.titles.end(),
                                      size_t(hit.article)) != results.titles.end();
        if (!listed && int(results.texts.size()) < textLimit)
            results.texts.push_back(std::move(hit));
    }
    return results;
}

} // namespace search
