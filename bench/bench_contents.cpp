// SPDX-License-Identifier: GPL-3.0-or-later
// The contents tab at scale: for generated lists of 100, 1,000 and 10,000
// records, the time to load the list (read, parse, build and measure every row)
// and the time of one filter pass per keystroke (filter and reload the results);
// then the time from a row's selection to the styled article against a bare
// QWebEngineView loading the same file, both with the engine warm.
// Usage: bench_contents   (runs offscreen unless QT_QPA_PLATFORM is set)

#include "app/ApplicationShell.h"
#include "app/MainInterface.h"
#include "contents/ContentTable.h"
#include "kit/controllers/Application.h"
#include "kit/controllers/NavigationController.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/tables/SearchBar.h"
#include "viewer/WebController.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

bool waitUntil(const std::function<bool()>& condition)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    poll.start(0);
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    if (!condition())
        loop.exec();
    return condition();
}

// Titles of one to several lines, as real ones are.
QString title(int i)
{
    static const QStringList words = {
        QStringLiteral("Ожоги"),      QStringLiteral("кровотечение"), QStringLiteral("перелом"),
        QStringLiteral("реанимация"), QStringLiteral("отравление"),   QStringLiteral("травма"),
        QStringLiteral("головы"),     QStringLiteral("ребёнка"),      QStringLiteral("при"),
        QStringLiteral("укусе"),      QStringLiteral("змеи"),         QStringLiteral("и"),
        QStringLiteral("первая"),     QStringLiteral("помощь")};
    QStringList parts;
    const int length = 2 + (i * 7) % 9;
    for (int w = 0; w < length; ++w)
        parts << words[(i * 31 + w * 17) % words.size()];
    return parts.join(QLatin1Char(' ')) + QStringLiteral(" %1").arg(i);
}

void writeList(const QString& dir, int records)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><Content>");
    for (int i = 0; i < records; ++i)
        xml += QStringLiteral("<Cell><Text>%1</Text><Link>page.html</Link></Cell>").arg(title(i));
    QFile file(QDir(dir).filePath(QStringLiteral("Content.xml")));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write((xml + QStringLiteral("</Content>")).toUtf8());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", dir.path().toLocal8Bit());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);

    kit::UserDefaults::setStandardPath(dir.filePath(QStringLiteral("defaults.json")));
    kit::Bundle::setMainBundlePath(dir.path());
    QFile::copy(QStringLiteral(FIRSTAID_BUNDLE) + QStringLiteral("/cpr.html"),
                dir.filePath(QStringLiteral("page.html")));
    kit::Application app;
    std::unique_ptr<kit::ApplicationDelegate> delegate = app::loadMainInterface(app);

    std::printf("records   load list (median)   filter pass per keystroke (median)\n");
    const QStringList keystrokes = {QStringLiteral("о"),        QStringLiteral("ож"),
                                    QStringLiteral("ожо"),      QStringLiteral("ожог"),
                                    QStringLiteral("травма г"), QStringLiteral("ребёнка")};
    for (int records : {100, 1000, 10000}) {
        writeList(dir.path(), records);
        std::vector<double> loads;
        std::vector<double> filters;
        const int runs = records >= 10000 ? 5 : 15;
        for (int run = 0; run < runs; ++run) {
            auto table = std::make_unique<contents::ContentTable>();
            QElapsedTimer timer;
            timer.start();
            table->view();
            // The rows' widgets are polished once control is back in the event loop:
            // part of the load.
            QCoreApplication::processEvents();
            loads.push_back(milliseconds(timer));

            kit::SearchDisplayController* search = table->searchDisplayController();
            search->setActive(true, false);
            for (const QString& text : keystrokes) {
                QElapsedTimer pass;
                pass.start();
                if (table->shouldReloadTableForSearchString(*search, text))
                    search->searchResultsTableView()->reloadData();
                filters.push_back(milliseconds(pass));
            }
        }
        std::printf("%7d   %10.2f ms           %10.3f ms\n", records, median(loads),
                    median(filters));
    }

    // Opening an article: from the selection of a row to the page styled, against a
    // bare web view loading the same file; the engine is warmed by the first of each.
    writeList(dir.path(), 30);
    auto table = std::make_unique<contents::ContentTable>();
    contents::ContentTable* list = table.get();
    kit::NavigationController navigation(std::move(table));
    navigation.view()->resize(320, 411);
    navigation.view()->show();
    const QUrl page = QUrl::fromLocalFile(dir.filePath(QStringLiteral("page.html")));
    std::vector<double> opens;
    std::vector<double> bares;
    for (int run = 0; run < 16; ++run) {
        QElapsedTimer timer;
        timer.start();
        list->didSelectRowAtIndexPath(*list->tableView(), {0, 1});
        auto* viewer = qobject_cast<viewer::WebController*>(navigation.topViewController());
        bool styled = false;
        QObject::connect(viewer, &viewer::WebController::pageStyled, [&] { styled = true; });
        waitUntil([&] { return styled; });
        const double open = milliseconds(timer);
        navigation.popViewControllerAnimated(false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QElapsedTimer bareTimer;
        bareTimer.start();
        auto* bare = new QWebEngineView();
        bare->resize(320, 411);
        bare->show();
        bool loaded = false;
        QObject::connect(bare, &QWebEngineView::loadFinished, [&] { loaded = true; });
        bare->load(page);
        waitUntil([&] { return loaded; });
        const double bareTime = milliseconds(bareTimer);
        delete bare;
        if (run == 0)
            continue;
        opens.push_back(open);
        bares.push_back(bareTime);
    }
    const double open = median(opens);
    const double bare = median(bares);
    std::printf("\nopen an article: selection to styled page median %.1f ms\n", open);
    std::printf("bare QWebEngineView load of the same file   median %.1f ms\n", bare);
    std::printf("ratio                                       %.2f\n", open / bare);
    delegate.reset();
    return 0;
}
