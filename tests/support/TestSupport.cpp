#include "TestSupport.h"

#include "app/KavelAppDelegate.h"
#include "app/MainInterface.h"
#include "kit/Application.h"
#include "kit/UserDefaults.h"

#include <QApplication>
#include <QMutex>
#include <QTest>

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
    _delegate = loadMainInterface(*_application);
    _delegate->applicationDidFinishLaunching(*_application);
}

LaunchedApplication::~LaunchedApplication()
{
    _delegate.reset();
    _application.reset();
    // Screens popped or hidden during the test are deleted here, not in the next test.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

KavelAppDelegate& LaunchedApplication::delegate() const
{
    return static_cast<KavelAppDelegate&>(*_delegate);
}

int runTestObjects(int argc, char** argv, const std::vector<std::function<std::unique_ptr<QObject>()>>& makers)
{
    QApplication application(argc, argv);
    int failures = 0;
    for (const auto& make : makers) {
        std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
