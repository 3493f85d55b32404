// SPDX-License-Identifier: GPL-3.0-or-later
// Installs the build into a temporary prefix, as a package build would, and checks
// that the result is a finished desktop installation: every file in place, the desktop
// entry and the metainfo accepted by their validators, and the installed program finding
// its bundle from its own location alone.

#include "TestSupport.h"

#include <QColor>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QLibrary>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString appId = QStringLiteral("ru.tkl_apps.FirstAid");
// The tab bar's height at the bottom of the 320 × 480 window.
constexpr int tabBarHeight = 49;

struct Finished {
    bool ok = false; // started, exited normally, with status 0
    QString output;
};

// Runs a program to its end; the output, both channels, is kept for failure messages.
Finished run(const QString& program, const QStringList& arguments,
             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
             const QString& workingDirectory = QString())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    if (!finished) {
        process.kill();
        process.waitForFinished();
    }
    Finished result;
    result.output = QStringLiteral("%1 %2\n%3")
                        .arg(program, arguments.join(QLatin1Char(' ')),
                             QString::fromLocal8Bit(process.readAll()));
    if (!finished || process.error() == QProcess::FailedToStart)
        result.output += QStringLiteral("\n(%1)").arg(process.errorString());
    else
        result.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return result;
}

// The [Desktop Entry] group's untranslated keys.
QHash<QString, QString> desktopEntryKeys(const QString& path)
{
    QHash<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (const qsizetype equals = line.indexOf(QLatin1Char('=')); inEntry && equals > 0)
            keys.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return keys;
}

bool isFlat(const QImage& image)
{
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != first)
                return false;
    return true;
}

} // namespace

class TestInstall final : public QObject {
    Q_OBJECT

private:
    QTemporaryDir _prefix;

    QString installed(const QString& relative) const
    {
        return QDir(_prefix.path()).filePath(relative);
    }

