// SPDX-License-Identifier: GPL-3.0-or-later
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

    void findPrintsBothSectionsWithoutAWindow()
    {
        // No display: the search needs none.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(FIRSTAID_EXECUTABLE),
                      {QStringLiteral("--find"), QStringLiteral("ожог")});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(process.readAllStandardOutput())
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(lines.size() >= 3);
        // The titles that hold the text first, then the text section; each line three fields.
        QCOMPARE(lines.first(), QStringLiteral("title\tburns.html\tОжоги"));
        bool text = false;
        for (const QString& line : lines) {
            const QStringList fields = line.split(QLatin1Char('\t'));
            QCOMPARE(fields.size(), 3);
            QVERIFY2(fields[0] == QLatin1String("title") || fields[0] == QLatin1String("text"),
                     qPrintable(line));
            QVERIFY2(!(text && fields[0] == QLatin1String("title")), qPrintable(line));
            text = text || fields[0] == QLatin1String("text");
            QVERIFY(fields[1].endsWith(QLatin1String(".html")));
        }
        QVERIFY(text);
    }

    void findWithNothingToFindOrNoText()
    {
        const Run nothing = runApplication({QStringLiteral("--find"), QStringLiteral("zzzzqqq")});
        QCOMPARE(nothing.exitCode, 0);
        QVERIFY(nothing.output.isEmpty());
        const Run missing = runApplication({QStringLiteral("--find")});
        QCOMPARE(missing.exitCode, 2);
        QVERIFY(missing.output.contains("--find"));
        const Run help = runApplication({QStringLiteral("--help")});
        QVERIFY(help.output.contains("--find"));
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
