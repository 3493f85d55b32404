#include "TestSupport.h"

#include "app/KavelAppDelegate.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/views/Font.h"
#include "kit/views/Label.h"
#include "kit/views/Slider.h"

#include <QFile>
#include <QTest>

namespace {

// What a zoom host keeps: the slider and the pane it owns.
struct ZoomFields {
    QPointer<kit::Slider> slider;
    kit::Owned<kit::ImageView> pane;
};

} // namespace

class TestServices final : public QObject {
    Q_OBJECT

private slots:
    void zoomIsStoredAsTextAndFlushedAtOnce()
    {
        TestStore store;
        LaunchedApplication app;
        KavelAppDelegate& delegate = app.delegate();
        QCOMPARE(delegate.defaultArticleZoom(), 1.0f);

        delegate.setDefaultArticleZoom(1.75f);
        QCOMPARE(
            kit::UserDefaults::standardUserDefaults().stringForKey(QStringLiteral("STORED_ZOOM")),
            QStringLiteral("1.750000"));
        QCOMPARE(delegate.defaultArticleZoom(), 1.75f);
        // Already on disk: a new store on the same file sees it.
        QCOMPARE(kit::UserDefaults(store.path()).stringForKey(QStringLiteral("STORED_ZOOM")),
                 QStringLiteral("1.750000"));

        delegate.setDefaultArticleZoom(1.5f);
        QCOMPARE(kit::UserDefaults(store.path()).stringForKey(QStringLiteral("STORED_ZOOM")),
                 QStringLiteral("1.500000"));
    }

    void urlForFileNamesAFileOfTheBundle()
    {
        TestStore store;
        LaunchedApplication app;
        const QUrl url = app.delegate().urlForFile(QStringLiteral("gas.html"));
        QVERIFY(url.isLocalFile());
        QCOMPARE(url.toLocalFile(),
                 kit::Bundle::mainBundle().bundlePath() + QStringLiteral("/gas.html"));
        // Existence is not checked.
        QCOMPARE(app.delegate().urlForFile(QStringLiteral("no such page.html")).fileName(),
                 QStringLiteral("no such page.html"));
    }

    void newSliderShowsTheStoredZoom()
    {
        TestStore store;
        LaunchedApplication app;
        KavelAppDelegate& delegate = app.delegate();
        QObject host;
        ZoomFields first;
        delegate.createZoomSlider(
            &host, first.slider, first.pane, [] {}, [] {});
        QCOMPARE(first.slider->value(), 1.0f);
        QCOMPARE(first.slider->minimumValue(), 1.0f);
        QCOMPARE(first.slider->maximumValue(), 2.0f);
        QVERIFY(first.slider->isContinuous());
        // At its left end.
        QCOMPARE(first.slider->thumbCenter().x(), kit::Slider::thumbDiameter / 2.0);
        first.pane.reset();
        QVERIFY(first.slider.isNull());

        delegate.setDefaultArticleZoom(1.5f);
        ZoomFields second;
        delegate.createZoomSlider(
            &host, second.slider, second.pane, [] {}, [] {});
        QCOMPARE(second.slider->value(), 1.5f);
    }

    void paneFloatsAtTheSamePlaceOverEveryTab()
    {
        TestStore store;
        LaunchedApplication app;
        KavelAppDelegate& delegate = app.delegate();
        kit::Window* window = delegate.window();
        QObject host;
        for (int tab : {3, 0, 4}) {
            delegate.tabBarController()->setSelectedIndex(tab);
            ZoomFields fields;
            delegate.createZoomSlider(
                &host, fields.slider, fields.pane, [] {}, [] {});
            QCOMPARE(fields.pane->parentWidget(), window);
            const QSize size = fields.pane->image().size();
            QCOMPARE(fields.pane->geometry(), QRect(218 - size.width() / 2, 82 - size.height() / 2,
                                                    size.width(), size.height()));
            QVERIFY(fields.pane->isUserInteractionEnabled());
            // On top of everything in the window.
            QVERIFY(fields.pane->isAncestorOf(window->childAt(QPoint(218, 82))) ||
                    window->childAt(QPoint(218, 82)) == fields.pane.get());
            // The slider's track lies inside the pane, inside the window.
            QCOMPARE(fields.slider->frame(), QRect(20, 20, 180, 10));
            QVERIFY(QRect(QPoint(0, 0), fields.pane->size()).contains(fields.slider->frame()));
            QVERIFY(window->rect().contains(fields.pane->geometry()));
        }
    }

    void sliderReportsTheFingerLandingMovingAndLifting()
    {
        TestStore store;
        LaunchedApplication app;
        QObject host;
        ZoomFields fields;
        QStringList calls;
        app.delegate().createZoomSlider(
            &host, fields.slider, fields.pane, [&] { calls << QStringLiteral("value"); },
            [&] { calls << QStringLiteral("touch"); });
        QCOMPARE(fields.slider->allControlEvents().toInt(), 4097u | 192u);

        kit::Slider* slider = fields.slider;
        const int y = slider->height() / 2;
        QTest::mousePress(slider, Qt::LeftButton, {}, slider->thumbCenter().toPoint());
        QCOMPARE(calls, QStringList{QStringLiteral("value")});
        QTest::mouseMove(slider, QPoint(120, y));
        QCOMPARE(calls.size(), 2);
        QVERIFY(slider->value() > 1.0f);
        // Lifted well away from the slider: the touch action still runs.
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(120, 300));
        QCOMPARE(calls.last(), QStringLiteral("touch"));
    }

    void labelHeightIsMeasuredAtTheWidthOfTheCall()
    {
        kit::Label label;
        label.setFont(kit::fontWithName(QStringLiteral("Arial-ItalicMT"), 15));
        label.setLineBreakMode(kit::LineBreakMode::WordWrap);
        label.setNumberOfLines(0);
        label.setText(QStringLiteral("г. Санкт-Петербург, Невский проспект, дом 28, квартира 15"));
        label.setGeometry(0, 0, 280, 20);
        const float wide = KavelAppDelegate::getLabelHeight(label);
        const float wideText = KavelAppDelegate::calculateHeightOfTextFromWidth(
            label.text(), label.font(), 280, kit::LineBreakMode::WordWrap);
        QCOMPARE(wide, wideText + 8.0f);
        // The label's frame is not touched.
        QCOMPARE(label.height(), 20);

        label.setGeometry(0, 0, 100, 20);
        const float narrow = KavelAppDelegate::getLabelHeight(label);
        QVERIFY(narrow > wide);
        // An empty label needs only the margin.
        label.setText(QString());
        QCOMPARE(KavelAppDelegate::getLabelHeight(label), 8.0f);
    }
};

FIRSTAID_TEST_MAIN(TestServices)

#include "tst_services.moc"
