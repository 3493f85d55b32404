// The article viewer: its font script, its link modes and what it does with
// pages that fail.

#include "TestSupport.h"

#include "app/KavelAppDelegate.h"
#include "kit/controllers/NavigationController.h"
#include "viewer/FontScript.h"
#include "viewer/WebController.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

QUrl pageUrl(const TestBundle& bundle, const QString& name)
{
    return QUrl::fromLocalFile(bundle.filePath(name));
}

// Waits until the viewer has loaded and styled this many pages in all.
bool waitForStyles(QSignalSpy& spy, int count)
{
    return waitUntil([&] { return spy.count() >= count; });
}

void clickLink(WebController* viewer, const QString& id)
{
    evaluateJavaScript(viewer->webView(),
                       QStringLiteral("document.getElementById('%1').click()").arg(id));
}

const QString links =
    QStringLiteral("<a id=\"toB\" href=\"b.html\">B</a> <a id=\"toC\" href=\"c.html\">C</a>");

} // namespace

class TestViewer final : public QObject {
    Q_OBJECT

private slots:
    void fontScriptIsTheTemplateWithTheSizeTwice()
    {
        QCOMPARE(viewer::fontScript(22.5f),
                 QStringLiteral(
                     "parent.parent.document.body.style.fontSize = 22.500000;var cells = "
                     "document.getElementsByTagName(\"td\");for (var i = 0; i < cells.length; "
                     "i++){cells[i].style.fontSize='22.500000px';}"));
    }

    void newViewerScalesItsPageTo15()
    {
        TestBundle bundle;
        bundle.writePage(QStringLiteral("a.html"), QStringLiteral("А"), true);
        WebController viewer(pageUrl(bundle, QStringLiteral("a.html")));
        viewer.webView()->widget()->show();
        QSignalSpy styled(&viewer, &WebController::pageStyled);
        QVERIFY(waitForStyles(styled, 1));
        QCOMPARE(viewer.fontSize(), 15.0f);
        QCOMPARE(viewer.type(), LinkMode::InPlace);
        QCOMPARE(computedFontSize(viewer.webView(), QStringLiteral("#text")),
                 QStringLiteral("15px"));
        QCOMPARE(computedFontSize(viewer.webView(), QStringLiteral("#cell")),
                 QStringLiteral("15px"));
    }

    void fontSizeReachesBodyAndCells()
    {
        TestBundle bundle;
        bundle.writePage(QStringLiteral("table.html"), QStringLiteral("С таблицей"), true);
        bundle.writePage(QStringLiteral("plain.html"), QStringLiteral("Без таблицы"), false);
        for (const QString& page : {QStringLiteral("table.html"), QStringLiteral("plain.html")}) {
            WebController viewer(pageUrl(bundle, page));
            viewer.setFontSize(22.5f);
            viewer.webView()->widget()->show();
            QSignalSpy styled(&viewer, &WebController::pageStyled);
            QVERIFY(waitForStyles(styled, 1));
            QCOMPARE(computedFontSize(viewer.webView(), QStringLiteral("#text")),
                     QStringLiteral("22.5px"));
            const QString cell = computedFontSize(viewer.webView(), QStringLiteral("#cell"));
            QCOMPARE(cell,
                     page == QLatin1String("table.html") ? QStringLiteral("22.5px") : QString());
        }
    }

