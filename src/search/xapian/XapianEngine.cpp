// SPDX-License-Identifier: GPL-3.0-or-later
// The search of the articles' text on Xapian: a Russian Snowball stemmer, BM25 ranking,
// spelling suggestions for typos and snippets around the matches. Built as a module of its
// own, loaded with the first search.

#include "search/SearchEngine.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <xapian.h>

#include <memory>
#include <string>

namespace {

std::string utf8(const QString& text)
{
    return text.toStdString();
}

QString fromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

// Letter case aside, and ё read as е: people type either, the pages write ё.
QString normalized(QString text)
{
    text.replace(QChar(u'ё'), QChar(u'е')).replace(QChar(u'Ё'), QChar(u'Е'));
    return text;
}

// The Russian stemmer, reading ё as е: the index's stems are made of text with ё replaced,
// while snippets are cut from the text as it stands.
class YoAsYeStemmer final : public Xapian::StemImplementation {
public:
    std::string operator()(const std::string& word) override
    {
        std::string plain = word;
        for (size_t at = plain.find("\xD1\x91"); at != std::string::npos;
             at = plain.find("\xD1\x91", at))
            plain.replace(at, 2, "\xD0\xB5");
        return _russian(plain);
    }
    std::string get_description() const override { return "russian, ё as е"; }

private:
    Xapian::Stem _russian{"russian"};
};

// Words that say nothing about what happened: they neither rank nor find.
const char* const stopWords[] = {
    "и",  "в",  "во",  "на",   "с",   "со",  "по",  "к",   "ко",  "у",   "о",    "об",
    "от", "до", "из",  "за",   "для", "как", "что", "а",   "но",  "или", "же",   "ли",
    "бы", "то", "это", "при",  "его", "её",  "ее",  "их",  "он",  "она", "они",  "мы",
    "вы", "я",  "мне", "меня", "там", "тут", "так", "уже", "ещё", "еще", "если", "чем",
};

// Term weights within a document: a title word counts as much as five words of the text,
// a keyword as three.
constexpr Xapian::termcount titleWeight = 5;
constexpr Xapian::termcount keysWeight = 3;
// Target length of a snippet, in bytes of UTF-8: about 90 Cyrillic letters, two short lines.
constexpr size_t snippetBytes = 180;

class XapianEngine final : public search::SearchEngine {
public:
    XapianEngine() : _stemmer("russian"), _snippetStemmer(new YoAsYeStemmer())
    {
        for (const char* word : stopWords)
            _stopper.add(word);
    }

    bool build(const std::vector<search::Article>& articles) override
    {
        // Spelling data needs a database on disk; it lives as long as the engine.
        if (!_folder.isValid())
            return false;
        try {
            _database = std::make_unique<Xapian::WritableDatabase>(
                utf8(_folder.path()),
                // A scratch index, made again at every start: nothing to keep safe on disk.
                Xapian::DB_CREATE_OR_OVERWRITE | Xapian::DB_BACKEND_GLASS | Xapian::DB_NO_SYNC);
            Xapian::TermGenerator indexer;
            indexer.set_stemmer(_stemmer);
            indexer.set_stemming_strategy(Xapian::TermGenerator::STEM_ALL_Z);
            indexer.set_database(*_database);
            _texts.clear();
            for (const search::Article& article : articles) {
                Xapian::Document document;
                indexer.set_document(document);
                // Typos are put right towards the words of the titles and keywords: the words
                // people search with. Every word of the texts as well would make each guess
                // several times slower.
                indexer.set_flags(Xapian::TermGenerator::FLAG_SPELLING);
                indexer.index_text_without_positions(utf8(normalized(article.title)), titleWeight);
                indexer.index_text_without_positions(utf8(normalized(article.keys)), keysWeight);
                indexer.set_flags(Xapian::TermGenerator::flags(0));
                // Only which words a page holds, and how often: no phrase is ever searched
                // for, so the words' places are not kept.
                indexer.index_text_without_positions(utf8(normalized(article.text)));
                _texts.push_back(utf8(article.text));
                _database->add_document(document);
            }
            _database->commit();
            // Asked from now on through a reader of its own: faster than the writer's view.
            _reader = std::make_unique<Xapian::Database>(utf8(_folder.path()));
        } catch (const Xapian::Error&) {
            _database.reset();
            _reader.reset();
            return false;
        }
        return true;
    }

