// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

namespace kit {
class Application;
class ApplicationDelegate;
} // namespace kit

namespace app {

// The tab bar's tabs, in their order. A fresh installation opens on the card, so
// the owner fills it in; once the card is complete, on SOS, one hold from help.
enum TabIndex : int {
    ContentsTab = 0,
    SchemeTab = 1,
    TelephonesTab = 2,
    CardTab = 3,
    SosTab = 4,
};

// The main interface: the window (key and shown), the tab bar controller with
// its five tab screens and their tab items, the look the bars share, and the
// application's shell that owns them and is the tab bar's delegate.
std::unique_ptr<kit::ApplicationDelegate> loadMainInterface(kit::Application& application);

} // namespace app
