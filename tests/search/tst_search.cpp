// SPDX-License-Identifier: GPL-3.0-or-later
// The search of the articles' text: word forms, letters, typos, several words,
// keywords and odd queries on pages of the test's own; the contents screen's text section.

#include "TestSupport.h"

#include "app/ApplicationShell.h"
#include "contents/Content.h"
#include "contents/ContentTable.h"
#include "contents/TextResultCell.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/NavigationController.h"
#include "kit/foundation/Bundle.h"
#include "kit/tables/SearchBar.h"
#include "search/ArticleSearch.h"
#include "search/ArticleText.h"
#include "search/QueryForms.h"
#include "search/TitleSearch.h"
#include "viewer/WebController.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <vector>

namespace {

struct Page {
    QString file;
    QString title;
    QString body;
    QString keys;
};

// Pages of a bundle of the test's own, indexed: the search waits for its index.
struct Indexed {
    TestBundle bundle;
    std::vector<search::ListedArticle> articles;
    search::ArticleSearch search;

    explicit Indexed(const std::vector<Page>& pages)
    {
        for (const Page& page : pages) {
            bundle.writePage(page.file, page.title, false,
                             QStringLiteral("<p>") + page.body + QStringLiteral("</p>"));
            articles.push_back({page.title, page.file, page.keys});
        }
        search.build(articles, bundle.path());
        search.waitUntilBuilt();
    }
    // The files found, best first.
    QStringList find(const QString& query) const
    {
        QStringList files;
        for (const search::Hit& hit : search.find(query, 10))
            files << articles.at(size_t(hit.article)).link;
        return files;
    }
};

const std::vector<Page> firstAid = {
    {QStringLiteral("cuts.html"), QStringLiteral("Раны"),
     QStringLiteral("Небольшой порез промойте водой. Кровотечение из пореза остановите "
                    "давящей повязкой."),
     QStringLiteral("порезался, поранился, кровотечение")},
    {QStringLiteral("burns.html"), QStringLiteral("Ожоги"),
     QStringLiteral("Человек обжёг руку кипятком: охлаждайте ожог проточной водой 20 минут."),
     QString()},
    {QStringLiteral("fits.html"), QStringLiteral("Приступ"),
     QStringLiteral("Судороги: уберите опасные предметы, не держите человека."),
     QStringLiteral("трясёт, пена изо рта, судороги")},
    {QStringLiteral("nose.html"), QStringLiteral("Нос"),
     QStringLiteral("Кровь из носа: наклоните голову вперёд и зажмите нос на 10 минут."),
     QString()},
    {QStringLiteral("blood.html"), QStringLiteral("Кровопотеря"),
     QStringLiteral("Кровь, кровь и ещё раз кровь: много крови теряет человек при ранении."),
     QString()},
    {QStringLiteral("choke.html"), QStringLiteral("Инородное тело"),
     QStringLiteral("Человек не может вдохнуть и говорить: сделайте пять ударов по спине."),
     QStringLiteral("подавился, поперхнулся")},
};

} // namespace

class TestSearch final : public QObject {
    Q_OBJECT

private slots:
    void pageTextLeavesOutWhatIsNotRead()
    {
        const QString html = QStringLiteral(
            "<html><head><title>Заголовок</title><style>p{}</style></head><body>"
            "<h1>Ожоги</h1><p>Звоните <a href=\"tel:112\">112</a>, если ожог&nbsp;больш&shy;ой."
            "</p><script>var x = 1;</script><svg viewBox=\"0 0 1 1\"><title>Рисунок руки</title>"
            "<text>подпись</text></svg><!-- заметка --><p>Вода &#8212; 20&#8288;минут &amp; "
            "&laquo;холод&raquo;.</p></body></html>");
        QCOMPARE(search::articleText(html),
                 QStringLiteral("Ожоги. Звоните 112, если ожог большой. Рисунок руки Вода — "
                                "20минут & «холод»."));
    }

    void wordFormsFindEachOther()
    {
        Indexed index(firstAid);
        QCOMPARE(index.find(QStringLiteral("кровотечения")).value(0), QStringLiteral("cuts.html"));
        QCOMPARE(index.find(QStringLiteral("порезы")).value(0), QStringLiteral("cuts.html"));
        QCOMPARE(index.find(QStringLiteral("ожогом")).value(0), QStringLiteral("burns.html"));
        // Where the stems part, the keywords join them.
        QCOMPARE(index.find(QStringLiteral("порезался")).value(0), QStringLiteral("cuts.html"));
    }

