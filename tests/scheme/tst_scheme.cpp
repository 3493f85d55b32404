// SPDX-License-Identifier: GPL-3.0-or-later
// The universal scheme tab and the about screen reached from it.

#include "FakeDesktop.h"
#include "TestSupport.h"

#include "UrlRecorder.h"
#include "viewer/ReadingZoom.h"

#include "about/InfoViewController.h"
#include "app/ApplicationShell.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/TabBar.h"
#include "kit/views/Button.h"
#include "kit/views/ImageView.h"
#include "scheme/Schema.h"
#include "viewer/WebController.h"
#include "viewer/ZoomControl.h"

#include <QSignalSpy>
#include <QTest>
#include <QUrlQuery>

namespace {

struct SchemeTab : ShownTab<scheme::Schema> {
    explicit SchemeTab(float zoom = 1.0f) : ShownTab(1, zoom) {}
    kit::NavigationController* body() const { return screen->stack(); }

    bool schemeStyled()
    {
        QSignalSpy styled(screen->viewer(), &viewer::WebController::pageStyled);
        return waitUntil([&] { return styled.count() > 0; });
    }

    // Follows a link of the scheme page and waits for the article it opens.
    viewer::WebController* follow(const QString& page)
    {
        const size_t before = body()->viewControllers().size();
        evaluateJavaScript(
            screen->viewer()->webView(),
            QStringLiteral("document.querySelector('a[href=\"%1\"]').click()").arg(page));
        if (!waitUntil([&] { return body()->viewControllers().size() > before; }))
            return nullptr;
        auto* article = qobject_cast<viewer::WebController*>(body()->topViewController());
        QSignalSpy styled(article, &viewer::WebController::pageStyled);
        return waitUntil([&] { return styled.count() > 0; }) ? article : nullptr;
    }

    void dragSliderToTheEnd()
    {
        kit::Slider* slider = screen->zoom()->zoomSlider();
        QTest::mousePress(slider, Qt::LeftButton, {}, slider->thumbCenter().toPoint());
        QTest::mouseMove(slider, QPoint(slider->width() + 40, slider->height() / 2));
        QTest::mouseRelease(slider, Qt::LeftButton, {},
                            QPoint(slider->width() + 40, slider->height() / 2));
    }
};

} // namespace

class TestScheme final : public QObject {
    Q_OBJECT

private slots:
    void schemePageKeeps15WhileItsArticlesFollowTheZoom()
    {
        SchemeTab tab(2.0f);
        QVERIFY(tab.schemeStyled());
        QCOMPARE(computedFontSize(tab.screen->viewer()->webView(), QStringLiteral("li")),
                 QStringLiteral("15px"));
        QCOMPARE(tab.body()->topViewController()->navigationItem().title(),
                 QStringLiteral("Универсальная схема"));
        QCOMPARE(tab.body()->topViewController()->navigationItem().rightBarButtonItem(),
                 tab.screen->infoButton());

        viewer::WebController* article = tab.follow(QStringLiteral("burns.html"));
        QVERIFY(article);
        QCOMPARE(tab.screen->viewer()->openedViewer(), article);
        QCOMPARE(article->fontSize(), 30.0f);
        QCOMPARE(computedFontSize(article->webView(), QStringLiteral("li")),
                 QStringLiteral("30px"));
        QCOMPARE(article->navigationItem().rightBarButtonItem(), tab.screen->zoom()->zoomButton());
        QVERIFY(!tab.body()->isNavigationBarHidden());
        // The scheme page stays where it was.
        QCOMPARE(evaluateJavaScript(tab.screen->viewer()->webView(),
                                    QStringLiteral("location.pathname.endsWith('Schema.html')"))
                     .toBool(),
                 true);
    }

    void articleAndAboutScreensCarryTheZoom()
    {
        SchemeTab tab;
        QVERIFY(tab.schemeStyled());
        // On an article opened from the scheme, the slider restyles that article.
        viewer::WebController* article = tab.follow(QStringLiteral("cpr.html"));
        QVERIFY(article);
        QTest::mouseClick(tab.body()->navigationBar()->rightButton(), Qt::LeftButton);
        tab.dragSliderToTheEnd();
        QVERIFY(waitUntil([&] {
            return computedFontSize(article->webView(), QStringLiteral("li")) ==
                   QLatin1String("30px");
        }));
        QCOMPARE(viewer::storedZoom(), 2.0f);
        QVERIFY(!tab.screen->zoom()->sliderView());

        // The about screen is reached from the scheme page, so no article is on show there:
        // its slider stores the zoom for the articles opened next.
        QTest::mouseClick(tab.body()->navigationBar()->backButton(), Qt::LeftButton);
        tab.screen->infoButton()->trigger();
        auto* about = qobject_cast<about::InfoViewController*>(tab.body()->topViewController());
        QVERIFY(about);
        QCOMPARE(about->navigationItem().rightBarButtonItem(), tab.screen->zoom()->zoomButton());
        tab.screen->zoom()->zoomButtonAction();
        kit::Slider* slider = tab.screen->zoom()->zoomSlider();
        QTest::mousePress(slider, Qt::LeftButton, {}, slider->thumbCenter().toPoint());
        QTest::mouseMove(slider, QPoint(slider->width() / 2, slider->height() / 2));
        QTest::mouseRelease(slider, Qt::LeftButton, {},
                            QPoint(slider->width() / 2, slider->height() / 2));
        const float stored = viewer::storedZoom();
        QVERIFY(stored > 1.0f && stored < 2.0f);
        QTest::mouseClick(tab.body()->navigationBar()->backButton(), Qt::LeftButton);
        viewer::WebController* next = tab.follow(QStringLiteral("burns.html"));
        QVERIFY(next);
        QCOMPARE(next->fontSize(), stored * 15.0f);
    }

