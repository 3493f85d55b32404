// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SearchEngine.h"
#include "articlelist/ListReader.h"

#include <QObject>
#include <QString>

#include <memory>
#include <thread>
#include <vector>

namespace search {

// An article as the contents list names it.
struct ListedArticle {
    QString title;
    // The page, a file of the bundle.
    QString link;
    QString keys;
};

// The articles of the contents list's records (their Text, Link and Keys), in its order.
std::vector<ListedArticle> listedArticles(const QList<articlelist::Record>& records);

// The search of the listed articles' text and keywords. The index is built once, on a
// worker thread, from the pages of the bundle: asking for it costs the caller only the
// loading of the search module. Until it is ready, nothing is found.
class ArticleSearch final : public QObject {
    Q_OBJECT

public:
    enum class State { NotBuilt, Building, Ready, Unavailable };

    ArticleSearch();
    // Waits for a build still running.
    ~ArticleSearch() override;

    // Starts building the index of the articles whose pages are in the bundle folder.
    // Only the first call builds; ready() follows on this object's thread.
    void build(std::vector<ListedArticle> articles, const QString& bundlePath);
    // Waits for the build to end, for callers that cannot go on without it.
    void waitUntilBuilt();

    State state() const { return _state; }
    const std::vector<ListedArticle>& articles() const { return _articles; }
    // The articles matching the query, best first; none until the index is ready.
    std::vector<Hit> find(const QString& query, int limit) const;

signals:
    // The index is ready (or can never be: then nothing is ever found).
    void ready();

private:
    void finish();

    std::vector<ListedArticle> _articles;
    std::unique_ptr<SearchEngine> _engine;
    std::thread _worker;
    // Written by the worker before it reports, read after it has been joined.
    bool _built = false;
    State _state = State::NotBuilt;
};

} // namespace search