    void yoAndYeAreOneLetter()
    {
        Indexed index(firstAid);
        QCOMPARE(index.find(QStringLiteral("обжег")).value(0), QStringLiteral("burns.html"));
        QCOMPARE(index.find(QStringLiteral("обжёг")).value(0), QStringLiteral("burns.html"));
        QCOMPARE(index.find(QStringLiteral("трясет")).value(0), QStringLiteral("fits.html"));
    }

    void aTypoInALongWordStillFinds()
    {
        // Typos are put right towards the words of the titles and keywords.
        Indexed index(firstAid);
        QCOMPARE(index.find(QStringLiteral("кровотечние")).value(0), QStringLiteral("cuts.html"));
        QCOMPARE(index.find(QStringLiteral("судароги")).value(0), QStringLiteral("fits.html"));
        // A short word is not guessed at.
        QVERIFY(index.find(QStringLiteral("нас")).isEmpty());
    }

    void theKeyboardsLayoutAndAChildAreRead()
    {
        QCOMPARE(search::inRussianLayout(QStringLiteral("j;ju")), QStringLiteral("ожог"));
        QCOMPARE(search::inRussianLayout(QStringLiteral("Cthlwt ,mtncz")),
                 QStringLiteral("Сердце бьется"));
        QCOMPARE(search::inRussianLayout(QStringLiteral("`krf")), QStringLiteral("ёлка"));
        // Nothing Latin to retype: no second query.
        QCOMPARE(search::inRussianLayout(QStringLiteral("ожог 112")), QString());
        QVERIFY(search::namesAChild(QStringLiteral("Ребёнок подавился")));
        QVERIFY(search::namesAChild(QStringLiteral("у малыша жар")));
        QVERIFY(search::namesAChild(QStringLiteral("сын не дышит")));
        QVERIFY(!search::namesAChild(QStringLiteral("подавился")));
        // A word that merely contains the letters is not a child.
        QVERIFY(!search::namesAChild(QStringLiteral("победит")));
        QVERIFY(search::isAboutChildren(QStringLiteral("Реанимация ребёнка и младенца")));
        QVERIFY(!search::isAboutChildren(QStringLiteral("Ожоги")));
    }

    void allWordsRankAboveSome()
    {
        Indexed index(firstAid);
        // The blood page says "кровь" four times, the nose page has both words once.
        QCOMPARE(index.find(QStringLiteral("кровь")).value(0), QStringLiteral("blood.html"));
        const QStringList both = index.find(QStringLiteral("кровь нос"));
        QCOMPARE(both.value(0), QStringLiteral("nose.html"));
        QVERIFY(both.contains(QStringLiteral("blood.html")));
        // Words that say nothing do not rank.
        QVERIFY(index.find(QStringLiteral("и в как")).isEmpty());
        QCOMPARE(index.find(QStringLiteral("как кровь из носа")).value(0),
                 QStringLiteral("nose.html"));
    }

    void keywordsFindWhatTheTextDoesNotSay()
    {
        Indexed index(firstAid);
        QCOMPARE(index.find(QStringLiteral("подавился")),
                 QStringList{QStringLiteral("choke.html")});
        QCOMPARE(index.find(QStringLiteral("пена изо рта")).value(0), QStringLiteral("fits.html"));
    }

    void snippetsShowTheMatchInBold()
    {
        Indexed index({{QStringLiteral("a.html"), QStringLiteral("А"),
                        QStringLiteral("Сначала &lt;вступление&gt;. Потом охлаждайте ожог водой."),
                        QStringLiteral("холод")}});
        std::vector<search::Hit> hits = index.search.find(QStringLiteral("ожоги"), 5);
        QCOMPARE(hits.size(), size_t(1));
        QVERIFY2(hits[0].snippet.contains(QStringLiteral("<b>ожог</b>")),
                 qPrintable(hits[0].snippet));
        QVERIFY2(hits[0].snippet.contains(QStringLiteral("&lt;вступление&gt;")),
                 qPrintable(hits[0].snippet));
        QCOMPARE(hits[0].words, QStringList{QStringLiteral("ожог")});
        // Found by a keyword only: the article's beginning, nothing in bold.
        hits = index.search.find(QStringLiteral("холод"), 5);
        QCOMPARE(hits.size(), size_t(1));
        QVERIFY(hits[0].words.isEmpty());
        QVERIFY2(hits[0].snippet.contains(QStringLiteral("Сначала")), qPrintable(hits[0].snippet));
    }