    void linkModeTwoKeepsItsPageAndPushesAViewerPerLink()
    {
        TestStore store;
        LaunchedApplication app;
        app.delegate().setDefaultArticleZoom(1.5f);
        TestBundle bundle;
        bundle.writePage(QStringLiteral("scheme.html"), QStringLiteral("Схема"), false, links);
        bundle.writePage(QStringLiteral("b.html"), QStringLiteral("Б"));
        bundle.writePage(QStringLiteral("c.html"), QStringLiteral("В"));

        auto root = std::make_unique<WebController>(pageUrl(bundle, QStringLiteral("scheme.html")));
        root->setType(LinkMode::OpensViewer);
        WebController* scheme = root.get();
        QSignalSpy schemeStyled(scheme, &WebController::pageStyled);
        kit::NavigationController navigation(std::move(root));
        navigation.view()->show();
        QVERIFY(waitForStyles(schemeStyled, 1));
        QCOMPARE(scheme->fontSize(), 15.0f);

        clickLink(scheme, QStringLiteral("toB"));
        QVERIFY(waitUntil([&] { return navigation.viewControllers().size() == 2; }));
        auto* first = qobject_cast<WebController*>(navigation.topViewController());
        QCOMPARE(scheme->anotherWeb(), first);
        QCOMPARE(first->url(), pageUrl(bundle, QStringLiteral("b.html")));
        QCOMPARE(first->type(), LinkMode::InPlace);
        QCOMPARE(first->fontSize(), 22.5f);

        clickLink(scheme, QStringLiteral("toC"));
        QVERIFY(waitUntil([&] { return navigation.viewControllers().size() == 3; }));
        auto* second = qobject_cast<WebController*>(navigation.topViewController());
        QCOMPARE(scheme->anotherWeb(), second);
        QCOMPARE(second->url(), pageUrl(bundle, QStringLiteral("c.html")));

        // The scheme page itself never left, and a refused request is not a finished load to style.
        QSignalSpy secondStyled(second, &WebController::pageStyled);
        QVERIFY(waitForStyles(secondStyled, 1));
        QCOMPARE(evaluateJavaScript(scheme->webView(), QStringLiteral("document.title")).toString(),
                 QStringLiteral("Схема"));
        QCOMPARE(schemeStyled.count(), 1);
    }

    void linkModesZeroAndOneLoadInPlaceAndStyleAgain_data()
    {
        QTest::addColumn<LinkMode>("mode");
        QTest::newRow("in place") << LinkMode::InPlace;
        QTest::newRow("service page") << LinkMode::ServicePage;
    }

    void linkModesZeroAndOneLoadInPlaceAndStyleAgain()
    {
        QFETCH(LinkMode, mode);
        TestBundle bundle;
        bundle.writePage(QStringLiteral("a.html"), QStringLiteral("А"), false, links);
        bundle.writePage(QStringLiteral("b.html"), QStringLiteral("Б"), true);
        auto root = std::make_unique<WebController>(pageUrl(bundle, QStringLiteral("a.html")));
        root->setType(mode);
        root->setFontSize(30.0f);
        WebController* viewer = root.get();
        QSignalSpy styled(viewer, &WebController::pageStyled);
        kit::NavigationController navigation(std::move(root));
        navigation.view()->show();
        QVERIFY(waitForStyles(styled, 1));

        clickLink(viewer, QStringLiteral("toB"));
        QVERIFY(waitForStyles(styled, 2));
        QCOMPARE(navigation.viewControllers().size(), size_t(1));
        QCOMPARE(evaluateJavaScript(viewer->webView(), QStringLiteral("document.title")).toString(),
                 QStringLiteral("Б"));
        QCOMPARE(computedFontSize(viewer->webView(), QStringLiteral("#cell")),
                 QStringLiteral("30px"));
    }

    void missingPageShowsAnEmptyViewer()
    {
        TestBundle bundle;
        WebController viewer(pageUrl(bundle, QStringLiteral("missing.html")));
        QSignalSpy finished(&viewer, &WebController::loadEnded);
        QSignalSpy styled(&viewer, &WebController::pageStyled);
        QVERIFY(waitUntil([&] { return !finished.isEmpty(); }));
        QCOMPARE(finished.first().first().toBool(), false);
        const QString text =
            evaluateJavaScript(viewer.webView(),
                               QStringLiteral("document.body ? document.body.innerText : ''"))
                .toString();
        QVERIFY2(text.trimmed().isEmpty(), qPrintable(text));
        QCOMPARE(styled.count(), 0);
    }

    void touchingTheViewLogsHere()
    {
        TestBundle bundle;
        bundle.writePage(QStringLiteral("a.html"), QStringLiteral("А"));
        WebController viewer(pageUrl(bundle, QStringLiteral("a.html")));
        viewer.webView()->widget()->resize(320, 400);
        viewer.webView()->widget()->show();
        QSignalSpy styled(&viewer, &WebController::pageStyled);
        QVERIFY(waitForStyles(styled, 1));
        QWidget* surface = viewer.webView()->widget()->focusProxy();
        QVERIFY(surface);
        LogCapture log;
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(150, 300));
        QCOMPARE(log.count(QStringLiteral("HERE")), 1);
    }
};

FIRSTAID_TEST_MAIN(TestViewer)

#include "tst_viewer.moc"
