// SPDX-License-Identifier: GPL-3.0-or-later
// Renders a page of the bundle as the article viewer shows it: 320 points wide, its
// text sized by the reading zoom's script, the whole page from top to bottom, as PNG.
// Usage: renderpage PAGE.html OUTPUT.png [ZOOM]   (ZOOM 1.0 to 2.0, default 1.0)
// With RENDER_DRAWINGS=1 in the environment it saves each drawing of the page, with its
// caption, as OUTPUT-drawingN.png instead.

#include "viewer/FontScript.h"

#include <QApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>

#include <cstdio>
#include <cstdlib>

namespace {

void wait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

QVariant evaluate(QWebEngineView& view, const QString& script)
{
    QVariant result;
    QEventLoop loop;
    view.page()->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: renderpage PAGE.html OUTPUT.png [ZOOM]\n");
        return 2;
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    const float zoom = argc > 3 ? std::strtof(argv[3], nullptr) : 1.0f;

    QWebEngineView view;
    view.resize(320, 411);
    view.show();
    bool loaded = false;
    QEventLoop loop;
    QObject::connect(&view, &QWebEngineView::loadFinished, [&](bool ok) {
        loaded = ok;
        loop.quit();
    });
    view.load(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1])));
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    loop.exec();
    if (!loaded) {
        std::fprintf(stderr, "renderpage: %s did not load\n", argv[1]);
        return 1;
    }
    evaluate(view, viewer::fontScript(zoom * viewer::baseFontSize));
    wait(300);
    // The whole page: the view as tall as the page, then a repaint before the grab.
    const int height =
        evaluate(view, QStringLiteral("document.documentElement.scrollHeight")).toInt();
    const int width =
        evaluate(view, QStringLiteral("document.documentElement.scrollWidth")).toInt();
    view.resize(320, std::max(411, height));
    wait(600);
    const QImage page = view.grab().toImage();
    const QString output = QString::fromLocal8Bit(argv[2]);
    if (qEnvironmentVariableIntValue("RENDER_DRAWINGS")) {
        const QJsonArray boxes = QJsonDocument::fromJson(evaluate(view, QStringLiteral(R"JS(
JSON.stringify(Array.from(document.querySelectorAll('svg')).map(function (svg) {
  var box = (svg.closest('figure') || svg).getBoundingClientRect();
  return [box.left, box.top + window.scrollY, box.width, box.height];
})))JS"))
                                                             .toString()
                                                             .toUtf8())
                                     .array();
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            const QJsonArray box = boxes.at(i).toArray();
            const QRect area =
                QRect(0, int(box.at(1).toDouble()) - 6, 320, int(box.at(3).toDouble()) + 12)
                    .intersected(page.rect());
            QString name = output;
            name.replace(QLatin1String(".png"), QStringLiteral("-drawing%1.png").arg(i + 1));
            page.copy(area).save(name, "PNG");
            std::printf("%s\n", qPrintable(name));
        }
        return 0;
    }
    if (!page.save(output, "PNG")) {
        std::fprintf(stderr, "renderpage: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%s: %d x %d at zoom %.2f%s\n", argv[2], 320, std::max(411, height), double(zoom),
                width > 320 ? " (WIDER THAN THE SCREEN)" : "");
    return 0;
}
