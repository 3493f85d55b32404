// SPDX-License-Identifier: GPL-3.0-or-later
// Tries to break the application: a card writer killed at random moments, a
// store that cannot be read or written, and bad bundle files and values.

#include "TestSupport.h"

#include "viewer/ReadingZoom.h"

#include "app/ApplicationShell.h"
#include "articlelist/ListLoader.h"
#include "card/CardScreen.h"
#include "card/CardTab.h"
#include "card/ChangeInfo.h"
#include "contents/Content.h"
#include "contents/ContentTable.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/TabBar.h"
#include "kit/controllers/TabBarController.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/Timer.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/pickers/AlertView.h"
#include "kit/views/Image.h"
#include "kit/views/Label.h"
#include "kit/views/Slider.h"
#include "record/PersonalRecord.h"
#include "sos/EmergencyScreen.h"
#include "sos/SOS.h"
#include "telephones/Telephones.h"
#include "viewer/ZoomControl.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <optional>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The generation every field of a saved card carries, or none when the fields disagree
// or any is missing: a card that is neither the old one nor the new one.
std::optional<qint64> generationOf(const kit::UserDefaults& store)
{
    const std::optional<QString> weight = store.stringForKey(record::OWN_WEIGHT);
    if (!weight)
        return std::nullopt;
    const QString n = *weight;
    const QList<std::pair<QString, QString>> expected = {
        {record::OWN_NAME, QStringLiteral("Имя ") + n},
        {record::OWN_ADDRESS, QStringLiteral("Адрес ") + n},
        {record::OWN_BIRTHDAY, QStringLiteral("Дата ") + n},
        {record::OWN_GROWTH, n},
        {record::OWN_BLOOD, QStringLiteral("Группа ") + n},
        {record::OWN_ILLNESS, QStringLiteral("Болезни ") + n},
    };
    for (const auto& [key, value] : expected)
        if (store.stringForKey(key) != value)
            return std::nullopt;
    if (!store.stringForKey(record::OWN_NOTE)
             .value_or(QString())
             .startsWith(QStringLiteral("Заметки %1 ").arg(n)))
        return std::nullopt;
    const QByteArray photo = store.objectForKey(record::OWN_IMAGE).toByteArray();
    if (!photo.startsWith(n.toLatin1() + '\x5a') || photo.size() != n.size() + 60000)
        return std::nullopt;
    return n.toLongLong();
}

// The bytes of a PNG whose header claims the given size, with no picture after it.
QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray bytes = pngBytes(1, 1);
    // IHDR's width and height follow the signature (8), the chunk length (4) and type (4).
    for (int i = 0; i < 4; ++i) {
        bytes[16 + i] = char((width >> (24 - 8 * i)) & 0xff);
        bytes[20 + i] = char((height >> (24 - 8 * i)) & 0xff);
    }
    return bytes;
}

// The card tab of a launched application and the alerts over it.
struct Launched {
    std::unique_ptr<LaunchedApplication> app = std::make_unique<LaunchedApplication>();
    card::CardTab* card() const
    {
        kit::TabBarController* tabs = app->shell().tabBarController();
        if (tabs->selectedIndex() != 3)
            QTest::mouseClick(tabs->tabBar()->buttonAt(3), Qt::LeftButton);
        return qobject_cast<card::CardTab*>(tabs->selectedViewController());
    }
    QString rowText(int row) const
    {
        return card()
            ->cardScreen()
            ->tableView()
            ->cellForRowAtIndexPath({0, row})
            ->textLabel()
            ->text();
    }
};

} // namespace