    void snippetsReadAsTextAndLeaveLittleWordsPlain()
    {
        TestBundle bundle;
        bundle.write(QStringLiteral("eye.html"),
                     QStringLiteral("<html><body><h1>Травмы глаза</h1><h2>Соринка в глазу</h2>"
                                    "<p>Не трите глаз и не давите на него.</p></body></html>")
                         .toUtf8());
        search::ArticleSearch index;
        index.build({{QStringLiteral("Травмы глаза"), QStringLiteral("eye.html"), QString()}},
                    bundle.path());
        index.waitUntilBuilt();
        // A heading reads as a sentence of its own, not run into the next.
        const std::vector<search::Hit> hits = index.find(QStringLiteral("не трите глаз"), 5);
        QCOMPARE(hits.size(), size_t(1));
        QVERIFY2(hits[0].snippet.contains(QStringLiteral("Соринка в <b>глазу</b>. ")),
                 qPrintable(hits[0].snippet));
        // "Не" and "и" stay plain: only the words that found the article are in bold.
        QVERIFY2(!hits[0].snippet.contains(QStringLiteral("<b>Не</b>")),
                 qPrintable(hits[0].snippet));
        QVERIFY2(!hits[0].snippet.contains(QStringLiteral("<b>не</b>")),
                 qPrintable(hits[0].snippet));
        QVERIFY2(hits[0].snippet.contains(QStringLiteral("<b>трите</b>")),
                 qPrintable(hits[0].snippet));
        QVERIFY(!hits[0].words.contains(QStringLiteral("не")));
    }

    void oddQueriesFindNothingAndNeverFail_data()
    {
        QTest::addColumn<QString>("query");
        QTest::newRow("empty") << QString();
        QTest::newRow("blank") << QStringLiteral("   \t ");
        QTest::newRow("symbols") << QStringLiteral("!?*()[]\"'&|+-~^:;<>/\\%$#@");
        QTest::newRow("query syntax") << QStringLiteral("AND OR NOT NEAR \"\" -");
        QTest::newRow("1000 letters") << QString(1000, QChar(u'я'));
    }

    void oddQueriesFindNothingAndNeverFail()
    {
        QFETCH(QString, query);
        Indexed index(firstAid);
        QVERIFY(index.find(query).isEmpty());
    }

    void aLongQueryStillFinds()
    {
        Indexed index(firstAid);
        QString query;
        while (query.size() < 1000)
            query += QStringLiteral("кровь из носа ");
        QCOMPARE(index.find(query.left(1000)).value(0), QStringLiteral("nose.html"));
    }

    void anArticleInBothSectionsIsListedOnceInTheTitles()
    {
        Indexed index(firstAid);
        search::TitleSearch titles;
        QStringList names;
        for (const search::ListedArticle& article : index.articles)
            names << article.title;
        titles.setTitles(names);
        const search::Results results =
            search::findArticles(titles, &index.search, QStringLiteral("кровопотеря"), 10);
        QCOMPARE(results.titles, std::vector<size_t>{4});
        for (const search::Hit& hit : results.texts)
            QVERIFY(hit.article != 4);
        // The title section alone, as it always was: a substring, case aside, ё not е.
        QCOMPARE(titles.find(QStringLiteral("ОЖО")), std::vector<size_t>{1});
        QVERIFY(titles.find(QStringLiteral("ожёги")).empty());
        QVERIFY(titles.find(QString()).empty());
    }

    void theContentsScreenShowsTheTextSection()
    {
        TestStore store;
        TestBundle bundle;
        bundle.write(QStringLiteral("Content.xml"),
                     QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><Content>"
                                    "<Cell><Text>Ожоги</Text><Link>burns.html</Link></Cell>"
                                    "<Cell><Text>Раны</Text><Link>cuts.html</Link>"
                                    "<Keys>порезался</Keys></Cell></Content>")
                         .toUtf8());
        QString body;
        for (int i = 0; i < 60; ++i)
            body += QStringLiteral("<p>Строка текста номер %1, чтобы страница была длинной.</p>")
                        .arg(i);
        bundle.writePage(QStringLiteral("burns.html"), QStringLiteral("Ожоги"), false,
                         QStringLiteral("<p>Ожог охлаждайте водой.</p>") + body +
                             QStringLiteral("<p>Порез от стекла тоже промойте.</p>"));
        bundle.writePage(QStringLiteral("cuts.html"), QStringLiteral("Раны"), false,
                         QStringLiteral("<p>Порез промойте водой.</p>"));
        for (const char* picture :
             {"iconBtnTextSize.png", "sliderBackPane.png", "bottomPanelBg.png"})
            bundle.copyResource(QString::fromLatin1(picture));
        LaunchedApplication app;
        contents::Content* content = app.showTab<contents::Content>(0);
        contents::ContentTable* table = content->table();
        table->searchDisplayController()->setActive(true, false);
        table->searchBar()->setText(QStringLiteral("порез"));
        // The index is built in the background; the text section follows when it is ready.
        QVERIFY(waitUntil([&] { return !table->textResults().empty(); }));
        kit::TableView* results = table->searchDisplayController()->searchResultsTableView();
        QCOMPARE(results->numberOfSections(), 2);
        QCOMPARE(results->numberOfRowsInSection(0), 0);
        QCOMPARE(results->headerLabelForSection(1)->text(), QStringLiteral("В тексте статей"));
        QCOMPARE(results->numberOfRowsInSection(1), 2);
        auto* best =
            qobject_cast<contents::TextResultCell*>(table->cellForRowAtIndexPath(*results, {1, 0}));
        QVERIFY(best);
        QCOMPARE(best->title(), QStringLiteral("Раны"));
        QVERIFY2(best->snippet().contains(QStringLiteral("<b>Порез</b>")),
                 qPrintable(best->snippet()));

