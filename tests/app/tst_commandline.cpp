// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray output;
};

Run runApplication(const QStringList& arguments, const QProcessEnvironment& environment =
                                                     QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
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

    void versionHelpAndMistakesNeedNoDisplay()
    {
        // No display at all, and the desktop's own platform asked for: it could never start.
        QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
        noDisplay.remove(QStringLiteral("DISPLAY"));
        noDisplay.remove(QStringLiteral("WAYLAND_DISPLAY"));
        noDisplay.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        noDisplay.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        noDisplay.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        const Run version = runApplication({QStringLiteral("--version")}, noDisplay);
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.output, QByteArray("firstaid " FIRSTAID_VERSION_TEXT "\n"));
        const Run help = runApplication({QStringLiteral("--help")}, noDisplay);
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.output.contains("Usage: firstaid [options]"));
        for (const char* option : {"--screenshot", "--defaults", "--resources", "--find",
                                   "--export-card", "--version", "--help"})
            QVERIFY2(help.output.contains(option), option);
        // An unknown option: the usage, and status 2.
        const Run unknown = runApplication({QStringLiteral("--bogus")}, noDisplay);
        QCOMPARE(unknown.exitCode, 2);
        QVERIFY(unknown.output.contains("Unknown option 'bogus'"));
        QVERIFY(unknown.output.contains("Usage: firstaid [options]"));

        // In Russian where the desktop speaks Russian.
        QProcessEnvironment russian = noDisplay;
        russian.insert(QStringLiteral("LANG"), QStringLiteral("ru_RU.UTF-8"));
        russian.insert(QStringLiteral("LC_ALL"), QStringLiteral("ru_RU.UTF-8"));
        const Run russianHelp = runApplication({QStringLiteral("--help")}, russian);
        QCOMPARE(russianHelp.exitCode, 0);
        QVERIFY(QString::fromUtf8(russianHelp.output)
                    .contains(QStringLiteral("Использование: firstaid [параметры]")));
        QVERIFY(QString::fromUtf8(russianHelp.output)
                    .contains(QStringLiteral("Показать эту справку и выйти.")));
        const Run russianMistake = runApplication({QStringLiteral("-q")}, russian);
        QCOMPARE(russianMistake.exitCode, 2);
        QVERIFY(QString::fromUtf8(russianMistake.output)
                    .contains(QStringLiteral("неизвестный параметр «q»")));
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
