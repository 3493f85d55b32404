// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArticleSearch.h"

#include "ArticleText.h"
#include "QueryForms.h"
#include "kit/platform/PlatformModule.h"

#include <QDir>
#include <QFile>

namespace search {
namespace {

constexpr kit::PlatformModule searchModule{"libfirstaid_search.so", "FIRSTAID_SEARCH_MODULE"};

} // namespace

std::vector<ListedArticle> listedArticles(const QList<articlelist::Record>& records)
{
    std::vector<ListedArticle> articles;
    articles.reserve(size_t(records.size()));
    for (const articlelist::Record& record : records)
        articles.push_back({record.value(QStringLiteral("Text")),
                            record.value(QStringLiteral("Link")),
                            record.value(QStringLiteral("Keys"))});
    return articles;
}

ArticleSearch::ArticleSearch() = default;

ArticleSearch::~ArticleSearch()
{
    if (_worker.joinable())
        _worker.join();
}

void ArticleSearch::build(std::vector<ListedArticle> articles, const QString& bundlePath)
{
    if (_state != State::NotBuilt)
        return;
    _articles = std::move(articles);
    // The module is loaded here, on the caller's thread, as every platform module is.
    using Create = SearchEngine* (*)();
    const auto create = reinterpret_cast<Create>(
        kit::resolvePlatformFunction(searchModule, "firstaidCreateSearchEngine"));
    _engine.reset(create ? create() : nullptr);
    if (!_engine) {
        _state = State::Unavailable;
        emit ready();
        return;
    }
    _state = State::Building;
    // The worker has the engine and a copy of the list to itself until it ends.
    _worker = std::thread([this, list = _articles, folder = QDir(bundlePath)] {
        std::vector<Article> indexed;
        indexed.reserve(list.size());
        for (const ListedArticle& listed : list) {
            QFile page(folder.filePath(listed.link));
            const QString html = !listed.link.isEmpty() && page.open(QIODevice::ReadOnly)
                                     ? QString::fromUtf8(page.readAll())
                                     : QString();
            indexed.push_back({listed.title, listed.keys, articleText(html)});
        }
        _built = _engine->build(indexed);
        QMetaObject::invokeMethod(
            this, [this] { finish(); }, Qt::QueuedConnection);
    });
}

void ArticleSearch::waitUntilBuilt()
{
    if (_state != State::Building)
        return;
    // The worker's own report is still on its way; it finds the search finished.
    finish();
}

void ArticleSearch::finish()
{
    if (_state != State::Building)
        return;
    if (_worker.joinable())
        _worker.join();
    _state = _built ? State::Ready : State::Unavailable;
    if (!_built)
        _engine.reset();
    emit ready();
}

std::vector<Hit> ArticleSearch::find(const QString& query, int limit) const
{
    if (_state != State::Ready)
        return {};
    // As typed first. Found nothing: the same keys in the Russian layout (a keyboard left in
    // the Latin one), then with a short word's typo put right too.
    std::vector<Hit> hits = _engine->find(query, limit);
    const QString retyped = inRussianLayout(query);
    if (hits.empty() && !retyped.isEmpty())
        hits = _engine->find(retyped, limit);
    if (hits.empty())
        hits = _engine->find(query, limit, SearchEngine::Typos::ShortWordsToo);
    if (hits.empty() && !retyped.isEmpty())
        hits = _engine->find(retyped, limit, SearchEngine::Typos::ShortWordsToo);
    if (namesAChild(query) || (!retyped.isEmpty() && namesAChild(retyped)))
        return hits;
    // A query that names no child is about an adult: a page for children comes after the
    // adult page that follows it ("подавился", "не дышит").
    std::vector<Hit> ordered;
    std::vector<Hit> children;
    ordered.reserve(hits.size());
    for (Hit& hit : hits) {
        const bool child = hit.article >= 0 && size_t(hit.article) < _articles.size() &&
                           isAboutChildren(_articles[size_t(hit.article)].title);
        if (child) {
            children.push_back(std::move(hit));
            continue;
        }
        ordered.push_back(std::move(hit));
        for (Hit& waiting : children)
            ordered.push_back(std::move(waiting));
        children.clear();
    }
    for (Hit& waiting : children)
        ordered.push_back(std::move(waiting));
    return ordered;
}

} // namespace search
