// SPDX-License-Identifier: GPL-3.0-or-later
// The contents tab: the rows of the table of contents, the title search, opening
// articles and the reading zoom over them.

#include "TestSupport.h"

#include "viewer/ReadingZoom.h"

#include "app/ApplicationShell.h"
#include "contents/Content.h"
#include "contents/ContentTable.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/TabBar.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/tables/SearchBar.h"
#include "kit/views/FocusRing.h"
#include "kit/views/Font.h"
#include "kit/views/View.h"
#include "viewer/WebController.h"
#include "viewer/ZoomControl.h"

#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <optional>
#include <vector>

namespace {

const QString longTitle = QStringLiteral(
    "Очень длинное название статьи о первой помощи, которое не помещается в одну строку");

// Rows: 0 Ожоги (grey), 1 Сердечно-лёгочная (white), 2 Химические ожоги (grey),
// 3 no title (white), 4 no page (grey), 5 long title (white).
void writeContents(TestBundle& bundle)
{
    bundle.write(QStringLiteral("Content.xml"),
                 QStringLiteral(
                     "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Content>"
                     "<Cell><Text>Ожоги</Text><Link>burns.html</Link></Cell>"
                     "<Cell><Text>Сердечно-лёгочная реанимация</Text><Link>cpr.html</Link></Cell>"
                     "<Cell><Text>Химические ожоги & глаза</Text><Link>chemical.html</Link></Cell>"
                     "<Cell><Link>untitled.html</Link></Cell>"
                     "<Cell><Text>Без ссылки</Text></Cell>"
                     "<Cell><Text>%1</Text><Link>long.html</Link></Cell>"
                     "</Content>")
                     .arg(longTitle)
                     .toUtf8());
    const QString links = QStringLiteral("<a id=\"next\" href=\"cpr.html\">дальше</a>");
    bundle.writePage(QStringLiteral("burns.html"), QStringLiteral("Ожоги"), true, links);
    bundle.writePage(QStringLiteral("cpr.html"), QStringLiteral("Реанимация"), true);
    bundle.writePage(QStringLiteral("chemical.html"), QStringLiteral("Химические ожоги"));
    bundle.writePage(QStringLiteral("long.html"), QStringLiteral("Длинная"));
    for (const char* picture : {"iconBtnTextSize.png", "sliderBackPane.png", "bottomPanelBg.png"})
        bundle.copyResource(QString::fromLatin1(picture));
}

QStringList texts(const std::vector<contents::ContentCell*>& cells)
{
    QStringList result;
    for (const contents::ContentCell* cell : cells)
        result << cell->text();
    return result;
}

// The application launched on a bundle of the test's own, with the contents tab chosen.
struct ContentsTab {
    TestStore store;
    TestBundle bundle;
    std::unique_ptr<LaunchedApplication> app;
    contents::Content* content = nullptr;
    contents::ContentTable* table = nullptr;

    ContentsTab()
    {
        writeContents(bundle);
        app = std::make_unique<LaunchedApplication>();
        content = app->showTab<contents::Content>(0);
        table = content->table();
    }
    kit::TabBar* tabBar() const { return app->tabBar(); }
    kit::NavigationController* navigation() const { return content->stack(); }

    void tapRow(kit::TableView* tableView, int row)
    {
        tableView->scrollToRowAtIndexPath({0, row});
        const QPoint centre =
            tableView->rectForRowAtIndexPath({0, row}).center() - tableView->contentOffset();
        QTest::mouseClick(tableView, Qt::LeftButton, {}, centre);
    }

    // Opens a row of the full list and waits until its page is styled.
    viewer::WebController* open(int row)
    {
        tapRow(table->tableView(), row);
        auto* viewer = qobject_cast<viewer::WebController*>(navigation()->topViewController());
        if (!viewer)
            return nullptr;
        QSignalSpy styled(viewer, &viewer::WebController::pageStyled);
        return waitUntil([&] { return styled.count() > 0; }) ? viewer : nullptr;
    }

    void search(const QString& text)
    {
        table->searchDisplayController()->setActive(true, false);
        table->searchBar()->setText(text);
    }
};

QString storedZoom()
{
    return kit::UserDefaults::standardUserDefaults()
        .stringForKey(QStringLiteral("STORED_ZOOM"))
        .value_or(QString());
}

} // namespace