    std::vector<search::Hit> find(const QString& query, int limit, Typos typos) override
    {
        std::vector<search::Hit> hits;
        if (!_reader || limit <= 0)
            return hits;
        try {
            const Xapian::Query parsed = parse(query, typos == Typos::ShortWordsToo ? 4 : 5);
            if (parsed.empty())
                return hits;
            Xapian::Enquire enquire(*_reader);
            enquire.set_query(parsed);
            const Xapian::MSet matches = enquire.get_mset(0, Xapian::doccount(limit));
            for (auto match = matches.begin(); match != matches.end(); ++match) {
                const auto article = int(*match) - 1;
                if (article < 0 || size_t(article) >= _texts.size())
                    continue;
                search::Hit hit;
                hit.article = article;
                hit.snippet = plainLittleWords(
                    fromUtf8(matches.snippet(_texts[size_t(article)], snippetBytes, _snippetStemmer,
                                             0, "<b>", "</b>", "…")));
                hit.words = boldWords(hit.snippet);
                // Found by its title or keywords only: the snippet is the article's beginning.
                if (hit.words.isEmpty())
                    hit.snippet = beginning(_texts[size_t(article)]);
                hits.push_back(std::move(hit));
            }
        } catch (const Xapian::Error&) {
            hits.clear();
        }
        return hits;
    }

private:
    // The query as people type it: its words, each word of shortest letters or more that the
    // index does not know replaced by the index's word one letter away, if there is one.
    Xapian::Query parse(const QString& query, qsizetype shortest)
    {
        static const QRegularExpression word(QStringLiteral("[\\p{L}\\p{N}]+"));
        QStringList words;
        for (auto match = word.globalMatch(normalized(query.toLower())); match.hasNext();) {
            QString found = match.next().captured(0);
            if (found.size() >= shortest) {
                const std::string raw = utf8(found);
                // Stemmed terms carry the prefix Z.
                std::string stemmed(1, 'Z');
                stemmed += _stemmer(raw);
                if (_reader->get_termfreq(stemmed) == 0) {
                    const std::string suggestion = _reader->get_spelling_suggestion(raw, 1);
                    if (!suggestion.empty())
                        found = fromUtf8(suggestion);
                }
            }
            // Words that say nothing are left out here: the parser would keep a query of
            // nothing else.
            if (!_stopper(utf8(found)))
                words << found;
        }
        if (words.isEmpty())
            return {};
        Xapian::QueryParser parser;
        parser.set_stemmer(_stemmer);
        parser.set_stemming_strategy(Xapian::QueryParser::STEM_ALL_Z);
        parser.set_stopper(&_stopper);
        parser.set_database(*_reader);
        parser.set_default_op(Xapian::Query::OP_OR);
        // No operators: what people type is words, never syntax.
        return parser.parse_query(utf8(words.join(QLatin1Char(' '))), 0);
    }

    // The first words of a text, as long as a snippet, escaped for HTML.
    static QString beginning(const std::string& text)
    {
        const QString whole = fromUtf8(text);
        constexpr qsizetype letters = qsizetype(snippetBytes / 2);
        if (whole.size() <= letters)
            return whole.toHtmlEscaped();
        qsizetype end = whole.lastIndexOf(QLatin1Char(' '), letters);
        if (end <= 0)
            end = letters;
        return whole.left(end).toHtmlEscaped() + QStringLiteral("…");
    }

    // Little words ("не", "и") are never in bold: in bold they draw the eye from the words
    // that found the article. "не" still counts in the search ("не дышит").
    QString plainLittleWords(const QString& snippet) const
    {
        static const QRegularExpression bold(QStringLiteral("<b>([^<]*)</b>"));
        QString plain;
        qsizetype done = 0;
        for (auto match = bold.globalMatch(snippet); match.hasNext();) {
            const QRegularExpressionMatch found = match.next();
            const QString word = found.captured(1);
            const std::string lower = utf8(word.toLower());
            const bool little = _stopper(lower) || lower == "\xD0\xBD\xD0\xB5" /* не */ ||
                                lower == "\xD0\xBD\xD0\xB8" /* ни */;
            plain += QStringView(snippet).mid(done, found.capturedStart() - done);
            plain += little ? word : found.captured(0);
            done = found.capturedEnd();
        }
        plain += QStringView(snippet).mid(done);
        return plain;
    }

    static QStringList boldWords(const QString& snippet)
    {
        static const QRegularExpression bold(QStringLiteral("<b>(.*?)</b>"));
        QStringList words;
        for (auto match = bold.globalMatch(snippet); match.hasNext();) {
            // The snippet escapes what HTML would read as markup.
            QString found = match.next().captured(1);
            found.replace(QLatin1String("&lt;"), QLatin1String("<"))
                .replace(QLatin1String("&gt;"), QLatin1String(">"))
                .replace(QLatin1String("&quot;"), QLatin1String("\""))
                .replace(QLatin1String("&#39;"), QLatin1String("'"))
                .replace(QLatin1String("&amp;"), QLatin1String("&"));
            if (!found.isEmpty() && !words.contains(found))
                words << found;
        }
        return words;
    }

    Xapian::Stem _stemmer;
    Xapian::Stem _snippetStemmer;
    Xapian::SimpleStopper _stopper;
    QTemporaryDir _folder;
    std::unique_ptr<Xapian::WritableDatabase> _database;
    std::unique_ptr<Xapian::Database> _reader;
    // The texts as they stand, for snippets.
    std::vector<std::string> _texts;
};

} // namespace

extern "C" Q_DECL_EXPORT search::SearchEngine* firstaidCreateSearchEngine()
{
    return new XapianEngine();
}
