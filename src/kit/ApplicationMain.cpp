#include "ApplicationMain.h"

#include "Accessibility.h"
#include "kit/controllers/Application.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/platform/Screenshot.h"

#include <QApplication>
#include <QCommandLineParser>

namespace kit {

int applicationMain(int argc, char** argv, const MainInterfaceLoader& loadMainInterface)
{
    // The web engine, loaded later from a module, shares the application's OpenGL contexts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("firstaid"));
    // Ties the window to its desktop entry and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("ru.tkl_apps.FirstAid"));
    QApplication::setApplicationDisplayName(QStringLiteral("Первая помощь"));
    QApplication::setApplicationVersion(QStringLiteral(FIRSTAID_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Первая помощь: a first-aid companion."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save the window as PNG once it has painted, then quit."),
        QStringLiteral("file"));
    const QCommandLineOption defaults(
        QStringLiteral("defaults"),
        QStringLiteral("The settings file to use instead of the standard one "
                       "(also FIRSTAID_DEFAULTS)."),
        QStringLiteral("file"));
    const QCommandLineOption resources(
        QStringLiteral("resources"),
        QStringLiteral("The resource directory (also FIRSTAID_RESOURCES)."), QStringLiteral("dir"));
    parser.addOptions({screenshot, defaults, resources});
    parser.process(qtApplication);

    if (parser.isSet(resources))
        Bundle::setMainBundlePath(parser.value(resources));
    if (parser.isSet(defaults))
        UserDefaults::setStandardPath(parser.value(defaults));

    installAccessibility();
    Application application;
    std::unique_ptr<ApplicationDelegate> delegate = loadMainInterface(application);
    application.setDelegate(delegate.get());
    delegate->applicationDidFinishLaunching(application);

    // Nothing typed into the card may be lost when the window closes.
    QObject::connect(&qtApplication, &QCoreApplication::aboutToQuit,
                     [] { UserDefaults::standardUserDefaults().synchronize(); });

    std::unique_ptr<Screenshot> shot;
    if (parser.isSet(screenshot) && application.keyWindow())
        shot = std::make_unique<Screenshot>(application.keyWindow(), parser.value(screenshot));

    const int result = QApplication::exec();
    const bool shotFailed = shot && !shot->succeeded();
    shot.reset();
    delegate.reset();
    return shotFailed ? 1 : result;
}

} // namespace kit