class TestContents final : public QObject {
    Q_OBJECT

private slots:
    void rowsAreMeasuredAndShadedOnceByTheirPlace()
    {
        ContentsTab tab;
        const auto& cells = tab.table->cells();
        QCOMPARE(cells.size(), size_t(6));
        const QFont font = kit::systemFont(15);
        const double huge = 3.4028235e38;
        const double oneLine = kit::sizeWithFont(QStringLiteral("Ожоги"), font, {320, huge},
                                                 kit::LineBreakMode::WordWrap)
                                   .height();
        QCOMPARE(cells[0]->height(), float(oneLine + 18));
        // A row without a title is 18 points high; a long title takes more lines.
        QCOMPARE(cells[3]->height(), 18.0f);
        QVERIFY(cells[5]->height() >= float(2 * oneLine + 18));
        QCOMPARE(cells[5]->label()->geometry(), QRect(5, 0, 310, int(cells[5]->height())));
        const QColor grey = kit::color(0.9, 0.9, 0.9, 1.0);
        for (size_t i = 0; i < cells.size(); ++i)
            QCOMPARE(cells[i]->label()->backgroundColor(), i % 2 == 0 ? grey : QColor(Qt::white));
        QCOMPARE(cells[2]->text(), QStringLiteral("Химические ожоги & глаза"));
        QCOMPARE(tab.table->title(), QStringLiteral("Содержание"));
        QCOMPARE(tab.table->searchBar()->placeholderText(), QStringLiteral("Поиск"));
    }

    void searchFoldsLetterCaseAndNothingElse()
    {
        ContentsTab tab;
        tab.search(QStringLiteral("ОЖОГ"));
        QCOMPARE(
            texts(tab.table->filteredCells()),
            (QStringList{QStringLiteral("Ожоги"), QStringLiteral("Химические ожоги & глаза")}));
        tab.search(QStringLiteral("ожог"));
        QCOMPARE(tab.table->filteredCells().size(), size_t(2));
        // е is not ё; the page names are not searched; an empty text finds nothing.
        tab.search(QStringLiteral("легочная"));
        QVERIFY(tab.table->filteredCells().empty());
        tab.search(QStringLiteral("лёгочная"));
        QCOMPARE(tab.table->filteredCells().size(), size_t(1));
        tab.search(QStringLiteral("html"));
        QVERIFY(tab.table->filteredCells().empty());
        tab.search(QString());
        QVERIFY(tab.table->filteredCells().empty());
    }

    void resultsKeepTheShadingOfTheirPlaceInTheList()
    {
        ContentsTab tab;
        tab.search(QStringLiteral("ожог"));
        kit::TableView* results = tab.table->searchDisplayController()->searchResultsTableView();
        QVERIFY(results->isVisible());
        QCOMPARE(results->numberOfRowsInSection(0), 2);
        const auto shown = results->visibleCells();
        QCOMPARE(shown.size(), size_t(2));
        // Rows 0 and 2 of the list: two grey rows one after the other.
        for (kit::TableViewCell* cell : shown)
            QCOMPARE(static_cast<contents::ContentCell*>(cell)->label()->backgroundColor(),
                     kit::color(0.9, 0.9, 0.9, 1.0));
    }

    void endingTheSearchShowsEveryRowAgain()
    {
        ContentsTab tab;
        tab.search(QStringLiteral("ожог"));
        QTest::mouseClick(
            tab.table->searchBar()->findChild<QWidget*>(QStringLiteral("searchCancelButton")),
            Qt::LeftButton);
        QVERIFY(!tab.table->searchDisplayController()->isActive());
        QVERIFY(tab.table->searchBar()->text().isEmpty());
        QCOMPARE(tab.table->tableView()->numberOfRowsInSection(0), 6);
        QVERIFY(!tab.table->searchDisplayController()->searchResultsTableView()->isVisible());
        QCOMPARE(
            tab.table->tableView()->cellForRowAtIndexPath({0, 0})->parentWidget()->parentWidget(),
            tab.table->tableView());
    }

