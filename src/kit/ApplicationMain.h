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
    QCommandLineOption option;
    std::function<int(const QString& value)> run;
    // Draws (fonts, pictures): runs with the GUI classes on the offscreen platform, still
    // without a window or a display.
    bool draws = false;
};

// The application loop, as the phone's UIApplicationMain: reads the command
// line (--screenshot, --defaults, --resources, --help, --version and the commands),
// loads the main interface, tells the delegate that launching has finished and runs the
// loop. A command given on the command line runs instead; a command given without its
// value ends with status 2.
int applicationMain(int argc, char** argv, const MainInterfaceLoader& loadMainInterface,
                    const std::vector<CommandLineCommand>& commands = {});

} // namespace kit
