// SPDX-License-Identifier: GPL-3.0-or-later
#include "FindCommand.h"

#include "articlelist/ListLoader.h"
#include "kit/foundation/Bundle.h"
#include "search/ArticleSearch.h"
#include "search/TitleSearch.h"

#include <cstdio>

namespace app {

QStringList findLines(const QString& query)
{
    const std::unique_ptr<articlelist::ListReader> list =
        articlelist::loadList(QStringLiteral("Content"), QStringLiteral("xml"));
    const std::vector<search::ListedArticle> articles = search::listedArticles(list->records());
    QStringList titles;
    for (const search::ListedArticle& article : articles)
        titles << article.title;
    search::TitleSearch titleSearch;
    titleSearch.setTitles(titles);
    search::ArticleSearch textSearch;
    if (!query.trimmed().isEmpty()) {
        textSearch.build(articles, kit::Bundle::mainBundle().bundlePath());
        textSearch.waitUntilBuilt();
    }
    const search::Results results =
        search::findArticles(titleSearch, &textSearch, query, search::textResultLimit);
    QStringList lines;
    const auto line = [&](const char* section, size_t row) {
        const search::ListedArticle& article = articles.at(row);
        lines << QString::fromLatin1(section) + QLatin1Char('\t') + article.link +
                     QLatin1Char('\t') + article.title;
    };
    for (size_t row : results.titles)
        line("title", row);
    for (const search::Hit& hit : results.texts)
        line("text", size_t(hit.article));
    return lines;
}

kit::CommandLineCommand findCommand()
{
    return {QCommandLineOption(QStringLiteral("find"),
                               QStringLiteral("Print what the contents search finds for a text, "
                                              "one line per article, best first, and quit."),
                               QStringLiteral("text")),
            [](const QString& query) {
                for (const QString& line : findLines(query))
                    std::printf("%s\n", line.toUtf8().constData());
                return 0;
            },
            false,
            QStringLiteral("Напечатать, что находит поиск по содержанию: по строке на статью, "
                           "лучшие первыми, и выйти.")};
}

} // namespace app
