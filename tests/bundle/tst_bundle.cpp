// The bundle's content: the contents list, the articles, the scheme and the
// service pages, checked as files and as the web engine renders them.

#include "TestSupport.h"

#include "content/ListLoader.h"
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
#include <QTest>
#include <QTimer>
#include <QWebEngineView>

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
        std::unique_ptr<XMLParser> list =
            loadList(QStringLiteral("Content"), QStringLiteral("xml"));
        QVERIFY(log.lines().isEmpty());
        QVERIFY2(list->elements().size() >= 30,
                 qPrintable(QString::number(list->elements().size())));
        QSet<QString> links;
        for (const Record& record : list->elements()) {
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