class TestReliability final : public QObject {
    Q_OBJECT

private slots:
    void cardSurvivesAWriterKilledAtRandomMoments()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("defaults.json"));
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        constexpr int kills = 200;
        int damaged = 0;
        qint64 last = 0;
        for (int i = 0; i < kills; ++i) {
            QProcess writer;
            writer.start(QStringLiteral(CARD_WRITER), {path});
            QVERIFY(writer.waitForStarted());
            QVERIFY2(writer.waitForReadyRead(10000), "the writer never saved");
            // A moment somewhere within the next few saves.
            QThread::usleep(random.bounded(30000));
            writer.kill();
            writer.waitForFinished();

            LogCapture log;
            kit::UserDefaults store(path);
            const std::optional<qint64> generation = generationOf(store);
            if (!log.lines().isEmpty() || !store.setAsidePath().isEmpty() || !generation ||
                *generation < last) {
                ++damaged;
                continue;
            }
            last = *generation;
        }
        const int leftovers =
            int(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size()) - 1;
        qInfo("kills: %d, damaged stores: %d, saves reached: %lld, temporary files left: %d (seed "
              "%u)",
              kills, damaged, last, leftovers, seed);
        QCOMPARE(damaged, 0);
        QVERIFY(last > kills);
        QCOMPARE(leftovers, 0);
    }

    void twoCopiesSavingAtOnceLoseNothing()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("defaults.json"));
        {
            kit::UserDefaults store(path);
            store.setObject(QStringLiteral("kept"), record::OWN_NOTE);
            QVERIFY(store.synchronize());
        }
        const auto runTwo = [&](const QString& firstKey, const QString& secondKey) {
            QProcess first;
            QProcess second;
            first.start(QStringLiteral(FIELD_WRITER),
                        {path, firstKey, QStringLiteral("A"), QStringLiteral("1500")});
            second.start(QStringLiteral(FIELD_WRITER),
                         {path, secondKey, QStringLiteral("B"), QStringLiteral("1500")});
            return first.waitForFinished(60000) && second.waitForFinished(60000) &&
                   first.exitCode() == 0 && second.exitCode() == 0;
        };
        // Different fields: both copies' last values, and what neither touched.
        QVERIFY(runTwo(record::OWN_NAME, record::OWN_ADDRESS));
        {
            kit::UserDefaults store(path);
            QCOMPARE(store.stringForKey(record::OWN_NAME), QStringLiteral("A-1500"));
            QCOMPARE(store.stringForKey(record::OWN_ADDRESS), QStringLiteral("B-1500"));
            QCOMPARE(store.stringForKey(record::OWN_NOTE), QStringLiteral("kept"));
        }
        // One field: the last save wins, whole.
        QVERIFY(runTwo(record::OWN_ILLNESS, record::OWN_ILLNESS));
        kit::UserDefaults store(path);
        const QString last = store.stringForKey(record::OWN_ILLNESS).value_or(QString());
        QVERIFY2(last == QLatin1String("A-1500") || last == QLatin1String("B-1500"),
                 qPrintable(last));
        QCOMPARE(store.stringForKey(record::OWN_NAME), QStringLiteral("A-1500"));
        QCOMPARE(int(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size()), 1);
    }

    void aStoreTakesInWhatAnotherCopySaved()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("defaults.json"));
        kit::UserDefaults mine(path);
        kit::UserDefaults other(path);
        other.setObject(QStringLiteral("Иванов"), record::OWN_NAME);
        QVERIFY(other.synchronize());
        // Not yet saved here: stays on top of what the other copy saved.
        mine.setObject(QStringLiteral("II группа / Rh+"), record::OWN_BLOOD);
        QVERIFY(!mine.stringForKey(record::OWN_NAME));
        mine.refresh();
        QCOMPARE(mine.stringForKey(record::OWN_NAME), QStringLiteral("Иванов"));
        QCOMPARE(mine.stringForKey(record::OWN_BLOOD), QStringLiteral("II группа / Rh+"));
        // A removal removes only its own key.
        other.removeObjectForKey(record::OWN_NAME);
        mine.setObject(QStringLiteral("ул. Ленина"), record::OWN_ADDRESS);
        QVERIFY(mine.synchronize());
        QVERIFY(other.synchronize());
        kit::UserDefaults reread(path);
        QVERIFY(!reread.stringForKey(record::OWN_NAME));
        QCOMPARE(reread.stringForKey(record::OWN_ADDRESS), QStringLiteral("ул. Ленина"));
        QCOMPARE(reread.stringForKey(record::OWN_BLOOD), QStringLiteral("II группа / Rh+"));
    }

    void unreadableStoreOpensAnEmptyCardKeepsTheFileAndSaysSoOnce_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("truncated") << QByteArray("{\"OWN_NAME\": \"Иван\", \"OWN_ADD");
        QByteArray noise(4096, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        QTest::newRow("random bytes") << noise;
        QTest::newRow("not an object") << QByteArray("[1, 2, 3]");
        QTest::newRow("a folder in its place") << QByteArray();
    }

    void unreadableStoreOpensAnEmptyCardKeepsTheFileAndSaysSoOnce()
    {
        QFETCH(QByteArray, content);
        TestStore store;
        if (content.isEmpty())
            QVERIFY(QDir().mkpath(store.path() + QStringLiteral("/inside")));
        else
            writeFile(store.path(), content);
        LogCapture log;
        {
            Launched launched;
            QCOMPARE(launched.rowText(0), QStringLiteral("Домашний адрес"));
            QCOMPARE(launched.card()->cardScreen()->nameButton()->title(),
                     QStringLiteral("Имя Фамилия"));
            const QString aside = kit::UserDefaults::standardUserDefaults().setAsidePath();
            QVERIFY(!aside.isEmpty());
            if (content.isEmpty())
                QVERIFY(QFileInfo(aside + QStringLiteral("/inside")).isDir());
            else
                QCOMPARE(readFile(aside), content);
            QCOMPARE(log.lines().size(), 1);
            const QList<kit::AlertView*> alerts = kit::AlertView::visibleAlerts();
            QCOMPARE(alerts.size(), 1);
            QCOMPARE(alerts.first()->title(), QStringLiteral("Карта не прочитана"));
            QVERIFY(alerts.first()->message().remove(QChar(0x200B)).contains(aside));
            QTest::mouseClick(alerts.first()->button(), Qt::LeftButton);
            QVERIFY(kit::AlertView::visibleAlerts().isEmpty());

            // The new card is written beside the kept file, and the next start says nothing.
            store.set(record::OWN_NAME, QStringLiteral("Иван"));
            if (!content.isEmpty())
                QCOMPARE(readFile(aside), content);
        }
        kit::UserDefaults::setStandardPath(store.path());
        Launched again;
        QVERIFY(kit::AlertView::visibleAlerts().isEmpty());
        QCOMPARE(again.card()->cardScreen()->nameButton()->title(), QStringLiteral("Иван"));
    }

    void storeThatCanNeitherBeReadNorMovedIsLeftAlone()
    {
        // A file the store may read but never replace nor rename.
        const QString path = QStringLiteral("/proc/self/status");
        const QByteArray before = readFile(path).left(5);
        kit::UserDefaults::setStandardPath(path);
        {
            Launched launched;
            QCOMPARE(launched.rowText(1), QStringLiteral("Дата рождения"));
            const QList<kit::AlertView*> alerts = kit::AlertView::visibleAlerts();
            QCOMPARE(alerts.size(), 1);
            QVERIFY(alerts.first()->message().remove(QChar(0x200B)).contains(path));
            QVERIFY(kit::UserDefaults::standardUserDefaults().isReadOnly());
            kit::UserDefaults::standardUserDefaults().setObject(QStringLiteral("x"),
                                                                record::OWN_NAME);
            QVERIFY(!kit::UserDefaults::standardUserDefaults().synchronize());
        }
        QCOMPARE(readFile(path).left(5), before);
        kit::UserDefaults::setStandardPath(QString());
    }

    void aSaveThatCannotBeWrittenIsReportedAndKeptForTheNextSave()
    {
        QTemporaryDir folder;
        // The store's folder is an ordinary file: nothing can be created in it.
        const QString blocker = folder.filePath(QStringLiteral("card"));
        writeFile(blocker, "in the way");
        kit::UserDefaults::setStandardPath(blocker + QStringLiteral("/defaults.json"));
        Launched launched;
        card::CardTab* card = launched.card();
        card->cardScreen()->openEditor(record::Illness);
        auto* editor = qobject_cast<card::ChangeInfo*>(card->stack()->topViewController());
        QVERIFY(editor);
        editor->textView()->selectAll();
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("Астма"));
        QCoreApplication::sendEvent(editor->textView(), &typed);
        QTest::mouseClick(card->stack()->navigationBar()->rightButton(), Qt::LeftButton);
        QList<kit::AlertView*> alerts = kit::AlertView::visibleAlerts();
        QCOMPARE(alerts.size(), 1);
        QCOMPARE(alerts.first()->title(), QStringLiteral("Карта не сохранена"));
        QCOMPARE(card->stack()->topViewController(), editor);
        alerts.first()->dismiss();

        // Once there is room, the same Save writes it.
        QVERIFY(QFile::remove(blocker));
        QTest::mouseClick(card->stack()->navigationBar()->rightButton(), Qt::LeftButton);
        QVERIFY(kit::AlertView::visibleAlerts().isEmpty());
        QCOMPARE(kit::UserDefaults(blocker + QStringLiteral("/defaults.json"))
                     .stringForKey(record::OWN_ILLNESS),
                 QStringLiteral("Астма"));
        QCOMPARE(card->stack()->topViewController(), card->cardScreen());
        kit::UserDefaults::setStandardPath(QString());
    }

    void badListFilesLoadNothingWithinASecondAndLogOnce_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("records");
        const QByteArray cell = "<Cell><Text>Ожоги</Text><Link>burns.html</Link></Cell>\n";
        QByteArray huge = "<List>\n";
        huge.reserve(50 * 1024 * 1024 + cell.size());
        while (huge.size() < 50 * 1024 * 1024)
            huge += cell;
        huge += "</List>";
        QTest::newRow("50 MB") << huge << 0;
        QTest::newRow("invalid UTF-8")
            << QByteArray("<List><Cell><Text>\xd0\x9e\xff\xfe</Text></Cell></List>") << 0;
        QByteArray deep = "<List><Cell><Text>";
        for (int i = 0; i < 10000; ++i)
            deep += "<a>";
        deep += "x";
        for (int i = 0; i < 10000; ++i)
            deep += "</a>";
        deep += "</Text></Cell><Cell><Text>after</Text></List>";
        QTest::newRow("nested 10,000 deep") << deep << 1;
        QByteArray laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE List [\n<!ENTITY l0 \"ha\">\n";
        for (int i = 1; i <= 12; ++i)
            laughs += QStringLiteral(
                          "<!ENTITY l%1 \"&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;&l%2;\">\n")
                          .arg(i)
                          .arg(i - 1)
                          .toLatin1();
        laughs += "]>\n<List><Cell><Text>&l12;</Text></Cell></List>";
        QTest::newRow("entity expansion") << laughs << 0;
    }

    void badListFilesLoadNothingWithinASecondAndLogOnce()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, records);
        TestBundle bundle;
        bundle.write(QStringLiteral("Content.xml"), content);
        LogCapture log;
        QElapsedTimer clock;
        clock.start();
        const std::unique_ptr<articlelist::ListReader> parser =
            articlelist::loadList(QStringLiteral("Content"), QStringLiteral("xml"));
        const qint64 elapsed = clock.elapsed();
        qInfo("loaded in %lld ms", elapsed);
        // A bound far above what it takes (under 10 ms, as the line above prints): it stands
        // against reading a huge file whole or expanding entities without end, which take
        // minutes, not against a slow machine.
        QVERIFY2(elapsed < 1000, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
        QVERIFY(int(parser->records().size()) <= records);
        QCOMPARE(log.count(QStringLiteral("Error while parsing file %1.")
                               .arg(bundle.filePath(QStringLiteral("Content.xml")))),
                 1);
        for (const auto& record : parser->records())
            for (auto it = record.cbegin(); it != record.cend(); ++it)
                QVERIFY(it.value().size() < 100000);
    }

    void photoDataThatIsNotAPictureShowsThePlaceholder()
    {
        for (const QByteArray& data : {QByteArray("not a picture"), pngClaiming(100000, 100000),
                                       pngClaiming(20000, 20000)}) {
            QVERIFY(record::decodePhoto(data).isNull());
            TestStore store;
            kit::UserDefaults::standardUserDefaults().setObject(data, record::OWN_IMAGE);
            kit::UserDefaults::standardUserDefaults().synchronize();
            Launched launched;
            QCOMPARE(launched.card()->cardScreen()->imageButton()->image(),
                     kit::imageNamed(QStringLiteral("noPhoto.png")));
        }
    }

    void storedZoomStaysWithinItsRange_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<float>("zoom");
        QTest::newRow("abc") << QStringLiteral("abc") << 1.0f;
        QTest::newRow("nan") << QStringLiteral("nan") << 1.0f;
        QTest::newRow("inf") << QStringLiteral("inf") << 1.0f;
        QTest::newRow("-5") << QStringLiteral("-5") << 1.0f;
        QTest::newRow("1e9") << QStringLiteral("1e9") << 2.0f;
        QTest::newRow("empty") << QString() << 1.0f;
        QTest::newRow("valid") << QStringLiteral("1.750000") << 1.75f;
    }

    void storedZoomStaysWithinItsRange()
    {
        QFETCH(QString, stored);
        QFETCH(float, zoom);
        TestStore store;
        store.set(QStringLiteral("STORED_ZOOM"), stored);
        Launched launched;
        QCOMPARE(viewer::storedZoom(), zoom);
        auto* telephones = launched.app->showTab<telephones::Telephones>(2);
        telephones->zoom()->zoomButtonAction();
        kit::Slider* slider = telephones->zoom()->zoomSlider();
        QVERIFY(slider);
        QCOMPARE(slider->value(), zoom);
        const float fontSize = viewer::storedZoom() * 15;
        QVERIFY(fontSize >= 15.0f && fontSize <= 30.0f);
    }

    void missingBundleStillGivesAWorkingApplication()
    {
        TestStore store;
        kit::Bundle::setMainBundlePath(QStringLiteral("/nonexistent/firstaid"));
        {
            Launched launched;
            kit::TabBarController* tabs = launched.app->shell().tabBarController();
            for (int tab : {0, 1, 2, 4, 3})
                QTest::mouseClick(tabs->tabBar()->buttonAt(tab), Qt::LeftButton);
            QCOMPARE(tabs->selectedIndex(), 3);
            auto* content = qobject_cast<contents::Content*>(tabs->viewControllers()[0]);
            QCOMPARE(content->table()->tableView()->numberOfRowsInSection(0), 0);
            QCOMPARE(launched.rowText(2), QStringLiteral("Вес/рост"));
        }
        kit::Bundle::setMainBundlePath(QString());
    }

    void emergencyCardComesUpWithoutItsAlarmSound()
    {
        kit::ManualClock clock;
        TestStore store;
        TestBundle bundle;
        for (const char* picture :
             {"bottomPanelBg.png", "btnCancel.png", "noPhoto.png", "sosButton.png"})
            bundle.copyResource(QString::fromLatin1(picture));
        {
            Launched launched;
            kit::TabBarController* tabs = launched.app->shell().tabBarController();
            QTest::mouseClick(tabs->tabBar()->buttonAt(4), Qt::LeftButton);
            auto* sos = qobject_cast<sos::SOS*>(tabs->selectedViewController());
            sos->callHelp();
            auto* emergency = qobject_cast<sos::EmergencyScreen*>(sos->modalViewController());
            QVERIFY(emergency);
            clock.advance(30.0);
            QVERIFY(emergency->view()->isVisible());
            for (kit::Timer* timer : kit::RunLoop::main().timers())
                timer->invalidate();
        }
    }
};

FIRSTAID_TEST_MAIN(TestReliability)

#include "tst_reliability.moc"
