// SPDX-License-Identifier: GPL-3.0-or-later
// The list reader: the escaping convention, the record rules and bad input.

#include "TestSupport.h"

#include "articlelist/ListLoader.h"
#include "articlelist/ListReader.h"

#include <QTest>

namespace {

// Parses a list text the way the loader does: bare ampersands escaped first.
QList<articlelist::Record> records(const QString& xml, bool* ok = nullptr)
{
    articlelist::ListReader parser(articlelist::ListReader::encode(xml).toUtf8());
    const bool parsed = parser.read();
    if (ok)
        *ok = parsed;
    return parser.records();
}

QString cell(const QString& text, const QString& link = QStringLiteral("a.html"))
{
    return QStringLiteral("<Cell><Text>%1</Text><Link>%2</Link></Cell>").arg(text, link);
}

} // namespace

class TestListReader final : public QObject {
    Q_OBJECT

private slots:
    void escapingConvention_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("arrives");
        QTest::newRow("bare ampersand")
            << QStringLiteral("Ожоги & обморожения") << QStringLiteral("Ожоги & обморожения");
        QTest::newRow("%26") << QStringLiteral("Ожоги %26 обморожения")
                             << QStringLiteral("Ожоги & обморожения");
        QTest::newRow("square brackets")
            << QStringLiteral("[b]Жгут[/b]") << QStringLiteral("<b>Жгут</b>");
        QTest::newRow("bare greater-than") << QStringLiteral("a > b") << QStringLiteral("a > b");
        QTest::newRow("entity stays as written")
            << QStringLiteral("a &amp; b &lt;") << QStringLiteral("a &amp; b &lt;");
    }

    void escapingConvention()
    {
        QFETCH(QString, written);
        QFETCH(QString, arrives);
        bool ok = false;
        const QList<articlelist::Record> list =
            records(QStringLiteral("<List>%1</List>").arg(cell(written)), &ok);
        QVERIFY(ok);
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].value(QStringLiteral("Text")), arrives);
    }

    void encodeAndDecode()
    {
        QCOMPARE(articlelist::ListReader::encode(QStringLiteral("a&b&&c")),
                 QStringLiteral("a%26b%26%26c"));
        // Replacements in order: %26 first, then the brackets.
        QCOMPARE(articlelist::ListReader::decode(QStringLiteral("%26[x]%2")),
                 QStringLiteral("&<x>%2"));
        QCOMPARE(
            articlelist::ListReader::decode(articlelist::ListReader::encode(QStringLiteral("R&D"))),
            QStringLiteral("R&D"));
    }

    void emptyFieldsLeaveNoKey()
    {
        const QList<articlelist::Record> list =
            records(QStringLiteral("<List><Cell><Text>Пусто</Text><Link></Link></"
                                   "Cell><Cell><Text>Закрыто</Text><Link/></Cell></List>"));
        QCOMPARE(list.size(), 2);
        for (const articlelist::Record& record : list) {
            QVERIFY(!record.contains(QStringLiteral("Link")));
            QVERIFY(record.contains(QStringLiteral("Text")));
        }
    }

    void valuesKeepTheirLinesAndIndentation()
    {
        const QString value = QStringLiteral("Первая строка\n    вторая строка\n");
        const QList<articlelist::Record> list =
            records(QStringLiteral("<List><Cell><Text>%1</Text></Cell></List>").arg(value));
        QCOMPARE(list.value(0).value(QStringLiteral("Text")), value);
    }

    void textOutsideFieldsReachesNoRecord()
    {
        const QList<articlelist::Record> list =
            records(QStringLiteral("<List>между<Cell>\n  перед<Text>Заголовок</Text>  после\n  "
                                   "<Link>a.html</Link>\n</Cell>между<Other>не "
                                   "запись</Other><Cell><Text>Второй</Text></Cell></List>"));
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0],
                 (articlelist::Record{{QStringLiteral("Text"), QStringLiteral("Заголовок")},
                                      {QStringLiteral("Link"), QStringLiteral("a.html")}}));
        QCOMPARE(list[1],
                 (articlelist::Record{{QStringLiteral("Text"), QStringLiteral("Второй")}}));
    }

    void recordRules()
    {
        // The later of two same-named fields wins; attributes and CDATA are not collected;
        // records may stand at any depth; the name is compared exactly.
        const QList<articlelist::Record> list = records(QStringLiteral(
            "<Root><Group><Cell "
            "kind=\"x\"><Text>Старое</Text><Text>Новое</Text><Note><![CDATA[скрыто]]></Note></Cell>"
            "</Group><cell><Text>не запись</Text></cell></Root>"));
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].value(QStringLiteral("Text")), QStringLiteral("Новое"));
        QVERIFY(!list[0].contains(QStringLiteral("Note")));
        QVERIFY(!list[0].contains(QStringLiteral("kind")));
    }

    void documentWithoutCellsGivesNothingAndNoLogLine()
    {
        TestBundle bundle;
        bundle.write(QStringLiteral("Content.xml"),
                     "<?xml version=\"1.0\"?><List><Item>x</Item></List>");
        LogCapture log;
        const auto list = articlelist::loadList(QStringLiteral("Content"), QStringLiteral("xml"));
        QVERIFY(list->records().isEmpty());
        QVERIFY(log.lines().isEmpty());
    }

    void malformedFifthCellKeepsTheFourBefore()
    {
        TestBundle bundle;
        QString xml = QStringLiteral("<List>");
        for (int i = 1; i <= 4; ++i)
            xml += cell(QStringLiteral("Статья %1").arg(i));
        xml += QStringLiteral("<Cell><Text>Пятая</Link></Cell>") + cell(QStringLiteral("Шестая")) +
               QStringLiteral("</List>");
        bundle.write(QStringLiteral("Content.xml"), xml.toUtf8());
        LogCapture log;
        const auto list = articlelist::loadList(QStringLiteral("Content"), QStringLiteral("xml"));
        QCOMPARE(list->records().size(), 4);
        QCOMPARE(list->records()[3].value(QStringLiteral("Text")), QStringLiteral("Статья 4"));
        QCOMPARE(log.lines(),
                 QStringList{QStringLiteral("Error while parsing file %1.")
                                 .arg(bundle.filePath(QStringLiteral("Content.xml")))});
    }

    void unreadableListsGiveNoRecordsAndOneLogLine()
    {
        {
            TestBundle bundle;
            LogCapture log;
            const auto list =
                articlelist::loadList(QStringLiteral("Content"), QStringLiteral("xml"));
            QVERIFY(list->records().isEmpty());
            QCOMPARE(log.lines(), QStringList{QStringLiteral("Error while parsing file (null).")});
        }
        {
            TestBundle bundle;
            // Latin-1 bytes of Cyrillic text are not UTF-8.
            bundle.write(QStringLiteral("Content.xml"),
                         QByteArray("<List><Cell><Text>\xce\xe6\xee\xe3</Text></Cell></List>"));
            LogCapture log;
            const auto list =
                articlelist::loadList(QStringLiteral("Content"), QStringLiteral("xml"));
            QVERIFY(list->records().isEmpty());
            QCOMPARE(log.lines().size(), 1);
        }
        {
            TestBundle bundle;
            bundle.write(QStringLiteral("Content.xml"), QByteArray());
            LogCapture log;
            QVERIFY(articlelist::loadList(QStringLiteral("Content"), QStringLiteral("xml"))
                        ->records()
                        .isEmpty());
            QCOMPARE(log.lines().size(), 1);
        }
    }
};

FIRSTAID_TEST_MAIN(TestListReader)

#include "tst_listreader.moc"
