// SPDX-License-Identifier: GPL-3.0-or-later
// The emergency services tab.

#include "TestSupport.h"

#include "app/ApplicationShell.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/TabBar.h"
#include "kit/views/Button.h"
#include "kit/views/View.h"
#include "telephones/Telephones.h"
#include "viewer/WebController.h"
#include "viewer/ZoomControl.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace {

struct TelephonesTab : ShownTab<telephones::Telephones> {
    explicit TelephonesTab(float zoom = 1.0f) : ShownTab(2, zoom) {}
    kit::Button* button(const char* name) const
    {
        return screen->view()->findChild<kit::Button*>(QString::fromLatin1(name));
    }
    QString page() const { return screen->viewer()->url().fileName(); }
};

} // namespace

class TestTelephones final : public QObject {
    Q_OBJECT

private slots:
    void policeOnFirstDisplay()
    {
        TelephonesTab tab;
        QCOMPARE(tab.screen->navBar()->title(), QStringLiteral("Полиция"));
        QCOMPARE(tab.screen->navBar()->tintColor(), kit::color(0.313, 0.314, 0.58, 1.0));
        QCOMPARE(tab.page(), QStringLiteral("police.html"));
        QCOMPARE(tab.screen->viewer()->linkMode(), viewer::LinkMode::InPlace);
        QCOMPARE(tab.screen->viewer()->view()->geometry(), QRect(0, 44, 290, 370));
        QVERIFY(tab.screen->navBar()->rightButton()->isVisible());
        for (const char* name : {"gasButton", "ambulanceButton", "fireButton", "policeButton"})
            QVERIFY(
                !tab.button(name)->geometry().intersects(tab.screen->viewer()->view()->geometry()));
    }

    void servicesTitleColourAndPage_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QColor>("tint");
        QTest::addColumn<QString>("page");
        QTest::newRow("gas") << "gasButton"
                             << "Горгаз" << kit::color(0.581, 0.352, 0.02, 1.0) << "gas.html";
        QTest::newRow("ambulance")
            << "ambulanceButton"
            << "Скорая" << kit::color(0.581, 0.581, 0.581, 1.0) << "emerg.html";
        QTest::newRow("fire") << "fireButton"
                              << "Пожарная" << kit::color(0.58, 0.211, 0.211, 1.0) << "fire.html";
        QTest::newRow("police") << "policeButton"
                                << "Полиция" << kit::color(0.313, 0.314, 0.58, 1.0)
                                << "police.html";
    }

    void servicesTitleColourAndPage()
    {
        QFETCH(QString, button);
        QFETCH(QString, title);
        QFETCH(QColor, tint);
        QFETCH(QString, page);
        TelephonesTab tab;
        QTest::mouseClick(tab.button(button.toLatin1().constData()), Qt::LeftButton);
        QCOMPARE(tab.screen->navBar()->title(), title);
        QCOMPARE(tab.screen->navBar()->tintColor(), tint);
        QCOMPARE(tab.page(), page);
        // Again: the page is loaded anew in a new viewer.
        QPointer<viewer::WebController> first = tab.screen->viewer();
        QTest::mouseClick(tab.button(button.toLatin1().constData()), Qt::LeftButton);
        QVERIFY(tab.screen->viewer() != first.data());
        QCOMPARE(tab.page(), page);
    }

    void policeAgainOnEveryAppearance()
    {
        TelephonesTab tab;
        tab.screen->onGasPressed();
        QCOMPARE(tab.page(), QStringLiteral("gas.html"));
        QTest::mouseClick(tab.tabBar()->buttonAt(3), Qt::LeftButton);
        QTest::mouseClick(tab.tabBar()->buttonAt(2), Qt::LeftButton);
        QCOMPARE(tab.page(), QStringLiteral("police.html"));
        QCOMPARE(tab.screen->navBar()->title(), QStringLiteral("Полиция"));
    }

    void aServicePageTakesThePaneAway()
    {
        TelephonesTab tab;
        QTest::mouseClick(tab.screen->navBar()->rightButton(), Qt::LeftButton);
        QVERIFY(tab.screen->zoom()->sliderView());
        QVERIFY(!tab.screen->zoom()->zoomButton()->isEnabled());
        tab.screen->onFirePressed();
        QVERIFY(!tab.screen->zoom()->sliderView());
        QVERIFY(tab.screen->zoom()->zoomButton()->isEnabled());
        // Leaving the tab does too.
        tab.screen->zoom()->zoomButtonAction();
        QTest::mouseClick(tab.tabBar()->buttonAt(0), Qt::LeftButton);
        QVERIFY(!tab.screen->zoom()->sliderView());
    }

    void pagesFollowTheStoredZoomAndLinksLoadInPlace()
    {
        TelephonesTab tab(2.0f);
        viewer::WebController* viewer = tab.screen->viewer();
        QCOMPARE(viewer->fontSize(), 30.0f);
        QSignalSpy styled(viewer, &viewer::WebController::pageStyled);
        QVERIFY(waitUntil([&] { return styled.count() > 0; }));
        QCOMPARE(computedFontSize(viewer->webView(), QStringLiteral("li")), QStringLiteral("30px"));
        evaluateJavaScript(viewer->webView(), QStringLiteral("location.href = 'call.html'"));
        QVERIFY(waitUntil([&] { return styled.count() > 1; }));
        QCOMPARE(viewer->webView()->url().fileName(), QStringLiteral("call.html"));
        QCOMPARE(tab.screen->viewer(), viewer);
    }

    void missingServicePageKeepsTheScreenWorking()
    {
        TestBundle bundle;
        for (const char* picture :
             {"iconBtnTextSize.png", "sliderBackPane.png", "btnPolice.png", "btnFire.png"})
            bundle.copyResource(QString::fromLatin1(picture));
        TelephonesTab tab;
        QSignalSpy ended(tab.screen->viewer(), &viewer::WebController::loadEnded);
        QVERIFY(waitUntil([&] { return !ended.isEmpty(); }));
        QCOMPARE(ended.first().first().toBool(), false);
        tab.screen->onFirePressed();
        QCOMPARE(tab.screen->navBar()->title(), QStringLiteral("Пожарная"));
    }
};

FIRSTAID_TEST_MAIN(TestTelephones)

#include "tst_telephones.moc"
