#pragma once

#include <memory>

namespace kit {
class Application;
class ApplicationDelegate;
} // namespace kit

// The main interface: the window (key and shown), the tab bar controller with
// its five tab screens and their tab items, and the application delegate that
// owns them and is the tab bar's delegate.
std::unique_ptr<kit::ApplicationDelegate> loadMainInterface(kit::Application& application);