    // The environment of a program started from the desktop: none of the variables
    // that point the tests at the build tree.
    static QProcessEnvironment desktopEnvironment()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"FIRSTAID_RESOURCES", "FIRSTAID_WEB_MODULE", "FIRSTAID_SOUND_MODULE",
              "FIRSTAID_CAMERA_MODULE", "FIRSTAID_PRINT_MODULE", "FIRSTAID_DEFAULTS"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return environment;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(_prefix.isValid());
        const Finished install = run(QStringLiteral(CMAKE_COMMAND),
                                     {QStringLiteral("--install"), QStringLiteral(CMAKE_BINARY_DIR),
                                      QStringLiteral("--prefix"), _prefix.path()});
        QVERIFY2(install.ok, qPrintable(install.output));
    }

    void fileInstalled_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("program") << QStringLiteral("bin/firstaid");
        QTest::newRow("article list") << QStringLiteral("share/firstaid/Content.xml");
        QTest::newRow("an article") << QStringLiteral("share/firstaid/cpr.html");
        QTest::newRow("web module") << QStringLiteral("lib/firstaid/libfirstaid_webengine.so");
        QTest::newRow("sound module") << QStringLiteral("lib/firstaid/libfirstaid_sound.so");
        QTest::newRow("speech module") << QStringLiteral("lib/firstaid/libfirstaid_speech.so");
        QTest::newRow("camera module") << QStringLiteral("lib/firstaid/libfirstaid_camera.so");
        QTest::newRow("print module") << QStringLiteral("lib/firstaid/libfirstaid_print.so");
        QTest::newRow("search module") << QStringLiteral("lib/firstaid/libfirstaid_search.so");
        QTest::newRow("desktop entry")
            << QStringLiteral("share/applications/%1.desktop").arg(appId);
        QTest::newRow("metainfo") << QStringLiteral("share/metainfo/%1.metainfo.xml").arg(appId);
        QTest::newRow("scalable icon")
            << QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(appId);
    }

    void fileInstalled()
    {
        QFETCH(QString, path);
        const QFileInfo file(installed(path));
        QVERIFY2(file.isFile(), qPrintable(file.filePath()));
        QVERIFY(file.size() > 0);
    }

    void busServiceStartsTheInstalledProgram()
    {
        // The entry is D-Bus activatable: the bus starts the program that owns the name.
        QFile service(installed(QStringLiteral("share/dbus-1/services/%1.service").arg(appId)));
        QVERIFY2(service.open(QIODevice::ReadOnly), qPrintable(service.fileName()));
        const QString text = QString::fromUtf8(service.readAll());
        QVERIFY(text.contains(QStringLiteral("Name=%1\n").arg(appId)));
        QVERIFY2(text.contains(
                     QStringLiteral("Exec=%1\n").arg(installed(QStringLiteral("bin/firstaid")))),
                 qPrintable(text));
        QFile entry(installed(QStringLiteral("share/applications/%1.desktop").arg(appId)));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains("DBusActivatable=true\n"));
    }

    void programIsExecutable()
    {
        QVERIFY(QFileInfo(installed(QStringLiteral("bin/firstaid"))).isExecutable());
    }

    void wholeBundleInstalled()
    {
        const QDir source(QStringLiteral(FIRSTAID_SOURCE_RESOURCES));
        QStringList wrong;
        int count = 0;
        QDirIterator it(source.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo original(it.next());
            const QString relative = source.relativeFilePath(original.filePath());
            const QFileInfo copy(installed(QStringLiteral("share/firstaid/") + relative));
            if (!copy.isFile() || copy.size() != original.size())
                wrong << relative;
            ++count;
        }
        QVERIFY(count > 0);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char(' '))));
    }

    void moduleLoads_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("function");
        QTest::newRow("web") << QStringLiteral("libfirstaid_webengine.so")
                             << QStringLiteral("firstaidCreateWebView");
        QTest::newRow("sound") << QStringLiteral("libfirstaid_sound.so")
                               << QStringLiteral("firstaidCreateSoundService");
        QTest::newRow("click") << QStringLiteral("libfirstaid_sound.so")
                               << QStringLiteral("firstaidCreateTickService");
        QTest::newRow("speech") << QStringLiteral("libfirstaid_speech.so")
                                << QStringLiteral("firstaidCreateSpeechService");
        QTest::newRow("camera") << QStringLiteral("libfirstaid_camera.so")
                                << QStringLiteral("firstaidCreateCameraService");
        QTest::newRow("print") << QStringLiteral("libfirstaid_print.so")
                               << QStringLiteral("firstaidCreatePrintService");
        QTest::newRow("search") << QStringLiteral("libfirstaid_search.so")
                                << QStringLiteral("firstaidCreateSearchEngine");
    }

    // Installing rewrites the modules' run paths: each must still load with what it links.
    void moduleLoads()
    {
        QFETCH(QString, file);
        QFETCH(QString, function);
        // Kept loaded, as the program keeps its modules.
        auto* library = new QLibrary(installed(QStringLiteral("lib/firstaid/") + file), this);
        QVERIFY2(library->resolve(function.toLatin1().constData()),
                 qPrintable(library->errorString()));
    }

    void iconInstalled_data()
    {
        QTest::addColumn<int>("size");
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512})
            QTest::addRow("%dx%d", size, size) << size;
    }

    // A white cross on a red square with transparent corners, at the size its folder names.
    void iconInstalled()
    {
        QFETCH(int, size);
        const QString path =
            installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(appId));
        const QImage icon(path);
        QVERIFY2(!icon.isNull(), qPrintable(path));
        QCOMPARE(icon.size(), QSize(size, size));
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(icon.pixel(size / 2, size / 2), qRgba(255, 255, 255, 255));
        const QRgb red = icon.pixel(size / 5, size / 5);
        QCOMPARE(qAlpha(red), 255);
        QVERIFY2(qRed(red) > 150 && qGreen(red) < 100 && qBlue(red) < 100,
                 qPrintable(QColor(red).name()));
    }

    void scalableIconIsSvg()
    {
        QFile file(
            installed(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(appId)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QVERIFY(xml.readNextStartElement());
        QCOMPARE(xml.name(), QLatin1String("svg"));
        while (!xml.atEnd())
            xml.readNext();
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    }

    void desktopEntryValidates()
    {
        const Finished check =
            run(QStringLiteral("desktop-file-validate"),
                {installed(QStringLiteral("share/applications/%1.desktop").arg(appId))});
        QVERIFY2(check.ok, qPrintable(check.output));
    }

    // What the entry starts and shows is what was installed.
    void desktopEntryNamesInstalledFiles()
    {
        const auto keys =
            desktopEntryKeys(installed(QStringLiteral("share/applications/%1.desktop").arg(appId)));
        const QString program = keys.value(QStringLiteral("Exec")).section(QLatin1Char(' '), 0, 0);
        QVERIFY(!program.isEmpty());
        QVERIFY2(QFileInfo(installed(QStringLiteral("bin/") + program)).isExecutable(),
                 qPrintable(program));
        const QString icon = keys.value(QStringLiteral("Icon"));
        QVERIFY2(
            QFileInfo(installed(QStringLiteral("share/icons/hicolor/48x48/apps/%1.png").arg(icon)))
                .isFile(),
            qPrintable(icon));
        QCOMPARE(keys.value(QStringLiteral("Terminal")), QStringLiteral("false"));
    }

    void metainfoValidates()
    {
        const Finished check =
            run(QStringLiteral("appstreamcli"),
                {QStringLiteral("validate"), QStringLiteral("--no-net"),
                 installed(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(appId))});
        QVERIFY2(check.ok, qPrintable(check.output));
    }

    // The tree as a whole: the metainfo's launchable names a desktop entry that is there.
    void installedTreeValidates()
    {
        const Finished check =
            run(QStringLiteral("appstreamcli"),
                {QStringLiteral("validate-tree"), QStringLiteral("--no-net"), _prefix.path()});
        QVERIFY2(check.ok, qPrintable(check.output));
    }

    // Started from elsewhere with nothing pointing at the build tree, the installed
    // program paints its window with the bundle's pictures: its tab bar differs from the
    // one painted with an empty bundle.
    void installedProgramFindsItsBundle()
    {
        QTemporaryDir work;
        QVERIFY(work.isValid());
        const QString program = installed(QStringLiteral("bin/firstaid"));
        const QString shot = work.filePath(QStringLiteral("shot.png"));
        const Finished started =
            run(program,
                {QStringLiteral("--screenshot"), shot, QStringLiteral("--defaults"),
                 work.filePath(QStringLiteral("d.json"))},
                desktopEnvironment(), QDir::rootPath());
        QVERIFY2(started.ok, qPrintable(started.output));
        const QImage window(shot);
        QVERIFY2(!window.isNull(), qPrintable(started.output));
        QCOMPARE(window.size(), QSize(320, 480));
        const QImage tabBar =
            window.copy(0, window.height() - tabBarHeight, window.width(), tabBarHeight)
                .convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!isFlat(tabBar));

        const QString empty = work.filePath(QStringLiteral("empty"));
        QVERIFY(QDir().mkpath(empty));
        const QString bareShot = work.filePath(QStringLiteral("bare.png"));
        const Finished bare =
            run(program,
                {QStringLiteral("--screenshot"), bareShot, QStringLiteral("--defaults"),
                 work.filePath(QStringLiteral("bare.json")), QStringLiteral("--resources"), empty},
                desktopEnvironment(), QDir::rootPath());
        QVERIFY2(bare.ok, qPrintable(bare.output));
        const QImage bareWindow(bareShot);
        QCOMPARE(bareWindow.size(), QSize(320, 480));
        const QImage bareTabBar =
            bareWindow.copy(0, bareWindow.height() - tabBarHeight, bareWindow.width(), tabBarHeight)
                .convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(tabBar != bareTabBar,
                 "the tab bar looks as it does without the bundle's pictures");
    }
};

FIRSTAID_TEST_MAIN(TestInstall)

#include "tst_install.moc"
