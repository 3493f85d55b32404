// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "kit/views/Image.h"
#include "kit/views/ImageView.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

namespace {

// The bundle the tests run with.
QString resources()
{
    return qEnvironmentVariable("FIRSTAID_RESOURCES");
}

// The application's window, saved as it paints at a desktop scale factor.
QImage screenshot(const TestStore& store, const QString& scale, const QString& bundle = resources())
{
    const QString shot = QDir(store.folder()).filePath(QStringLiteral("shot.png"));
    QFile::remove(shot);
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(FIRSTAID_EXECUTABLE),
                  {QStringLiteral("--defaults"), store.path(), QStringLiteral("--resources"),
                   bundle, QStringLiteral("--screenshot"), shot});
    if (!process.waitForFinished(60000))
        process.kill();
    return QImage(shot);
}

// How sharp the tab icons are: the energy of the brightness steps across the strip
// they stand in (4 to 34 points from the tab bar's top, as the tab bar lays them out).
double iconSharpness(const QImage& shot, int barTop, int scale)
{
    double energy = 0;
    for (int y = barTop + 4 * scale; y < barTop + 34 * scale; ++y)
        for (int x = 1; x < shot.width(); ++x) {
            const int across = qGray(shot.pixel(x, y)) - qGray(shot.pixel(x - 1, y));
            const int down = qGray(shot.pixel(x, y)) - qGray(shot.pixel(x, y - 1));
            energy += across * across + down * down;
        }
    return energy;
}

} // namespace

class TestHighResolution final : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { kit::setImageRatioForTesting(0); }

    void imageNamedTakesTheTwoTimesPictureOnlyOnADenseScreen()
    {
        TestBundle bundle;
        bundle.copyResource(QStringLiteral("logoTkl.png"));
        bundle.copyResource(QStringLiteral("logoTkl@2x.png"));
        bundle.copyResource(QStringLiteral("noPhoto.png"));

        kit::setImageRatioForTesting(2);
        const QImage sharp = kit::imageNamed(QStringLiteral("logoTkl.png"));
        QCOMPARE(sharp.size(), QSize(120, 56));
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
        QCOMPARE(sharp.deviceIndependentSize(), QSizeF(60, 28));
        QCOMPARE(kit::ImageView(sharp).size(), QSize(60, 28));
        // Without a 2× file the 1× picture serves.
        const QImage plain = kit::imageNamed(QStringLiteral("noPhoto.png"));
        QCOMPARE(plain.size(), QSize(66, 66));
        QCOMPARE(plain.devicePixelRatio(), 1.0);

        kit::setImageRatioForTesting(1);
        const QImage normal = kit::imageNamed(QStringLiteral("logoTkl.png"));
        QCOMPARE(normal.size(), QSize(60, 28));
        QCOMPARE(normal.devicePixelRatio(), 1.0);
    }

    void everyTwoTimesPictureIsItsTwinAtDoubleSize()
    {
        const QDir bundle(resources());
        const QStringList doubled = bundle.entryList({QStringLiteral("*@2x.png")}, QDir::Files);
        QVERIFY(doubled.size() >= 23);
        for (const QString& name : doubled) {
            const QImage twin(bundle.filePath(QString(name).remove(QStringLiteral("@2x"))));
            QVERIFY2(!twin.isNull(), qPrintable(name));
            QCOMPARE(QImage(bundle.filePath(name)).size(), twin.size() * 2);
        }
    }

    void windowIsSharpAtTwiceTheScale()
    {
        TestStore store;
        const QImage panel(QDir(resources()).filePath(QStringLiteral("bottomPanelBg.png")));
        const QImage panel2(QDir(resources()).filePath(QStringLiteral("bottomPanelBg@2x.png")));
        QCOMPARE(panel2.size(), panel.size() * 2);
        for (const auto& [scale, picture] : {std::pair{1, panel}, std::pair{2, panel2}}) {
            const QImage shot = screenshot(store, QString::number(scale));
            QCOMPARE(shot.size(), QSize(320, 480) * scale);
            // The tab bar's picture is copied pixel for pixel at its right edge, bare of tabs.
            const int top = shot.height() - picture.height();
            const int x = shot.width() - 1;
            for (int y = 0; y < picture.height(); ++y)
                QCOMPARE(shot.pixel(x, top + y) & RGB_MASK, picture.pixel(x, y) & RGB_MASK);
        }
    }

    void tabIconsAreDrawnFromTheirTwoTimesPictures()
    {
        TestStore store;
        // The same bundle without the tab icons' 2× files: scaled up 1× icons are blurred.
        QTemporaryDir blurred;
        for (const QString& name : QDir(resources()).entryList(QDir::Files))
            if (!(name.startsWith(QStringLiteral("tab")) &&
                  name.endsWith(QStringLiteral("@2x.png"))))
                QVERIFY(QFile::copy(QDir(resources()).filePath(name),
                                    QDir(blurred.path()).filePath(name)));
        const QImage sharp = screenshot(store, QStringLiteral("2"));
        const QImage soft = screenshot(store, QStringLiteral("2"), blurred.path());
        QCOMPARE(sharp.size(), QSize(640, 960));
        QCOMPARE(soft.size(), QSize(640, 960));
        const QImage bar(QDir(resources()).filePath(QStringLiteral("bottomPanelBg@2x.png")));
        const int barTop = sharp.height() - bar.height();
        const double sharpness = iconSharpness(sharp, barTop, 2);
        const double softness = iconSharpness(soft, barTop, 2);
        QVERIFY2(sharpness > 1.5 * softness,
                 qPrintable(QStringLiteral("%1 vs %2").arg(sharpness).arg(softness)));
    }
};

FIRSTAID_TEST_MAIN(TestHighResolution)

#include "tst_hidpi.moc"
