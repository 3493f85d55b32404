// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "app/FindCommand.h"
#include "articlelist/ListLoader.h"
#include "kit/foundation/Bundle.h"
#include "search/ArticleSearch.h"

#include <QTest>

// The queries people type in an emergency, on the application's own articles: the right
// article among the first three lines the search gives.
class TestQueries final : public QObject {
    Q_OBJECT

private slots:
    void theRightArticleIsAmongTheFirstThree_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("page");
        const char* const cases[][2] = {
            {"горит одежда", "burns.html"},
            {"укус гадюки", "snake.html"},
            {"кровь не останавливается", "bleeding.html"},
            {"сердце остановилось", "cpr.html"},
            {"упал в воду", "drowning.html"},
            {"ударился головой", "head.html"},
            {"инородное тело в глазу", "eye.html"},
            {"трясёт и пена изо рта", "seizure.html"},
            {"гипотермия", "hypothermia.html"},
            {"задыхается", "choking.html"},
            {"задыхается", "asthma.html"},
            {"бьёт током", "electric.html"},
            {"отравление газом", "co.html"},
            {"кровь из носа", "nosebleed.html"},
            {"не дышит", "cpr.html"},
            {"подавился", "choking.html"},
            {"ударило током", "electric.html"},
            {"порезался", "wounds.html"},
            {"кровотечние", "bleeding.html"},
            {"судароги", "seizure.html"},
        };
        for (const auto& [query, page] : cases)
            QTest::addRow("%s → %s", query, page)
                << QString::fromUtf8(query) << QString::fromLatin1(page);
    }

    void theRightArticleIsAmongTheFirstThree()
    {
        QFETCH(QString, query);
        QFETCH(QString, page);
        const QStringList lines = app::findLines(query);
        QStringList firstThree;
        for (const QString& line : lines.mid(0, 3))
            firstThree << line.section(QLatin1Char('\t'), 1, 1);
        QVERIFY2(firstThree.contains(page), qPrintable(lines.mid(0, 3).join(QLatin1String(" | "))));
    }

    // What the keyboard does to a frightened person's query: the Latin layout left on, a
    // short word one letter wrong, an English term; and whose page comes first.
    void forgivingQueriesPutTheirPageFirst_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("page");
        const char* const cases[][2] = {
            {"j;ju", "burns.html"},
            {"jcnfyjdrf cthlwf", "cpr.html"},
            {"ожег", "burns.html"},
            {"ожёг", "burns.html"},
            {"CPR", "cpr.html"},
            {"AED", "aed.html"},
            {"heimlich", "choking.html"},
            {"burn", "burns.html"},
            {"stroke", "stroke.html"},
            // No child named: the adult page first; a child named: the child's.
            {"подавился", "choking.html"},
            {"не дышит", "cpr.html"},
            {"СЛР", "cpr.html"},
            {"ребёнок подавился", "choking_infant.html"},
            {"ребёнок не дышит", "cpr_child.html"},
            {"сердечный приступ", "chest_pain.html"},
        };
        for (const auto& [query, page] : cases)
            QTest::addRow("%s → %s", query, page)
                << QString::fromUtf8(query) << QString::fromLatin1(page);
    }

    void forgivingQueriesPutTheirPageFirst()
    {
        QFETCH(QString, query);
        QFETCH(QString, page);
        const QStringList lines = app::findLines(query);
        QVERIFY2(!lines.isEmpty(), qPrintable(query));
        QCOMPARE(lines.constFirst().section(QLatin1Char('\t'), 1, 1), page);
    }

    // A smell of gas is the gas service's: the carbon monoxide page comes up, and what the
    // results show of it is the line that sends to the gas service.
    void aSmellOfGasLeadsToTheGasService()
    {
        const std::unique_ptr<articlelist::ListReader> list =
            articlelist::loadList(QStringLiteral("Content"), QStringLiteral("xml"));
        search::ArticleSearch textSearch;
        textSearch.build(search::listedArticles(list->records()),
                         kit::Bundle::mainBundle().bundlePath());
        textSearch.waitUntilBuilt();
        for (const QString& query :
             {QStringLiteral("пахнет газом"), QStringLiteral("утечка газа")}) {
            const std::vector<search::Hit> hits = textSearch.find(query, 5);
            QVERIFY(!hits.empty());
            QCOMPARE(textSearch.articles().at(size_t(hits.front().article)).link,
                     QStringLiteral("co.html"));
            QVERIFY2(hits.front().snippet.contains(QStringLiteral("104")),
                     qPrintable(hits.front().snippet));
        }
    }
};

FIRSTAID_TEST_MAIN(TestQueries)

#include "tst_queries.moc"
