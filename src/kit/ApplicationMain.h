// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineOption>

#include <functional>
#include <memory>
#include <vector>

namespace kit {

class Application;
class ApplicationDelegate;

// Builds the main interface: the window, the root controllers and the delegate,
// which it returns (the delegate owns the rest).
using MainInterfaceLoader = std::function<std::unique_ptr<ApplicationDelegate>(Application&)>;

// A command-line option that does its own job instead of showing the window (such as
// a search printed to the terminal): run gets the option's value and gives the exit status.
// It runs with a Qt Core application only, so it needs no display.
struct CommandLineCommand {
    // Its description is the English one; russianDescription is shown where the desktop's
    // language is Russian.
    QCommandLineOption option;
    std::function<int(const QString& value)> run;
    // Draws (fonts, pictures): runs with the GUI classes on the offscreen platform, still
    // without a window or a display.
    bool draws = false;
    QString russianDescription;
};

// A command-line option that starts the window with one of the application's actions (as
// --cpr); a copy already running is asked to perform it instead. The desktop asks for the
// same action by its name.
struct LaunchAction {
    QCommandLineOption option;
    QString name;
    QString russianDescription;
};

// The application loop, as the phone's UIApplicationMain: reads the command
// line (--screenshot, --defaults, --resources, --help, --version and the commands),
// loads the main interface, tells the delegate that launching has finished and runs the
// loop. A command given on the command line runs instead. --help and --version print and
// end (status 0), an unknown option or one without its value prints the usage and ends
// with status 2: all of these before anything looks for a display, and in Russian where
// the desktop's language is Russian.
int applicationMain(int argc, char** argv, const MainInterfaceLoader& loadMainInterface,
                    const std::vector<CommandLineCommand>& commands = {},
                    const std::vector<LaunchAction>& actions = {});

} // namespace kit
