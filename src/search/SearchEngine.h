// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The search of the articles' text: an index of the articles, built once, asked on every
// keystroke. The engine lives in a module of its own (libfirstaid_search.so, on Xapian)
// that is loaded with the first search, so no start pays for it.
namespace search {

// What is indexed of one article.
struct Article {
    QString title;
    // Words and phrases people use for what the article covers, comma-separated.
    QString keys;
    // The page's text without its tags.
    QString text;
};

// One article that matches, best first.
struct Hit {
    // The article's place in the list the index was built from.
    int article = 0;
    // A short piece of the article's text around its best match, as HTML: the matched words
    // in <b>, the rest escaped.
    QString snippet;
    // The matched words as they stand in that piece of text.
    QStringList words;
};

class SearchEngine {
public:
    virtual ~SearchEngine() = default;
    // Indexes the articles; true when the index can be asked. Runs once, on a worker thread;
    // nothing else touches the engine meanwhile.
    virtual bool build(const std::vector<Article>& articles) = 0;
    // How far a word is put right before it is searched for.
    enum class Typos {
        // A word of five letters or more that the index does not know becomes the index's
        // word one letter away.
        LongWords,
        // Four-letter words too: for when the query found nothing as typed ("ожег").
        ShortWordsToo,
    };

    // The articles matching a query, best first, at most limit of them. An empty query, or
    // one with nothing to search for, finds none.
    virtual std::vector<Hit> find(const QString& query, int limit,
                                  Typos typos = Typos::LongWords) = 0;
};

// The search module makes its engines with
//   extern "C" SearchEngine* firstaidCreateSearchEngine();

} // namespace search
