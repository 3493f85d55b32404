// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "app/ApplicationShell.h"
#include "app/MainInterface.h"
#include "kit/Accessibility.h"
#include "kit/controllers/Application.h"
#include "kit/controllers/TabBar.h"
#include "kit/controllers/TabBarController.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/platform/WebView.h"
#include "viewer/ReadingZoom.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMutex>
#include <QTest>
#include <QTimer>

namespace {

QMutex logMutex;
QStringList* capturedLines = nullptr;
QtMessageHandler previousHandler = nullptr;

void captureMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    {
        QMutexLocker lock(&logMutex);
        if (capturedLines && type == QtInfoMsg)
            capturedLines->append(message);
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

TestStore::TestStore() : _path(_dir.filePath(QStringLiteral("defaults.json")))
{
    kit::UserDefaults::setStandardPath(_path);
}

TestStore::~TestStore()
{
    kit::UserDefaults::setStandardPath(QString());
}

void TestStore::set(const QString& key, const QString& value)
{
    kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    defaults.setObject(value, key);
    defaults.synchronize();
}

TestBundle::TestBundle()
{
    kit::Bundle::setMainBundlePath(_dir.path());
}

TestBundle::~TestBundle()
{
    kit::Bundle::setMainBundlePath(QString());
}

QString TestBundle::filePath(const QString& name) const
{
    return QDir(_dir.path()).filePath(name);
}

void TestBundle::write(const QString& name, const QByteArray& bytes)
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(file.fileName()));
    file.write(bytes);
}

void TestBundle::copyResource(const QString& name)
{
    const QString source = QDir(qEnvironmentVariable("FIRSTAID_RESOURCES")).filePath(name);
    if (!QFile::copy(source, filePath(name)))
        qFatal("cannot copy %s", qPrintable(source));
}

void TestBundle::writePage(const QString& name, const QString& title, bool withTable,
                           const QString& extraBody)
{
    QString html =
        QStringLiteral("<html><head><meta charset=\"utf-8\"><title>%1</title></head><body>"
                       "<h1>%1</h1><p id=\"text\">Текст статьи.</p>")
            .arg(title);
    if (withTable)
        html +=
            QStringLiteral("<table><tr><td id=\"cell\">Глубина</td><td>5–6 см</td></tr></table>");
    html += extraBody + QStringLiteral("</body></html>");
    write(name, html.toUtf8());
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    if (condition())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    poll.start(2);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return condition();
}

QVariant awaitAnswer(const std::function<void(std::function<void(const QVariant&)>)>& start)
{
    QVariant result;
    bool done = false;
    QEventLoop loop;
    start([&](const QVariant& value) {
        result = value;
        done = true;
        loop.quit();
    });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    if (!done)
        loop.exec();
    return result;
}

QVariant evaluateJavaScript(kit::WebView* page, const QString& script)
{
    return awaitAnswer([&](std::function<void(const QVariant&)> answer) {
        page->evaluateJavaScript(script, std::move(answer));
    });
}

QString computedFontSize(kit::WebView* page, const QString& selector)
{
    return evaluateJavaScript(page, QStringLiteral("(function(){var e=document.querySelector('%1');"
                                                   "return e?getComputedStyle(e).fontSize:'';})()")
                                        .arg(selector))
        .toString();
}

LogCapture::LogCapture()
{
    QMutexLocker lock(&logMutex);
    capturedLines = new QStringList();
    previousHandler = qInstallMessageHandler(captureMessage);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(previousHandler);
    QMutexLocker lock(&logMutex);
    delete capturedLines;
    capturedLines = nullptr;
}

QStringList LogCapture::lines() const
{
    QMutexLocker lock(&logMutex);
    return *capturedLines;
}

int LogCapture::count(const QString& line) const
{
    return int(lines().count(line));
}

LaunchedApplication::LaunchedApplication() : _application(std::make_unique<kit::Application>())
{
    kit::installAccessibility();
    _delegate = app::loadMainInterface(*_application);
    _delegate->applicationDidFinishLaunching(*_application);
}

LaunchedApplication::~LaunchedApplication()
{
    _delegate.reset();
    _application.reset();
    // Screens popped or hidden during the test are deleted here, not in the next test.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

app::ApplicationShell& LaunchedApplication::shell() const
{
    return static_cast<app::ApplicationShell&>(*_delegate);
}

void LaunchedApplication::setArticleZoom(float zoom) const
{
    viewer::storeZoom(zoom);
}

kit::TabBar* LaunchedApplication::tabBar() const
{
    return shell().tabBarController()->tabBar();
}

kit::ViewController* LaunchedApplication::showTab(int index) const
{
    kit::TabBarController* tabs = shell().tabBarController();
    if (tabs->selectedIndex() != index)
        QTest::mouseClick(tabs->tabBar()->buttonAt(index), Qt::LeftButton);
    return tabs->selectedViewController();
}

QByteArray encodedImage(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray pngBytes(int width, int height, const QColor& colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return encodedImage(image);
}

void prepareTestEnvironment()
{
    const std::pair<const char*, QByteArray> defaults[] = {
        {"QT_QPA_PLATFORM", "offscreen"},
        {"XDG_RUNTIME_DIR", FIRSTAID_TEST_RUNTIME},
        {"FIRSTAID_RESOURCES", FIRSTAID_TEST_BUNDLE},
        {"FIRSTAID_DEFAULTS", FIRSTAID_TEST_FORBIDDEN_STORE},
        {"FIRSTAID_WEB_MODULE", FIRSTAID_TEST_WEB_MODULE},
        {"FIRSTAID_SOUND_MODULE", FIRSTAID_TEST_SOUND_MODULE},
        {"FIRSTAID_CAMERA_MODULE", FIRSTAID_TEST_CAMERA_MODULE},
        {"FIRSTAID_PRINT_MODULE", FIRSTAID_TEST_PRINT_MODULE},
        {"FIRSTAID_SEARCH_MODULE", FIRSTAID_TEST_SEARCH_MODULE},
        {"QT_MEDIA_BACKEND", "gstreamer"},
        {"QTWEBENGINE_DISABLE_SANDBOX", "1"},
        {"QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu"},
    };
    for (const auto& [name, value] : defaults)
        if (!qEnvironmentVariableIsSet(name))
            qputenv(name, value);
    // The machine's own power service stays out of every test: a status strip shows a
    // battery only where a test gives it one (on a private bus).
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" FIRSTAID_TEST_RUNTIME "/no-system-bus");
    // Nor does a test start the desktop's speech daemon (which outlives it): the copies of
    // the application it starts find no speech service, and a test that hears the prompts
    // puts its own in place.
    qputenv("SPEECHD_ADDRESS", "unix_socket:" FIRSTAID_TEST_RUNTIME "/no-speech-dispatcher");
    // As in the application, the OpenGL context the web engine shares is made with the first
    // page, not here.
}