    void aRowOpensItsArticleAtTheStoredZoom()
    {
        ContentsTab tab;
        viewer::storeZoom(1.5f);
        QVERIFY(tab.navigation()->isNavigationBarHidden());
        viewer::WebController* viewer = tab.open(0);
        QVERIFY(viewer);
        QCOMPARE(tab.table->openedViewer(), viewer);
        QCOMPARE(viewer->url(),
                 QUrl::fromLocalFile(tab.bundle.filePath(QStringLiteral("burns.html"))));
        QCOMPARE(viewer->fontSize(), 22.5f);
        QCOMPARE(computedFontSize(viewer->webView(), QStringLiteral("#cell")),
                 QStringLiteral("22.5px"));
        // Over an article: the bar with the back button and the zoom button, no title.
        QVERIFY(!tab.navigation()->isNavigationBarHidden());
        QCOMPARE(viewer->navigationItem().rightBarButtonItem(), tab.content->zoom()->zoomButton());
        QCOMPARE(tab.navigation()->navigationBar()->backButton()->text(),
                 QStringLiteral("Содержание"));
        QVERIFY(viewer->title().isEmpty());
        QCOMPARE(tab.table->tableView()->indexPathForSelectedRow(),
                 std::optional<kit::IndexPath>(kit::IndexPath{0, 0}));

        // Back: the bar is hidden again and the row lets go of its highlight.
        QTest::mouseClick(tab.navigation()->navigationBar()->backButton(), Qt::LeftButton);
        QCOMPARE(tab.navigation()->viewControllers().size(), size_t(1));
        QVERIFY(tab.navigation()->isNavigationBarHidden());
        QVERIFY(!tab.table->tableView()->indexPathForSelectedRow());
        QVERIFY(!tab.table->cells()[0]->isSelected());
    }

    void aRowFromTheResultsOpensTheSameArticle()
    {
        ContentsTab tab;
        viewer::WebController* fromList = tab.open(2);
        QVERIFY(fromList);
        const QUrl expected = fromList->url();
        tab.content->close();
        tab.search(QStringLiteral("химич"));
        tab.tapRow(tab.table->searchDisplayController()->searchResultsTableView(), 0);
        auto* fromResults =
            qobject_cast<viewer::WebController*>(tab.navigation()->topViewController());
        QVERIFY(fromResults);
        QCOMPARE(fromResults->url(), expected);
    }

    void resultsLookTheSameAfterComingBackFromAnArticle()
    {
        ContentsTab tab;
        // A search that shows rows the list shows too, so both tables want the same rows.
        tab.search(QStringLiteral("о"));
        kit::TableView* results = tab.table->searchDisplayController()->searchResultsTableView();
        const int rows = results->numberOfRowsInSection(0);
        QVERIFY(rows >= 3);
        // Every row drawn inside the results is one of the results, in its own place.
        const auto rowsInPlace = [&] {
            QCoreApplication::processEvents();
            for (contents::ContentCell* cell : results->findChildren<contents::ContentCell*>()) {
                if (!cell->isVisible())
                    continue;
                int row = 0;
                while (row < rows &&
                       tab.table->filteredCells()[size_t(row)]->text() != cell->text())
                    ++row;
                if (row == rows || cell->geometry() != results->rectForRowAtIndexPath({0, row}))
                    return false;
            }
            return int(results->visibleCells().size()) == rows;
        };
        QVERIFY(rowsInPlace());
        tab.tapRow(results, rows - 1);
        QVERIFY(qobject_cast<viewer::WebController*>(tab.navigation()->topViewController()));
        tab.navigation()->popViewControllerAnimated(true);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(results->isVisible());
        QVERIFY(rowsInPlace());
        // Focus moved on by itself as the article went: the keyboard outline stays away.
        QVERIFY(kit::FocusRing::installed());
        QVERIFY(!kit::FocusRing::installed()->isVisible());
        // The list under the results lays its rows out again as it comes back on a real
        // desktop (the window is made anew for the web engine): here by a resize.
        kit::TableView* list = tab.table->tableView();
        list->resize(list->width(), list->height() - 1);
        list->resize(list->width(), list->height() + 1);
        QVERIFY(rowsInPlace());
        // The row opened stays highlighted, as the list's own rows do not.
        QVERIFY(results->indexPathForSelectedRow());
    }

    void aRecordWithoutAPageOpensNothing()
    {
        ContentsTab tab;
        tab.tapRow(tab.table->tableView(), 4);
        QCOMPARE(tab.navigation()->viewControllers().size(), size_t(1));
        QVERIFY(!tab.table->tableView()->indexPathForSelectedRow());
    }

