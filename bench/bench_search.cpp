// SPDX-License-Identifier: GPL-3.0-or-later
// The contents search: what the first keystroke pays (loading the search module and
// starting the index), building the index of every page of the bundle, and one query
// (a short word, three words, a typo) against the title filter on the same list.
// Usage: bench_search [RUNS]   (default 31; the bundle of the build, or FIRSTAID_RESOURCES)

#include "articlelist/ListLoader.h"
#include "kit/foundation/Bundle.h"
#include "search/ArticleSearch.h"
#include "search/ArticleText.h"
#include "search/TitleSearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Figures {
    double median;
    double worst;
};

Figures figures(std::vector<double> values)
{
    if (values.empty())
        return {0, 0};
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back()};
}

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;
    if (qEnvironmentVariableIsEmpty("FIRSTAID_RESOURCES"))
        kit::Bundle::setMainBundlePath(QStringLiteral(FIRSTAID_BUNDLE));
    if (qEnvironmentVariableIsEmpty("FIRSTAID_SEARCH_MODULE"))
        qputenv("FIRSTAID_SEARCH_MODULE", FIRSTAID_SEARCH_MODULE_PATH);

    const std::unique_ptr<articlelist::ListReader> list =
        articlelist::loadList(QStringLiteral("Content"), QStringLiteral("xml"));
    QStringList titles;
    std::vector<search::ListedArticle> articles;
    for (const articlelist::Record& record : list->records()) {
        titles << record.value(QStringLiteral("Text"));
        articles.push_back({record.value(QStringLiteral("Text")),
                            record.value(QStringLiteral("Link")),
                            record.value(QStringLiteral("Keys"))});
    }
    const QString bundle = kit::Bundle::mainBundle().bundlePath();

    // Of the index's time, reading the pages and taking their tags out.
    std::vector<double> reading;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        qsizetype letters = 0;
        for (const search::ListedArticle& article : articles) {
            QFile page(QDir(bundle).filePath(article.link));
            if (page.open(QIODevice::ReadOnly))
                letters += search::articleText(QString::fromUtf8(page.readAll())).size();
        }
        reading.push_back(milliseconds(timer));
        if (letters == 0)
            std::fprintf(stderr, "bench_search: the pages hold no text\n");
    }

    // The first keystroke: the module loaded and the build started, on the caller's thread.
    std::vector<double> keystroke;
    std::vector<double> build;
    std::unique_ptr<search::ArticleSearch> search;
    for (int i = 0; i < runs; ++i) {
        search = std::make_unique<search::ArticleSearch>();
        QElapsedTimer timer;
        timer.start();
        search->build(articles, bundle);
        keystroke.push_back(milliseconds(timer));
        search->waitUntilBuilt();
        build.push_back(milliseconds(timer));
        if (search->state() != search::ArticleSearch::State::Ready) {
            std::fprintf(stderr, "bench_search: the index could not be built\n");
            return 1;
        }
    }
    const Figures first = figures(keystroke);
    const Figures index = figures(build);
    std::printf("articles                          %zu\n", articles.size());
    std::printf("first keystroke (load, start)     first run %.2f ms, later median %.2f ms\n",
                keystroke.front(),
                figures(std::vector<double>(keystroke.begin() + 1, keystroke.end())).median);
    std::printf("index of every page (in the background) median %.1f ms, worst %.1f ms\n",
                index.median, index.worst);
    std::printf("  of which reading the pages      median %.1f ms\n", figures(reading).median);
    (void)first;

    search::TitleSearch titleSearch;
    titleSearch.setTitles(titles);
    std::printf("query                       text search (median / worst)   title filter (median / "
                "worst)\n");
    for (const char* query : {"ожог", "кровь из носа", "кровотечние", "кровотечение"}) {
        const QString text = QString::fromUtf8(query);
        std::vector<double> textTimes;
        std::vector<double> titleTimes;
        for (int i = 0; i < runs * 10; ++i) {
            QElapsedTimer timer;
            timer.start();
            const std::vector<search::Hit> hits = search->find(text, 10);
            textTimes.push_back(milliseconds(timer));
            timer.restart();
            const std::vector<size_t> rows = titleSearch.find(text);
            titleTimes.push_back(milliseconds(timer));
            if (hits.empty() && rows.empty())
                std::fprintf(stderr, "bench_search: nothing found for %s\n", query);
        }
        const Figures textFigures = figures(textTimes);
        const Figures titleFigures = figures(titleTimes);
        std::printf("%-26s  %6.3f / %6.3f ms               %6.4f / %6.4f ms\n", query,
                    textFigures.median, textFigures.worst, titleFigures.median, titleFigures.worst);
    }
    return 0;
}
