// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "app/FindCommand.h"

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
};

FIRSTAID_TEST_MAIN(TestQueries)

#include "tst_queries.moc"