    void zoomGesture()
    {
        ContentsTab tab;
        viewer::WebController* viewer = tab.open(0);
        QVERIFY(viewer);
        viewer::ZoomControl* zoom = tab.content->zoom();
        kit::BarButton* button = tab.navigation()->navigationBar()->rightButton();

        // The button floats the pane and is disabled while it is up.
        QTest::mouseClick(button, Qt::LeftButton);
        QPointer<kit::ImageView> pane = zoom->sliderView();
        QVERIFY(pane);
        QCOMPARE(pane->parentWidget(), tab.app->shell().window());
        QVERIFY(!zoom->zoomButton()->isEnabled());
        QVERIFY(!button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(zoom->sliderView(), pane.data());

        // Touch-down applies the current value at once.
        kit::Slider* slider = zoom->zoomSlider();
        QCOMPARE(slider->value(), 1.0f);
        QTest::mousePress(slider, Qt::LeftButton, {}, slider->thumbCenter().toPoint());
        QCOMPARE(storedZoom(), QStringLiteral("1.000000"));
        // Dragged to the right end: 30-pixel text, 2.0 stored.
        QTest::mouseMove(slider, QPoint(slider->width() + 40, slider->height() / 2));
        QCOMPARE(storedZoom(), QStringLiteral("2.000000"));
        QVERIFY(waitUntil([&] {
            return computedFontSize(viewer->webView(), QStringLiteral("#text")) ==
                   QLatin1String("30px");
        }));
        QCOMPARE(computedFontSize(viewer->webView(), QStringLiteral("#cell")),
                 QStringLiteral("30px"));
        // The viewer keeps its own size for its next page.
        QCOMPARE(viewer->fontSize(), 15.0f);

        // Lifting the finger takes the pane away and frees the button.
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->width() + 40, 200));
        QVERIFY(!zoom->sliderView());
        QVERIFY(zoom->zoomButton()->isEnabled());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(pane.isNull());

        // A page loaded later in the same viewer gets the viewer's own size; a newly opened article
        // the new zoom.
        QSignalSpy styled(viewer, &viewer::WebController::pageStyled);
        evaluateJavaScript(viewer->webView(),
                           QStringLiteral("document.getElementById('next').click()"));
        QVERIFY(waitUntil([&] { return styled.count() > 0; }));
        QCOMPARE(computedFontSize(viewer->webView(), QStringLiteral("#cell")),
                 QStringLiteral("15px"));
        tab.content->close();
        viewer::WebController* later = tab.open(1);
        QVERIFY(later);
        QCOMPARE(later->fontSize(), 30.0f);
    }

    void leavingTheTabTakesThePaneAwayAndReturnsToTheList()
    {
        ContentsTab tab;
        QVERIFY(tab.open(0));
        tab.content->zoom()->zoomButtonAction();
        QPointer<kit::ImageView> pane = tab.content->zoom()->sliderView();
        QVERIFY(pane);
        QTest::mouseClick(tab.tabBar()->buttonAt(3), Qt::LeftButton);
        QVERIFY(!tab.content->zoom()->sliderView());
        QCOMPARE(tab.navigation()->viewControllers().size(), size_t(1));
        QTest::mouseClick(tab.tabBar()->buttonAt(0), Qt::LeftButton);
        QVERIFY(tab.navigation()->isNavigationBarHidden());
        QVERIFY(tab.content->zoom()->zoomButton()->isEnabled());

        // With only the list, close pops nothing and only hides a pane.
        tab.content->zoom()->zoomButtonAction();
        tab.content->close();
        QVERIFY(!tab.content->zoom()->sliderView());
        QCOMPARE(tab.navigation()->viewControllers().size(), size_t(1));
    }

    void longListsKeepOnlyVisibleRowsInTheView()
    {
        TestStore store;
        TestBundle bundle;
        QString xml = QStringLiteral("<Content>");
        for (int i = 0; i < 2000; ++i)
            xml += QStringLiteral("<Cell><Text>Статья номер %1</Text><Link>a.html</Link></Cell>")
                       .arg(i);
        bundle.write(QStringLiteral("Content.xml"), (xml + QStringLiteral("</Content>")).toUtf8());
        LaunchedApplication app;
        QTest::mouseClick(app.shell().tabBarController()->tabBar()->buttonAt(0), Qt::LeftButton);
        auto* content = qobject_cast<contents::Content*>(
            app.shell().tabBarController()->selectedViewController());
        kit::TableView* table = content->table()->tableView();
        QCOMPARE(table->numberOfRowsInSection(0), 2000);
        const auto onScreen = [&] {
            return table->contentView()
                ->findChildren<contents::ContentCell*>(QString(), Qt::FindDirectChildrenOnly)
                .size();
        };
        QVERIFY(onScreen() > 5);
        QVERIFY(onScreen() < 40);
        table->scrollToRowAtIndexPath({0, 1500});
        QVERIFY(onScreen() < 40);
        QVERIFY(table->cellForRowAtIndexPath({0, 1500}));
        QVERIFY(!table->cellForRowAtIndexPath({0, 0}));
    }
};

FIRSTAID_TEST_MAIN(TestContents)

#include "tst_contents.moc"
