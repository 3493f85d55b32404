// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "kit/foundation/UserDefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TestUserDefaults final : public QObject {
    Q_OBJECT

private slots:
    void valuesSurviveANewInstance()
    {
        TestStore store;
        const QByteArray photo("\x89PNG\r\n\x1a\n\0\xff binary", 18);
        {
            kit::UserDefaults defaults(store.path());
            defaults.setObject(QStringLiteral("Иванов Иван\nвторая строка"),
                               QStringLiteral("OWN_NAME"));
            defaults.setObject(QString(QLatin1String("")), QStringLiteral("OWN_NOTE"));
            defaults.setObject(photo, QStringLiteral("OWN_IMAGE"));
            QVERIFY(defaults.synchronize());
        }
        kit::UserDefaults reread(store.path());
        QCOMPARE(reread.stringForKey(QStringLiteral("OWN_NAME")),
                 QStringLiteral("Иванов Иван\nвторая строка"));
        // An empty string is a value, not an absence.
        QCOMPARE(reread.stringForKey(QStringLiteral("OWN_NOTE")), QString());
        QVERIFY(reread.stringForKey(QStringLiteral("OWN_NOTE")).has_value());
        QCOMPARE(reread.objectForKey(QStringLiteral("OWN_IMAGE")).toByteArray(), photo);
        // Data is not a string, and a missing key is nothing at all.
        QVERIFY(!reread.stringForKey(QStringLiteral("OWN_IMAGE")));
        QVERIFY(!reread.stringForKey(QStringLiteral("OWN_BLOOD")));
        QVERIFY(!reread.objectForKey(QStringLiteral("OWN_BLOOD")).isValid());
    }

    void valuesSurviveTheEndOfTheWritingProcess()
    {
        TestStore store;
        QProcess writer;
        writer.start(QStringLiteral(DEFAULTS_WRITER),
                     {store.path(), QStringLiteral("OWN_NAME=Пётр"),
                      QStringLiteral("STORED_ZOOM=1.500000")});
        QVERIFY(writer.waitForFinished(30000));
        QCOMPARE(writer.exitCode(), 0);
        kit::UserDefaults reread(store.path());
        QCOMPARE(reread.stringForKey(QStringLiteral("OWN_NAME")), QStringLiteral("Пётр"));
        QCOMPARE(reread.stringForKey(QStringLiteral("STORED_ZOOM")), QStringLiteral("1.500000"));
    }

    void removalAndUnchangedWrites()
    {
        TestStore store;
        kit::UserDefaults defaults(store.path());
        // Nothing changed, nothing written.
        QVERIFY(defaults.synchronize());
        QVERIFY(!QFileInfo::exists(store.path()));

        defaults.setObject(QStringLiteral("70"), QStringLiteral("OWN_WEIGHT"));
        defaults.setObject(QStringLiteral("180"), QStringLiteral("OWN_GROWTH"));
        QVERIFY(defaults.synchronize());
        defaults.removeObjectForKey(QStringLiteral("OWN_WEIGHT"));
        QVERIFY(!defaults.stringForKey(QStringLiteral("OWN_WEIGHT")));
        QVERIFY(defaults.synchronize());

        kit::UserDefaults reread(store.path());
        QVERIFY(!reread.stringForKey(QStringLiteral("OWN_WEIGHT")));
        QCOMPARE(reread.stringForKey(QStringLiteral("OWN_GROWTH")), QStringLiteral("180"));
    }

    void valuesOfUnknownFormAreKeptWhenRewriting()
    {
        TestStore store;
        writeAll(store.path(), "{\"COUNT\": 3, \"FLAGS\": [true], \"OWN_NAME\": \"Анна\"}");
        kit::UserDefaults defaults(store.path());
        QVERIFY(!defaults.stringForKey(QStringLiteral("COUNT")));
        defaults.setObject(QStringLiteral("ул. Ленина, 1"), QStringLiteral("OWN_ADDRESS"));
        QVERIFY(defaults.synchronize());
        const QByteArray written = readAll(store.path());
        QVERIFY(written.contains("\"COUNT\": 3"));
        QVERIFY(written.contains("\"FLAGS\""));
        QVERIFY(written.contains("Анна"));
    }

    void unreadableFileIsKeptAsideAndTheStoreStartsEmpty_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("truncated") << QByteArray("{\"OWN_NAME\": \"Ив");
        QTest::newRow("garbage") << QByteArray("\x00\x13\xff\xfe garbage", 13);
        QTest::newRow("not an object") << QByteArray("[\"OWN_NAME\"]");
    }

    void unreadableFileIsKeptAsideAndTheStoreStartsEmpty()
    {
        QFETCH(QByteArray, content);
        TestStore store;
        writeAll(store.path(), content);
        LogCapture log;
        kit::UserDefaults defaults(store.path());

        QVERIFY(!defaults.stringForKey(QStringLiteral("OWN_NAME")));
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().contains(store.path()));
        QVERIFY(!defaults.setAsidePath().isEmpty());
        QCOMPARE(readAll(defaults.setAsidePath()), content);

        // New values are written next to the kept file, never over it.
        defaults.setObject(QStringLiteral("Анна"), QStringLiteral("OWN_NAME"));
        QVERIFY(defaults.synchronize());
        QCOMPARE(readAll(defaults.setAsidePath()), content);
        QCOMPARE(kit::UserDefaults(store.path()).stringForKey(QStringLiteral("OWN_NAME")),
                 QStringLiteral("Анна"));
    }

    void unwritablePlaceKeepsChangesPending()
    {
        TestStore store;
        // A file where the store's folder should be: nothing can be written there.
        const QString blocker = QDir(store.folder()).filePath(QStringLiteral("blocked"));
        writeAll(blocker, "x");
        LogCapture log;
        kit::UserDefaults defaults(QDir(blocker).filePath(QStringLiteral("defaults.json")));
        defaults.setObject(QStringLiteral("Анна"), QStringLiteral("OWN_NAME"));
        QVERIFY(!defaults.synchronize());
        QCOMPARE(log.lines().size(), 1);
        QCOMPARE(defaults.stringForKey(QStringLiteral("OWN_NAME")), QStringLiteral("Анна"));
    }

    void sharedStoreFollowsTheChosenPath()
    {
        TestStore first;
        first.set(QStringLiteral("OWN_NAME"), QStringLiteral("Первый"));
        TestStore second;
        QVERIFY(
            !kit::UserDefaults::standardUserDefaults().stringForKey(QStringLiteral("OWN_NAME")));
        QCOMPARE(kit::UserDefaults::standardUserDefaults().path(), second.path());
    }
};

FIRSTAID_TEST_MAIN(TestUserDefaults)

#include "tst_userdefaults.moc"