        // Every keystroke updates both sections; a title match leaves the text section.
        table->searchBar()->setText(QStringLiteral("ожог"));
        QCOMPARE(table->filteredCells().size(), size_t(1));
        QVERIFY(table->textResults().empty());
        QCOMPARE(results->numberOfSections(), 1);

        // Opening a text result finds its match in the page, far down the page.
        table->searchBar()->setText(QStringLiteral("стекло"));
        QCOMPARE(table->textResults().size(), size_t(1));
        table->didSelectRowAtIndexPath(*results, {1, 0});
        auto* article = qobject_cast<viewer::WebController*>(content->stack()->topViewController());
        QVERIFY(article);
        QCOMPARE(article->highlightedText(), QStringLiteral("стекла"));
        QSignalSpy found(article, &viewer::WebController::highlightedTextFound);
        QVERIFY(waitUntil([&] { return !found.isEmpty(); }));
        QCOMPARE(found.first().first().toInt(), 1);
        QVERIFY(waitUntil([&] {
            return evaluateJavaScript(article->webView(), QStringLiteral("window.scrollY"))
                       .toDouble() > 100;
        }));
    }

    void aSearchThatFindsNothingSaysSoAndOffersTheCallPage()
    {
        TestStore store;
        TestBundle bundle;
        bundle.write(QStringLiteral("Content.xml"),
                     QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><Content>"
                                    "<Cell><Text>Ожоги</Text><Link>burns.html</Link></Cell>"
                                    "<Cell><Text>Как вызвать помощь: 112 и 103</Text>"
                                    "<Link>call.html</Link></Cell></Content>")
                         .toUtf8());
        bundle.writePage(QStringLiteral("burns.html"), QStringLiteral("Ожоги"));
        bundle.writePage(QStringLiteral("call.html"), QStringLiteral("Как вызвать помощь"));
        for (const char* picture :
             {"iconBtnTextSize.png", "sliderBackPane.png", "bottomPanelBg.png"})
            bundle.copyResource(QString::fromLatin1(picture));
        LaunchedApplication app;
        contents::Content* content = app.showTab<contents::Content>(0);
        contents::ContentTable* table = content->table();
        table->searchDisplayController()->setActive(true, false);
        table->searchBar()->setText(QStringLiteral("жжжж"));
        QVERIFY(waitUntil([&] { return table->nothingFound(); }));
        kit::TableView* results = table->searchDisplayController()->searchResultsTableView();
        QCOMPARE(results->numberOfSections(), 1);
        QCOMPARE(results->headerLabelForSection(0)->text(), QStringLiteral("Ничего не найдено"));
        QCOMPARE(results->numberOfRowsInSection(0), 1);
        table->didSelectRowAtIndexPath(*results, {0, 0});
        auto* article = qobject_cast<viewer::WebController*>(content->stack()->topViewController());
        QVERIFY(article);
        QCOMPARE(article->url().fileName(), QStringLiteral("call.html"));
        QTest::mouseClick(content->stack()->navigationBar()->backButton(), Qt::LeftButton);

        // Something found again: no such header; Escape in the field ends the search.
        table->searchBar()->setText(QStringLiteral("ожог"));
        QVERIFY(!table->nothingFound());
        QVERIFY(results->headerLabelForSection(0) == nullptr ||
                results->headerLabelForSection(0)->text().isEmpty());
        QTest::keyClick(table->searchBar()->field(), Qt::Key_Escape);
        QVERIFY(!table->searchDisplayController()->isActive());
        QVERIFY(table->searchBar()->text().isEmpty());
    }
};

FIRSTAID_TEST_MAIN(TestSearch)

#include "tst_search.moc"