    void backToTheSchemeBringsTheInformationButtonAndTakesThePaneAway()
    {
        SchemeTab tab;
        QVERIFY(tab.schemeStyled());
        tab.screen->infoButton()->trigger();
        tab.screen->zoom()->zoomButtonAction();
        QVERIFY(tab.screen->zoom()->sliderView());
        QTest::mouseClick(tab.body()->navigationBar()->backButton(), Qt::LeftButton);
        QCOMPARE(tab.body()->viewControllers().size(), size_t(1));
        QVERIFY(!tab.screen->zoom()->sliderView());
        QVERIFY(tab.screen->zoom()->zoomButton()->isEnabled());
        QCOMPARE(tab.body()->topViewController()->navigationItem().rightBarButtonItem(),
                 tab.screen->infoButton());
        // The information button leads to the about screen.
        QTest::mouseClick(tab.body()->navigationBar()->rightButton(), Qt::LeftButton);
        QVERIFY(qobject_cast<about::InfoViewController*>(tab.body()->topViewController()));
    }

    void leavingTheTabAndComingBackShowsTheScheme()
    {
        SchemeTab tab;
        QVERIFY(tab.schemeStyled());
        QVERIFY(tab.follow(QStringLiteral("safety.html")));
        tab.screen->zoom()->zoomButtonAction();
        QTest::mouseClick(tab.tabBar()->buttonAt(0), Qt::LeftButton);
        QVERIFY(!tab.screen->zoom()->sliderView());
        QTest::mouseClick(tab.tabBar()->buttonAt(1), Qt::LeftButton);
        QCOMPARE(tab.body()->viewControllers().size(), size_t(1));
    }

    void eachAboutScreenHasOneBackgroundBeneathItsControls()
    {
        SchemeTab tab;
        for (int i = 0; i < 3; ++i) {
            tab.screen->infoButton()->trigger();
            auto* about = qobject_cast<about::InfoViewController*>(tab.body()->topViewController());
            QVERIFY(about);
            const auto backgrounds =
                about->view()->findChildren<kit::ImageView*>(QStringLiteral("aboutBackground"));
            QCOMPARE(backgrounds.size(), 1);
            QCOMPARE(about->view()->children().indexOf(backgrounds.first()), 0);
            QVERIFY(!backgrounds.first()->image().isNull());
            QTest::mouseClick(tab.body()->navigationBar()->backButton(), Qt::LeftButton);
        }
    }

    void supportMailArrivesWhole()
    {
        SchemeTab tab;
        tab.screen->infoButton()->trigger();
        auto* about = qobject_cast<about::InfoViewController*>(tab.body()->topViewController());
        // A desktop with a mail client.
        FakeDesktop mailClient({QStringLiteral("mailto")});
        UrlRecorder desktop({QStringLiteral("mailto"), QStringLiteral("https")});
        QTest::mouseClick(
            about->view()->findChild<kit::Button*>(QStringLiteral("supportMailButton")),
            Qt::LeftButton);
        QCOMPARE(desktop.urls.size(), 1);
        const QUrl mail = desktop.urls.first();
        QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
        QCOMPARE(mail.path(), about::InfoViewController::supportAddress);
        // Escaped as UTF-8 bytes, with the address's own punctuation left alone.
        const QByteArray sent = mail.toEncoded();
        QVERIFY(sent.contains("?subject=%D0%A2%D0%9A%D0%9B%20"));
        QVERIFY(sent.contains("&body="));
        QVERIFY(sent.contains("%0A"));
        const QUrlQuery query(mail);
        QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                 QStringLiteral("ТКЛ тех.поддержка"));
        QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded)
                     .split(QLatin1Char('\n')),
                 (QStringList{QStringLiteral("Приложение «Первая помощь»."),
                              QStringLiteral("Разработчик: ТКЛ.")}));

        // The related applications go to their pages; the developer's mark does nothing.
        for (const char* name : {"rovanButton", "pexButton", "sulkaButton", "tklButton"})
            QTest::mouseClick(about->view()->findChild<kit::Button*>(QString::fromLatin1(name)),
                              Qt::LeftButton);
        QCOMPARE(desktop.urls.mid(1), (QList<QUrl>{about::InfoViewController::rovanAddress,
                                                   about::InfoViewController::pexAddress,
                                                   about::InfoViewController::sulkaAddress}));
    }

    void missingSchemePageLeavesAnEmptyWorkingScreen()
    {
        TestBundle bundle;
        for (const char* picture :
             {"iconBtnTextSize.png", "sliderBackPane.png", "iconInfo.png", "aboutBg.png"})
            bundle.copyResource(QString::fromLatin1(picture));
        SchemeTab tab;
        QSignalSpy ended(tab.screen->viewer(), &viewer::WebController::loadEnded);
        QVERIFY(waitUntil([&] { return !ended.isEmpty(); }));
        QCOMPARE(ended.first().first().toBool(), false);
        tab.screen->infoButton()->trigger();
        tab.screen->close();
        QCOMPARE(tab.body()->viewControllers().size(), size_t(1));
    }
};

FIRSTAID_TEST_MAIN(TestScheme)

#include "tst_scheme.moc"
