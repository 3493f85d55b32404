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
#include <QLocale>
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

} // namespace

int applicationMain(int argc, char** argv, const MainInterfaceLoader& loadMainInterface,
                    const std::vector<CommandLineCommand>& commands,
                    const std::vector<LaunchAction>& actions)
{
    const bool russian = QLocale::system().language() == QLocale::Russian;
    const auto say = [russian](const char* ru, const char* en) {
        return russian ? QString::fromUtf8(ru) : QString::fromUtf8(en);
    };
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  say("Показать эту справку и выйти.", "Show this help and quit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     say("Показать версию и выйти.", "Show the version and quit."));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        say("Сохранить окно в PNG-файл, как только оно нарисовано, и выйти.",
            "Save the window as PNG once it has painted, then quit."),
        say("файл", "file"));
    const QCommandLineOption defaults(
        QStringLiteral("defaults"),
        say("Файл настроек (карты) вместо обычного (также FIRSTAID_DEFAULTS).",
            "The settings file to use instead of the standard one (also FIRSTAID_DEFAULTS)."),
        say("файл", "file"));
    const QCommandLineOption resources(
        QStringLiteral("resources"),
        say("Папка ресурсов: статьи, картинки, звук (также FIRSTAID_RESOURCES).",
            "The resource directory (also FIRSTAID_RESOURCES)."),
        say("папка", "dir"));
    QList<QCommandLineOption> options{help, version, screenshot, defaults, resources};
    for (const CommandLineCommand& command : commands) {
        QCommandLineOption option = command.option;
        if (russian && !command.russianDescription.isEmpty())
            option.setDescription(command.russianDescription);
        if (!option.valueName().isEmpty() && russian)
            option.setValueName(option.valueName() == QLatin1String("file") ? QStringLiteral("файл")
                                : option.valueName() == QLatin1String("text")
                                    ? QStringLiteral("текст")
                                    : option.valueName());
        options << option;
    }
    for (const LaunchAction& action : actions) {
        QCommandLineOption option = action.option;
        if (russian && !action.russianDescription.isEmpty())
            option.setDescription(action.russianDescription);
        options << option;
    }
    parser.addOptions(options);

    // Help, version and mistakes are answered before anything looks for a display.
    const QStringList arguments = argumentList(argc, argv);
    const auto usage = [&] {
        QString text = say("Первая помощь: справочник первой помощи и экстренная карта.\n\n"
                           "Использование: firstaid [параметры]\n\nПараметры:\n",
                           "Первая помощь: a first-aid companion.\n\n"
                           "Usage: firstaid [options]\n\nOptions:\n");
        for (const QCommandLineOption& option : options) {
            QStringList names;
            for (const QString& name : option.names())
                names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
            QString left = QStringLiteral("  ") + names.join(QStringLiteral(", "));
            if (!option.valueName().isEmpty())
                left += QStringLiteral(" <%1>").arg(option.valueName());
            text += left.leftJustified(28) + QLatin1Char(' ') + option.description() +
                    QLatin1Char('\n');
        }
        return text;
    };
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        const QString error =
            !russian ? parser.errorText()
            : unknown.isEmpty()
                ? QStringLiteral("параметру нужно значение (%1)").arg(parser.errorText())
                : QStringLiteral("неизвестный параметр «%1».").arg(unknown.constFirst());
        std::fprintf(stderr, "firstaid: %s\n\n%s", error.toUtf8().constData(),
                     usage().toUtf8().constData());
        return 2;
    }
    if (parser.isSet(help)) {
        std::printf("%s", usage().toUtf8().constData());
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("firstaid %s\n", FIRSTAID_VERSION);
        return 0;
    }

    // A command runs without a window, so without a display.
    for (const CommandLineCommand& command : commands) {
        if (!parser.isSet(command.option.names().constFirst()))
            continue;
        std::unique_ptr<QCoreApplication> commandApplication;
        if (command.draws) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            commandApplication = std::make_unique<QGuiApplication>(argc, argv);
        } else {
            commandApplication = std::make_unique<QCoreApplication>(argc, argv);
        }
        QCoreApplication::setApplicationName(QStringLiteral("firstaid"));
        if (parser.isSet(resources))
            Bundle::setMainBundlePath(parser.value(resources));
        if (parser.isSet(defaults))
            UserDefaults::setStandardPath(parser.value(defaults));
        // A command without a value of its own may be given one after it (a file).
        return command.run(command.option.valueName().isEmpty()
                               ? parser.positionalArguments().value(0)
                               : parser.value(command.option.names().constFirst()));
    }

    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("firstaid"));
    // Ties the window to its desktop entry and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("ru.tkl_apps.FirstAid"));
    QApplication::setApplicationDisplayName(QStringLiteral("Первая помощь"));
    QApplication::setApplicationVersion(QStringLiteral(FIRSTAID_VERSION));

    if (parser.isSet(resources))
        Bundle::setMainBundlePath(parser.value(resources));
    if (parser.isSet(defaults))
        UserDefaults::setStandardPath(parser.value(defaults));

    QString launchAction;
    for (const LaunchAction& action : actions)
        if (parser.isSet(action.option.names().constFirst()))
            launchAction = action.name;

    // One running copy per card: a second start brings the first forward (with the action
    // asked for) and quits. A screenshot is a job of its own and never hands over.
    std::unique_ptr<SingleInstance> instance;
    if (!parser.isSet(screenshot)) {
        const bool standardCard =
            !parser.isSet(defaults) && qEnvironmentVariableIsEmpty("FIRSTAID_DEFAULTS");
        instance = std::make_unique<SingleInstance>(QGuiApplication::desktopFileName(),
                                                    UserDefaults::sharedPath(), standardCard);
        if (instance->handOver(launchAction))
            return 0;
    }

    installAccessibility();
    Application application;
    std::unique_ptr<ApplicationDelegate> delegate = loadMainInterface(application);
    application.setDelegate(delegate.get());
    delegate->applicationDidFinishLaunching(application);

    if (!launchAction.isEmpty())
        delegate->performAction(application, launchAction);

    if (instance) {
        instance->listen([window = QPointer<Window>(application.keyWindow()),
                          &application](const QString& action) {
            if (!window)
                return;
            window->showNormal();
            window->raise();
            window->activateWindow();
            if (!action.isEmpty() && application.delegate())
                application.delegate()->performAction(application, action);
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
