#pragma once

#include <functional>
#include <memory>

namespace kit {

class Application;
class ApplicationDelegate;

// Builds the main interface: the window, the root controllers and the delegate,
// which it returns (the delegate owns the rest).
using MainInterfaceLoader = std::function<std::unique_ptr<ApplicationDelegate>(Application&)>;

// The application loop, as the phone's UIApplicationMain: reads the command
// line (--screenshot, --defaults, --resources, --help, --version), loads the main
// interface, tells the delegate that launching has finished and runs the loop.
int applicationMain(int argc, char** argv, const MainInterfaceLoader& loadMainInterface);

} // namespace kit
