#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray output;
};

Run runApplication(const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(FIRSTAID_EXECUTABLE), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAll()};
}

} // namespace

class TestCommandLine final : public QObject {
    Q_OBJECT

private slots:
    void screenshotSavesThePaintedWindowAndQuits()
    {
        TestStore store;
        const QString shot = QDir(store.folder()).filePath(QStringLiteral("shot.png"));
        const Run run = runApplication(
            {QStringLiteral("--defaults"), store.path(), QStringLiteral("--screenshot"), shot});
        QCOMPARE(run.exitCode, 0);
        const QImage image(shot);
        QCOMPARE(image.size(), QSize(320, 480));
        // The status strip on top is black; the tab bar's picture is at the bottom.
        QCOMPARE(QColor(image.pixel(160, 2)).value() < 40, true);
        QVERIFY(image.pixel(160, 479) != image.pixel(160, 200));
    }

    void unreadableStoreDoesNotStopTheApplication()
    {
        TestStore store;
        {
            QFile file(store.path());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("\xff\xfe not json");
        }
        const QString shot = QDir(store.folder()).filePath(QStringLiteral("shot.png"));
        const Run run = runApplication(
            {QStringLiteral("--defaults"), store.path(), QStringLiteral("--screenshot"), shot});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.output.contains("could not be read"));
        const QStringList kept =
            QDir(store.folder()).entryList({QStringLiteral("defaults.json.unreadable-*")});
        QCOMPARE(kept.size(), 1);
    }

    void versionAndHelp()
    {
        const Run version = runApplication({QStringLiteral("--version")});
        QCOMPARE(version.exitCode, 0);
        QVERIFY(version.output.contains(FIRSTAID_VERSION_TEXT));
        const Run help = runApplication({QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        for (const char* option : {"--screenshot", "--defaults", "--resources"})
            QVERIFY2(help.output.contains(option), option);
    }

    void screenshotIntoAnUnwritablePlaceFails()
    {
        TestStore store;
        const Run run = runApplication(
            {QStringLiteral("--defaults"), store.path(), QStringLiteral("--screenshot"),
             QDir(store.folder()).filePath(QStringLiteral("missing/folder/shot.png"))});
        QCOMPARE(run.exitCode, 1);
    }
};

FIRSTAID_TEST_MAIN(TestCommandLine)

#include "tst_commandline.moc"
