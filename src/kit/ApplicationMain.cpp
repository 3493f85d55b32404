// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicationMain.h"

#include "Accessibility.h"
#include "kit/controllers/Application.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/platform/Screenshot.h"
#include "kit/platform/SingleInstance.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QPointer>

#include <cstdio>
#include <memory>

namespace kit {

namespace {

QStringList argumentList(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Whether the arguments name the option, alone or with "=value".
bool mentions(const QStringList& arguments, const QCommandLineOption& option)
{
    for (const QString& name : option.names()) {
        const QString dashed =
            (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        for (const QString& argument : arguments)
            if (argument == dashed || argument.startsWith(dashed + QLatin1Char('=')))
                return true;
    }
    return false;
}

} // namespace

int applicationMain(int argc, char** argv, const MainInterfaceLoader& loadMainInterface,
                    const std::vector<CommandLineCommand>& commands)
{
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
    for (const CommandLineCommand& command : commands)
        parser.addOption(command.option);

    // A command runs without a window, so without a display: it is found before any GUI exists.
    const QStringList arguments = argumentList(argc, argv);
    for (const CommandLineCommand& command : commands) {
        if (!mentions(arguments, command.option))
            continue;
        std::unique_ptr<QCoreApplication> commandApplication;
        if (command.draws) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            commandApplication = std::make_unique<QGuiApplication>(argc, argv);
        } else {
            commandApplication = std::make_unique<QCoreApplication>(argc, argv);
        }
        QCoreApplication::setApplicationName(QStringLiteral("firstaid"));
        if (!parser.parse(arguments) || !parser.isSet(command.option)) {
            std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
            return 2;
        }
        if (parser.isSet(resources))
            Bundle::setMainBundlePath(parser.value(resources));
        if (parser.isSet(defaults))
            UserDefaults::setStandardPath(parser.value(defaults));
        return command.run(parser.value(command.option));
    }

    // The web engine, loaded later from a module, shares the application's OpenGL contexts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("firstaid"));
    // Ties the window to its desktop entry and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("ru.tkl_apps.FirstAid"));
    QApplication::setApplicationDisplayName(QStringLiteral("Первая помощь"));
    QApplication::setApplicationVersion(QStringLiteral(FIRSTAID_VERSION));
    parser.process(qtApplication);

    if (parser.isSet(resources))
        Bundle::setMainBundlePath(parser.value(resources));
    if (parser.isSet(defaults))
        UserDefaults::setStandardPath(parser.value(defaults));

    // One running copy per card: a second start brings the first forward and quits. A
    // screenshot is a job of its own and never hands over.
    std::unique_ptr<SingleInstance> instance;
    if (!parser.isSet(screenshot)) {
        const bool standardCard =
            !parser.isSet(defaults) && qEnvironmentVariableIsEmpty("FIRSTAID_DEFAULTS");
        instance = std::make_unique<SingleInstance>(QGuiApplication::desktopFileName(),
                                                    UserDefaults::sharedPath(), standardCard);
        if (instance->handOver())
            return 0;
    }

    installAccessibility();
    Application application;
    std::unique_ptr<ApplicationDelegate> delegate = loadMainInterface(application);
    application.setDelegate(delegate.get());
    delegate->applicationDidFinishLaunching(application);

    if (instance) {
        instance->listen([window = QPointer<Window>(application.keyWindow())] {
            if (!window)
                return;
            window->showNormal();
            window->raise();
            window->activateWindow();
        });
    }

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
