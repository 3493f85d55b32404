// SPDX-License-Identifier: GPL-3.0-or-later
// The article viewer: its font script, its link modes and what it does with
// pages that fail.

#include "FakeDesktop.h"
#include "TestSupport.h"

#include "viewer/ReadingZoom.h"

#include "app/ApplicationShell.h"
#include "kit/controllers/NavigationController.h"
#include "kit/views/Label.h"
#include "kit/views/TextMeasure.h"
#include "kit/views/TitledButton.h"
#include "viewer/AddressScreen.h"
#include "viewer/FontScript.h"
#include "viewer/WebController.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
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

void clickLink(viewer::WebController* viewer, const QString& id)
{
    evaluateJavaScript(viewer->webView(),
                       QStringLiteral("document.getElementById('%1').click()").arg(id));
}

// Clicks a link with the mouse, as a person does: the page treats a script's click on
// an address it does not load itself as no click at all.
void tapLink(viewer::WebController* viewer, const QString& id)
{
    const QVariantList box =
        evaluateJavaScript(viewer->webView(),
                           QStringLiteral("(function(){var r=document.getElementById('%1')"
                                          ".getBoundingClientRect();return [r.left+r.width/2,"
                                          "r.top+r.height/2];})()")
                               .arg(id))
            .toList();
    QWidget* view = viewer->webView()->widget();
    QWidget* surface = view->focusProxy() ? view->focusProxy() : view;
    if (box.size() == 2)
        QTest::mouseClick(surface, Qt::LeftButton, {},
                          QPoint(qRound(box[0].toDouble()), qRound(box[1].toDouble())));
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
        viewer::WebController viewer(pageUrl(bundle, QStringLiteral("a.html")));
        viewer.webView()->widget()->show();
        QSignalSpy styled(&viewer, &viewer::WebController::pageStyled);
        QVERIFY(waitForStyles(styled, 1));
        QCOMPARE(viewer.fontSize(), 15.0f);
        QCOMPARE(viewer.linkMode(), viewer::LinkMode::InPlace);
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
            viewer::WebController viewer(pageUrl(bundle, page));
            viewer.setFontSize(22.5f);
            viewer.webView()->widget()->show();
            QSignalSpy styled(&viewer, &viewer::WebController::pageStyled);
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
        viewer::storeZoom(1.5f);
        TestBundle bundle;
        bundle.writePage(QStringLiteral("scheme.html"), QStringLiteral("Схема"), false, links);
        bundle.writePage(QStringLiteral("b.html"), QStringLiteral("Б"));
        bundle.writePage(QStringLiteral("c.html"), QStringLiteral("В"));

        auto root =
            std::make_unique<viewer::WebController>(pageUrl(bundle, QStringLiteral("scheme.html")));
        root->setLinkMode(viewer::LinkMode::OpensViewer);
        viewer::WebController* scheme = root.get();
        QSignalSpy schemeStyled(scheme, &viewer::WebController::pageStyled);
        kit::NavigationController navigation(std::move(root));
        navigation.view()->show();
        QVERIFY(waitForStyles(schemeStyled, 1));
        QCOMPARE(scheme->fontSize(), 15.0f);

        clickLink(scheme, QStringLiteral("toB"));
        QVERIFY(waitUntil([&] { return navigation.viewControllers().size() == 2; }));
        auto* first = qobject_cast<viewer::WebController*>(navigation.topViewController());
        QCOMPARE(scheme->openedViewer(), first);
        QCOMPARE(first->url(), pageUrl(bundle, QStringLiteral("b.html")));
        QCOMPARE(first->linkMode(), viewer::LinkMode::InPlace);
        QCOMPARE(first->fontSize(), 22.5f);

        clickLink(scheme, QStringLiteral("toC"));
        QVERIFY(waitUntil([&] { return navigation.viewControllers().size() == 3; }));
        auto* second = qobject_cast<viewer::WebController*>(navigation.topViewController());
        QCOMPARE(scheme->openedViewer(), second);
        QCOMPARE(second->url(), pageUrl(bundle, QStringLiteral("c.html")));

        // The scheme page itself never left, and a refused request is not a finished load to style.
        QSignalSpy secondStyled(second, &viewer::WebController::pageStyled);
        QVERIFY(waitForStyles(secondStyled, 1));
        QCOMPARE(evaluateJavaScript(scheme->webView(), QStringLiteral("document.title")).toString(),
                 QStringLiteral("Схема"));
        QCOMPARE(schemeStyled.count(), 1);
    }

    void changingTheSizeKeepsTheReadingPlace()
    {
        TestBundle bundle;
        QString body;
        for (int i = 0; i < 80; ++i)
            body += QStringLiteral("<p id=\"p%1\">Абзац %1: несколько слов, чтобы строка была "
                                   "длинной и переносилась.</p>")
                        .arg(i);
        bundle.writePage(QStringLiteral("long.html"), QStringLiteral("Длинная"), false, body);
        viewer::WebController viewer(pageUrl(bundle, QStringLiteral("long.html")));
        viewer.webView()->widget()->resize(320, 400);
        viewer.webView()->widget()->show();
        QSignalSpy styled(&viewer, &viewer::WebController::pageStyled);
        QVERIFY(waitForStyles(styled, 1));
        // Paragraph 30 at the top of the view, then the text twice as large.
        const QString topOf = QStringLiteral("document.getElementById('p30')"
                                             ".getBoundingClientRect().top");
        evaluateJavaScript(viewer.webView(),
                           QStringLiteral("window.scrollTo(0, window.scrollY + %1)").arg(topOf));
        QVERIFY(std::abs(evaluateJavaScript(viewer.webView(), topOf).toDouble()) < 2);
        const double scrolled =
            evaluateJavaScript(viewer.webView(), QStringLiteral("window.scrollY")).toDouble();
        evaluateJavaScript(viewer.webView(), viewer::rescaleScript(30.0f));
        QCOMPARE(computedFontSize(viewer.webView(), QStringLiteral("#p30")),
                 QStringLiteral("30px"));
        // Still paragraph 30 at the top, though the page has moved a long way under it.
        QVERIFY(std::abs(evaluateJavaScript(viewer.webView(), topOf).toDouble()) < 2);
        QVERIFY(evaluateJavaScript(viewer.webView(), QStringLiteral("window.scrollY")).toDouble() >
                scrolled * 1.5);
        // At the top of a page there is no place to keep: it stays at the top.
        evaluateJavaScript(viewer.webView(), QStringLiteral("window.scrollTo(0, 0)"));
        evaluateJavaScript(viewer.webView(), viewer::rescaleScript(15.0f));
        QCOMPARE(evaluateJavaScript(viewer.webView(), QStringLiteral("window.scrollY")).toDouble(),
                 0.0);
    }

    void linksLoadInPlaceAndStyleAgain()
    {
        TestBundle bundle;
        bundle.writePage(QStringLiteral("a.html"), QStringLiteral("А"), false, links);
        bundle.writePage(QStringLiteral("b.html"), QStringLiteral("Б"), true);
        auto root =
            std::make_unique<viewer::WebController>(pageUrl(bundle, QStringLiteral("a.html")));
        root->setFontSize(30.0f);
        viewer::WebController* viewer = root.get();
        QSignalSpy styled(viewer, &viewer::WebController::pageStyled);
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
        viewer::WebController viewer(pageUrl(bundle, QStringLiteral("missing.html")));
        QSignalSpy finished(&viewer, &viewer::WebController::loadEnded);
        QSignalSpy styled(&viewer, &viewer::WebController::pageStyled);
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
        viewer::WebController viewer(pageUrl(bundle, QStringLiteral("a.html")));
        viewer.webView()->widget()->resize(320, 400);
        viewer.webView()->widget()->show();
        QSignalSpy styled(&viewer, &viewer::WebController::pageStyled);
        QVERIFY(waitForStyles(styled, 1));
        QWidget* surface = viewer.webView()->widget()->focusProxy();
        QVERIFY(surface);
        LogCapture log;
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(150, 300));
        QCOMPARE(log.count(QStringLiteral("HERE")), 1);
    }

    void numbersGoToTheDesktopsDiallerOrAreShownToDial()
    {
        TestStore store;
        LaunchedApplication app;
        TestBundle bundle;
        bundle.writePage(QStringLiteral("scheme.html"), QStringLiteral("Схема"), false,
                         QStringLiteral("<a id=\"call\" href=\"tel:112\">112</a> "
                                        "<a id=\"mail\" href=\"mailto:help@example.org\">"
                                        "почта</a>"));
        auto root =
            std::make_unique<viewer::WebController>(pageUrl(bundle, QStringLiteral("scheme.html")));
        root->setLinkMode(viewer::LinkMode::OpensViewer);
        viewer::WebController* scheme = root.get();
        QSignalSpy styled(scheme, &viewer::WebController::pageStyled);
        kit::NavigationController navigation(std::move(root));
        navigation.view()->show();
        QVERIFY(waitForStyles(styled, 1));

        // A desktop with a dialler: the number goes to it, and the page stays as it is.
        {
            FakeDesktop desktop({QStringLiteral("tel")});
            tapLink(scheme, QStringLiteral("call"));
            QVERIFY(waitUntil([&] { return !desktop.opened().isEmpty(); }, 10000));
            QCOMPARE(desktop.opened(), QStringList{QStringLiteral("tel:112")});
            QVERIFY(!scheme->modalViewController());
            QCOMPARE(navigation.viewControllers().size(), size_t(1));
        }
        // None: the number is shown large, to be dialled from a phone, and copied.
        FakeDesktop desktop({QStringLiteral("https")});
        tapLink(scheme, QStringLiteral("call"));
        QVERIFY(waitUntil([&] { return scheme->modalViewController() != nullptr; }));
        auto* shown = qobject_cast<viewer::AddressScreen*>(scheme->modalViewController());
        QVERIFY(shown);
        QVERIFY(shown->view()->isVisible());
        QCOMPARE(shown->addressLabel()->text(), QStringLiteral("112"));
        QCOMPARE(shown->captionLabel()->text(), QStringLiteral("Позвоните с телефона"));
        QCOMPARE(shown->copyButton()->title(), QStringLiteral("Скопировать номер"));
        QVERIFY(!shown->copiedLabel()->isVisible());
        QTest::mouseClick(shown->copyButton(), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("112"));
        QVERIFY(shown->copiedLabel()->isVisible());
        shown->done();
        QVERIFY(!scheme->modalViewController());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(navigation.viewControllers().size(), size_t(1));

        // A mail address the same way, without its query.
        tapLink(scheme, QStringLiteral("mail"));
        QVERIFY(waitUntil([&] { return scheme->modalViewController() != nullptr; }));
        shown = qobject_cast<viewer::AddressScreen*>(scheme->modalViewController());
        QVERIFY(shown);
        QCOMPARE(shown->addressLabel()->text(), QStringLiteral("help@example.org"));
        QCOMPARE(shown->copyButton()->title(), QStringLiteral("Скопировать адрес"));
        shown->copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("help@example.org"));
        QVERIFY(desktop.opened().isEmpty());
        shown->done();
    }

    void longNumbersAndAddressesFitTheScreen()
    {
        TestStore store;
        LaunchedApplication app;
        for (const char* address :
             {"tel:+7%20(495)%20123-45-67%20доб.%201234",
              "mailto:a.very.long.mailbox.name@hospital-number-one.example.ru"}) {
            viewer::AddressScreen screen(QUrl(QString::fromUtf8(address)));
            screen.view();
            kit::Label* label = screen.addressLabel();
            QVERIFY(label);
            // Large, and whole within the label: on one line, or wrapped where it must.
            QVERIFY(QFontInfo(label->font()).pixelSize() >= 18);
            const QSizeF needed =
                kit::sizeWithFont(label->text(), label->font(), {qreal(label->width()), 1e6},
                                  kit::LineBreakMode::CharacterWrap);
            QVERIFY(needed.width() <= label->width());
            QVERIFY(needed.height() <= label->height());
        }
    }
};

FIRSTAID_TEST_MAIN(TestViewer)

#include "tst_viewer.moc"
