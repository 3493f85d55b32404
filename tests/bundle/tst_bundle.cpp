// SPDX-License-Identifier: GPL-3.0-or-later
// The bundle's content: the contents list, the articles, the scheme and the
// service pages, checked as files and as the web engine renders them.

#include "TestSupport.h"

#include "articlelist/ListLoader.h"
#include "kit/foundation/Bundle.h"
#include "viewer/FontScript.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>
#include <QXmlStreamReader>

#include <functional>
#include <memory>

namespace {

QString bundleFile(const QString& name)
{
    return QDir(kit::Bundle::mainBundle().bundlePath()).filePath(name);
}

QStringList pages()
{
    return QDir(kit::Bundle::mainBundle().bundlePath())
        .entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

// A page's text, as a file.
QString pageText(const QString& page)
{
    QFile file(bundleFile(page));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The pages a page links to.
QStringList linksOf(const QString& page)
{
    static const QRegularExpression href(QStringLiteral("href\\s*=\\s*\"([^\"#:]+\\.html)\""));
    QStringList targets;
    for (auto match = href.globalMatch(pageText(page)); match.hasNext();)
        targets << match.next().captured(1);
    return targets;
}

// A page's main heading, as its text reads (tags and soft hyphens left out, spaces plain).
QString headingOf(const QString& page)
{
    static const QRegularExpression h1(QStringLiteral("<h1[^>]*>(.*?)</h1>"),
                                       QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    QString heading = h1.match(pageText(page)).captured(1);
    heading.remove(tag).remove(QChar(0x00ad)).remove(QLatin1String("&shy;"));
    heading.replace(QLatin1String("&nbsp;"), QLatin1String(" ")).replace(QChar(0x00a0), u' ');
    return heading.replace(QLatin1String("&amp;"), QLatin1String("&")).simplified();
}

// The inline drawings of a page, each as its own text.
QStringList drawingsOf(const QString& page)
{
    static const QRegularExpression svg(QStringLiteral("<svg\\b.*?</svg>"),
                                        QRegularExpression::DotMatchesEverythingOption);
    QStringList drawings;
    for (auto match = svg.globalMatch(pageText(page)); match.hasNext();)
        drawings << match.next().captured(0);
    return drawings;
}

// Loads pages into one web view, the size of the application's viewer, and
// answers questions about them.
class Renderer {
public:
    Renderer()
    {
        _view.resize(320, 411);
        _view.show();
    }

    bool load(const QString& file)
    {
        bool finished = false;
        bool ok = false;
        QEventLoop loop;
        auto connection =
            QObject::connect(&_view, &QWebEngineView::loadFinished, [&](bool success) {
                finished = true;
                ok = success;
                loop.quit();
            });
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        _view.load(QUrl::fromLocalFile(file));
        if (!finished)
            loop.exec();
        QObject::disconnect(connection);
        return ok;
    }

    QVariant evaluate(const QString& script)
    {
        return awaitAnswer([&](std::function<void(const QVariant&)> answer) {
            _view.page()->runJavaScript(script, std::move(answer));
        });
    }

    QJsonObject evaluateJson(const QString& script)
    {
        return QJsonDocument::fromJson(evaluate(script).toString().toUtf8()).object();
    }

private:
    QWebEngineView _view;
};

// What the test reads of a page after the font script has run.
const QString inspection = QStringLiteral(R"JS(
JSON.stringify({
  mode: document.compatMode,
  title: document.title,
  heading: ((document.querySelector('h1') || {}).textContent || '').replace(/\u00ad/g, ''),
  body: getComputedStyle(document.body).fontSize,
  text: Array.from(document.querySelectorAll('p:not(.src), li')).map(e => getComputedStyle(e).fontSize),
  cells: Array.from(document.querySelectorAll('td')).map(e => getComputedStyle(e).fontSize),
  headerCells: document.querySelectorAll('th').length,
  scrollWidth: document.documentElement.scrollWidth,
  width: window.innerWidth
})
)JS");

} // namespace

class TestBundleContent final : public QObject {
    Q_OBJECT

private slots:
    void contentsListLoadsWithoutALogLine()
    {
        LogCapture log;
        std::unique_ptr<articlelist::ListReader> list =
            articlelist::loadList(QStringLiteral("Content"), QStringLiteral("xml"));
        QVERIFY(log.lines().isEmpty());
        QVERIFY2(list->records().size() >= 30, qPrintable(QString::number(list->records().size())));
        QSet<QString> links;
        for (const articlelist::Record& record : list->records()) {
            const QString text = record.value(QStringLiteral("Text"));
            const QString link = record.value(QStringLiteral("Link"));
            QVERIFY2(!text.isEmpty(), qPrintable(link));
            QVERIFY2(QFileInfo(bundleFile(link)).isFile(), qPrintable(link));
            QVERIFY2(!links.contains(link), qPrintable(link));
            links.insert(link);
        }
    }

    void pagesAreSelfContained()
    {
        // Nothing remote: no scheme of a network address, no protocol-relative address,
        // no pictures, stylesheets or scripts from files.
        const QRegularExpression remote(
            QStringLiteral(R"RE((https?|ftp|wss?):|//|www\.|<img|<link|<iframe|src\s*=)RE"),
            QRegularExpression::CaseInsensitiveOption);
        const QRegularExpression doctype(QStringLiteral("<!doctype"),
                                         QRegularExpression::CaseInsensitiveOption);
        const QRegularExpression href(QStringLiteral("href\\s*=\\s*\"([^\"]*)\""));
        QVERIFY(pages().size() >= 35);
        for (const QString& page : pages()) {
            QFile file(bundleFile(page));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(file.readAll());
            QVERIFY2(!remote.match(html).hasMatch(),
                     qPrintable(page + ": " + remote.match(html).captured(0)));
            QVERIFY2(!doctype.match(html).hasMatch(), qPrintable(page));
            for (auto match = href.globalMatch(html); match.hasNext();) {
                const QString target = match.next().captured(1);
                if (target.startsWith(QLatin1String("tel:")) ||
                    target.startsWith(QLatin1String("#")))
                    continue;
                // The application's own help: only the two it has.
                if (target.startsWith(QLatin1String("firstaid:"))) {
                    QVERIFY2(target == QLatin1String("firstaid:steps") ||
                                 target == QLatin1String("firstaid:cpr"),
                             qPrintable(page + " links to " + target));
                    continue;
                }
                QVERIFY2(QFileInfo(bundleFile(target)).isFile(),
                         qPrintable(page + " links to " + target));
            }
        }
    }

    void fontScriptScalesEveryPage()
    {
        Renderer renderer;
        for (const QString& page : pages()) {
            QVERIFY2(renderer.load(bundleFile(page)), qPrintable(page));
            renderer.evaluate(viewer::fontScript(22.5f));
            const QJsonObject facts = renderer.evaluateJson(inspection);
            const QByteArray name = page.toUtf8();
            QCOMPARE(facts.value(QStringLiteral("mode")).toString(), QStringLiteral("BackCompat"));
            QVERIFY2(!facts.value(QStringLiteral("title")).toString().isEmpty(), name);
            QVERIFY2(facts.value(QStringLiteral("title")) == facts.value(QStringLiteral("heading")),
                     name);
            QVERIFY2(facts.value(QStringLiteral("headerCells")).toInt() == 0, name);
            QVERIFY2(facts.value(QStringLiteral("body")).toString() == QLatin1String("22.5px"),
                     name);
            for (const QJsonValue& size : facts.value(QStringLiteral("text")).toArray())
                QVERIFY2(size.toString() == QLatin1String("22.5px"),
                         name + " text " + size.toString().toUtf8());
            for (const QJsonValue& size : facts.value(QStringLiteral("cells")).toArray())
                QVERIFY2(size.toString() == QLatin1String("22.5px"),
                         name + " cell " + size.toString().toUtf8());
        }
    }

    void pagesFitTheScreenAtTheLargestZoom()
    {
        Renderer renderer;
        for (const QString& page : pages()) {
            QVERIFY2(renderer.load(bundleFile(page)), qPrintable(page));
            renderer.evaluate(viewer::fontScript(30.0f));
            const QJsonObject facts = renderer.evaluateJson(inspection);
            QVERIFY2(facts.value(QStringLiteral("scrollWidth")).toInt() <=
                         facts.value(QStringLiteral("width")).toInt(),
                     qPrintable(page));
            // Tables show their cells one under the other at this size, so words stay whole.
            if (!facts.value(QStringLiteral("cells")).toArray().isEmpty())
                QVERIFY2(waitUntil([&] {
                             return renderer.evaluate(QStringLiteral("document.body.className"))
                                        .toString() == QLatin1String("large");
                         }),
                         qPrintable(page));
        }
    }

    void everyListedPageNamesItsSourcesAndMatchesItsTitle()
    {
        std::unique_ptr<articlelist::ListReader> list =
            articlelist::loadList(QStringLiteral("Content"), QStringLiteral("xml"));
        QVERIFY2(list->records().size() >= 49, qPrintable(QString::number(list->records().size())));
        for (const articlelist::Record& record : list->records()) {
            const QString text = record.value(QStringLiteral("Text"));
            const QString link = record.value(QStringLiteral("Link"));
            // The list names the page as the page names itself; titles say «и», not "&".
            QVERIFY2(text == headingOf(link),
                     qPrintable(link + ": \"" + text + "\" / \"" + headingOf(link) + "\""));
            QVERIFY2(!text.contains(QLatin1Char('&')), qPrintable(text));
        }
        for (const QString& page : pages())
            QVERIFY2(pageText(page).contains(QStringLiteral("<p class=\"src\">Источники:")),
                     qPrintable(page));
    }

    void everyPageIsReachable()
    {
        // From the contents list, the scheme tab and the four service pages of the
        // telephones tab, following the pages' links.
        std::unique_ptr<articlelist::ListReader> list =
            articlelist::loadList(QStringLiteral("Content"), QStringLiteral("xml"));
        QStringList queue = {QStringLiteral("Schema.html"), QStringLiteral("gas.html"),
                             QStringLiteral("emerg.html"), QStringLiteral("fire.html"),
                             QStringLiteral("police.html")};
        for (const articlelist::Record& record : list->records())
            queue << record.value(QStringLiteral("Link"));
        QSet<QString> reached;
        while (!queue.isEmpty()) {
            const QString page = queue.takeFirst();
            if (reached.contains(page))
                continue;
            reached.insert(page);
            queue << linksOf(page);
        }
        for (const QString& page : pages())
            QVERIFY2(reached.contains(page), qPrintable(page + " cannot be reached"));
    }

    void noPagePointsAtAColour()
    {
        // "See the red frame" means nothing to a reader who cannot tell red, or to a screen
        // reader: pages name the place instead.
        const QRegularExpression pointing(
            QStringLiteral("(красн|зел[её]н|син|ж[её]лт|сер|оранжев)\\w*\\s+(рамк|блок|полос|фон|"
                           "выделен|квадрат|плашк|окошк)|(выделен|отмечен)\\w*\\s+(красн|"
                           "зел[её]н|син|ж[её]лт|оранжев)"),
            QRegularExpression::CaseInsensitiveOption |
                QRegularExpression::UseUnicodePropertiesOption);
        const QRegularExpression tag(QStringLiteral("<[^>]*>"));
        for (const QString& page : pages()) {
            const QString text = pageText(page).remove(tag);
            const QRegularExpressionMatch match = pointing.match(text);
            QVERIFY2(!match.hasMatch(), qPrintable(page + ": " + match.captured(0)));
        }
    }

    void drawingsAreWholeAndNamed()
    {
        int pagesWithDrawings = 0;
        for (const QString& page : pages()) {
            const QStringList drawings = drawingsOf(page);
            pagesWithDrawings += drawings.isEmpty() ? 0 : 1;
            for (const QString& drawing : drawings) {
                // Well-formed on its own, with a title a screen reader reads out.
                QXmlStreamReader reader(drawing);
                QString title;
                while (!reader.atEnd()) {
                    if (reader.readNext() == QXmlStreamReader::StartElement &&
                        reader.name() == QLatin1String("title") && title.isEmpty())
                        title = reader.readElementText(QXmlStreamReader::IncludeChildElements);
                }
                QVERIFY2(!reader.hasError(),
                         qPrintable(page + ": " + reader.errorString() + " at line " +
                                    QString::number(reader.lineNumber())));
                QVERIFY2(!title.trimmed().isEmpty(),
                         qPrintable(page + ": a drawing without a title"));
                QVERIFY2(drawing.contains(QLatin1String("viewBox")), qPrintable(page));
            }
        }
        QVERIFY2(pagesWithDrawings >= 10, qPrintable(QString::number(pagesWithDrawings)));
    }

    void drawingsGrowWithTheTextAndTheirLabelsStayReadable()
    {
        // Each drawing's box, its frame's, and its labels' sizes as drawn, against the text's.
        const QString measure = QStringLiteral(R"JS(
JSON.stringify({
  body: parseFloat(getComputedStyle(document.body).fontSize),
  screen: window.innerWidth,
  page: document.documentElement.scrollWidth,
  drawings: Array.from(document.querySelectorAll('svg')).map(function (svg) {
    var box = svg.getBoundingClientRect();
    var frame = (svg.closest('figure') || svg.parentElement).getBoundingClientRect();
    var scale = box.width / svg.viewBox.baseVal.width;
    return { width: box.width, height: box.height, frameLeft: frame.left, frameRight: frame.right,
             labels: Array.from(svg.querySelectorAll('text')).map(function (t) {
               return parseFloat(t.getAttribute('font-size') || '16') * scale; }) };
  })
})
)JS");
        Renderer renderer;
        for (const QString& page : pages()) {
            if (drawingsOf(page).isEmpty())
                continue;
            QVERIFY2(renderer.load(bundleFile(page)), qPrintable(page));
            for (float size : {15.0f, 30.0f}) {
                renderer.evaluate(viewer::fontScript(size));
                const QJsonObject facts =
                    QJsonDocument::fromJson(renderer.evaluate(measure).toString().toUtf8())
                        .object();
                const double screen = facts.value(QStringLiteral("screen")).toDouble();
                const double body = facts.value(QStringLiteral("body")).toDouble();
                // The page itself never scrolls sideways: a drawing wider than the column
                // scrolls within its own frame.
                QVERIFY2(facts.value(QStringLiteral("page")).toDouble() <= screen,
                         qPrintable(page));
                const QJsonArray drawings = facts.value(QStringLiteral("drawings")).toArray();
                for (qsizetype i = 0; i < drawings.size(); ++i) {
                    const QJsonObject drawing = drawings.at(i).toObject();
                    const QByteArray where = page.toUtf8() + " drawing " + QByteArray::number(i) +
                                             " at " + QByteArray::number(size);
                    QVERIFY2(drawing.value(QStringLiteral("width")).toDouble() >= 100, where);
                    QVERIFY2(drawing.value(QStringLiteral("height")).toDouble() >= 40, where);
                    QVERIFY2(drawing.value(QStringLiteral("frameLeft")).toDouble() >= 0, where);
                    QVERIFY2(drawing.value(QStringLiteral("frameRight")).toDouble() <= screen,
                             where);
                    // At the base size the whole drawing is in view.
                    if (size == 15.0f)
                        QVERIFY2(drawing.value(QStringLiteral("width")).toDouble() <=
                                     drawing.value(QStringLiteral("frameRight")).toDouble() -
                                         drawing.value(QStringLiteral("frameLeft")).toDouble() +
                                         0.5,
                                 where);
                    // Its labels at least 70 % of the text's size, at every zoom.
                    for (const QJsonValue& label :
                         drawing.value(QStringLiteral("labels")).toArray())
                        QVERIFY2(label.toDouble() >= 0.7 * body,
                                 where + " label " + QByteArray::number(label.toDouble()) +
                                     " px, text " + QByteArray::number(body));
                }
            }
        }
    }

    void metronomeStartsAndStops()
    {
        Renderer renderer;
        QVERIFY(renderer.load(bundleFile(QStringLiteral("cpr.html"))));
        const QString count = QStringLiteral("document.getElementById('metroCount').textContent");
        QCOMPARE(renderer.evaluate(count).toString(), QStringLiteral("0"));
        renderer.evaluate(QStringLiteral("document.getElementById('metroButton').click()"));
        QCOMPARE(renderer.evaluate(count).toString(), QStringLiteral("1"));
        QCOMPARE(
            renderer.evaluate(QStringLiteral("document.getElementById('metroButton').textContent"))
                .toString(),
            QStringLiteral("Стоп"));
        renderer.evaluate(QStringLiteral("document.getElementById('metroButton').click()"));
        QCOMPARE(renderer.evaluate(count).toString(), QStringLiteral("0"));
    }

    void picturesAndSoundArePresent()
    {
        const QList<std::pair<QString, QSize>> pictures = {
            {QStringLiteral("bottomPanelBg.png"), {320, 49}},
            {QStringLiteral("sliderBackPane.png"), {204, 50}},
            {QStringLiteral("btnCancel.png"), {71, 30}},
            {QStringLiteral("noPhoto.png"), {66, 66}},
            {QStringLiteral("aboutBg.png"), {320, 367}},
            {QStringLiteral("sosButton.png"), {180, 180}},
            {QStringLiteral("sosButtonPressed.png"), {180, 180}},
            {QStringLiteral("sosIndicator.png"), {220, 220}},
            {QStringLiteral("iconInfo.png"), {22, 22}},
            {QStringLiteral("btnGas.png"), {30, 88}},
            {QStringLiteral("btnEmerg.png"), {30, 88}},
            {QStringLiteral("btnFire.png"), {30, 88}},
            {QStringLiteral("btnPolice.png"), {30, 88}},
            {QStringLiteral("appRovan.png"), {57, 57}},
            {QStringLiteral("appPex.png"), {57, 57}},
            {QStringLiteral("appSulka.png"), {57, 57}},
            {QStringLiteral("logoTkl.png"), {60, 28}},
        };
        for (const auto& [name, size] : pictures)
            QCOMPARE(QImage(bundleFile(name)).size(), size);
        QFile alarm(bundleFile(QStringLiteral("alarm.aif")));
        QVERIFY(alarm.open(QIODevice::ReadOnly));
        const QByteArray header = alarm.read(12);
        QVERIFY(header.startsWith("FORM"));
        QCOMPARE(header.mid(8, 4), QByteArray("AIFF"));
    }
};

FIRSTAID_TEST_MAIN(TestBundleContent)

#include "tst_bundle.moc"
