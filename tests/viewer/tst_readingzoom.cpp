// SPDX-License-Identifier: GPL-3.0-or-later
// The reading zoom the article screens share: where it is stored, the pages it applies
// to, and its floating slider.

#include "TestSupport.h"

#include "app/ApplicationShell.h"
#include "kit/controllers/TabBarController.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/views/ImageView.h"
#include "kit/views/Slider.h"
#include "viewer/ReadingZoom.h"
#include "viewer/ZoomControl.h"

#include <QTest>

namespace {

// A host with no article open: the slider only stores the zoom.
struct NoArticle final : viewer::ZoomControlDelegate {
    viewer::WebController* zoomedViewer(viewer::ZoomControl&) override { return nullptr; }
};

} // namespace

class TestReadingZoom final : public QObject {
    Q_OBJECT

private slots:
    void zoomIsStoredAsTextAndFlushedAtOnce()
    {
        TestStore store;
        QCOMPARE(viewer::storedZoom(), 1.0f);

        viewer::storeZoom(1.75f);
        QCOMPARE(
            kit::UserDefaults::standardUserDefaults().stringForKey(QStringLiteral("STORED_ZOOM")),
            QStringLiteral("1.750000"));
        QCOMPARE(viewer::storedZoom(), 1.75f);
        // Already on disk: a new store on the same file sees it.
        QCOMPARE(kit::UserDefaults(store.path()).stringForKey(QStringLiteral("STORED_ZOOM")),
                 QStringLiteral("1.750000"));

        viewer::storeZoom(1.5f);
        QCOMPARE(kit::UserDefaults(store.path()).stringForKey(QStringLiteral("STORED_ZOOM")),
                 QStringLiteral("1.500000"));
    }

    void pageUrlNamesAFileOfTheBundle()
    {
        const QUrl url = viewer::pageUrl(QStringLiteral("gas.html"));
        QVERIFY(url.isLocalFile());
        QCOMPARE(url.toLocalFile(),
                 kit::Bundle::mainBundle().bundlePath() + QStringLiteral("/gas.html"));
        // Existence is not checked.
        QCOMPARE(viewer::pageUrl(QStringLiteral("no such page.html")).fileName(),
                 QStringLiteral("no such page.html"));
    }

    void newSliderShowsTheStoredZoom()
    {
        TestStore store;
        LaunchedApplication app;
        NoArticle host;
        QObject owner;
        viewer::ZoomControl zoom(&host, &owner);
        zoom.zoomButtonAction();
        QPointer<kit::Slider> first = zoom.zoomSlider();
        QCOMPARE(first->value(), 1.0f);
        QCOMPARE(first->minimumValue(), 1.0f);
        QCOMPARE(first->maximumValue(), 2.0f);
        QVERIFY(first->isContinuous());
        QVERIFY(!zoom.zoomButton()->isEnabled());
        // At its left end.
        QCOMPARE(first->thumbCenter().x(), kit::Slider::thumbDiameter / 2.0);
        zoom.zoomSliderHide();
        QVERIFY(zoom.zoomButton()->isEnabled());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());

        viewer::storeZoom(1.5f);
        zoom.zoomButtonAction();
        QCOMPARE(zoom.zoomSlider()->value(), 1.5f);
    }

    void paneFloatsAtTheSamePlaceOverEveryTab()
    {
        TestStore store;
        LaunchedApplication app;
        kit::Window* window = app.shell().window();
        NoArticle host;
        QObject owner;
        viewer::ZoomControl zoom(&host, &owner);
        for (int tab : {3, 0, 4}) {
            app.shell().tabBarController()->setSelectedIndex(tab);
            zoom.zoomButtonAction();
            kit::ImageView* pane = zoom.sliderView();
            QCOMPARE(pane->parentWidget(), window);
            const QSize size = pane->image().size();
            QCOMPARE(pane->geometry(), QRect(218 - size.width() / 2, 82 - size.height() / 2,
                                             size.width(), size.height()));
            QVERIFY(pane->isUserInteractionEnabled());
            // On top of everything in the window.
            QVERIFY(pane->isAncestorOf(window->childAt(QPoint(218, 82))) ||
                    window->childAt(QPoint(218, 82)) == pane);
            // The slider's track lies inside the pane, inside the window.
            QCOMPARE(zoom.zoomSlider()->frame(), QRect(20, 20, 180, 10));
            QVERIFY(QRect(QPoint(0, 0), pane->size()).contains(zoom.zoomSlider()->frame()));
            QVERIFY(window->rect().contains(pane->geometry()));
        }
    }

    void sliderStoresTheZoomAsTheFingerMovesAndGoesWhenItLifts()
    {
        TestStore store;
        LaunchedApplication app;
        NoArticle host;
        QObject owner;
        viewer::ZoomControl zoom(&host, &owner);
        zoom.zoomButtonAction();
        kit::Slider* slider = zoom.zoomSlider();
        QCOMPARE(slider->allControlEvents().toInt(), 4097u | 192u);

        const int y = slider->height() / 2;
        QTest::mousePress(slider, Qt::LeftButton, {}, slider->thumbCenter().toPoint());
        QCOMPARE(kit::UserDefaults(store.path()).stringForKey(QStringLiteral("STORED_ZOOM")),
                 QStringLiteral("1.000000"));
        QTest::mouseMove(slider, QPoint(120, y));
        QVERIFY(viewer::storedZoom() > 1.0f);
        QVERIFY(zoom.sliderView());
        // Lifted well away from the slider: the pane goes all the same.
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(120, 300));
        QVERIFY(!zoom.sliderView());
        QVERIFY(zoom.zoomButton()->isEnabled());
    }
};

FIRSTAID_TEST_MAIN(TestReadingZoom)

#include "tst_readingzoom.moc"
