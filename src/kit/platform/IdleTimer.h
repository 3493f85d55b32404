// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kit {

// Keeps the desktop from blanking or locking the screen: on Linux it holds an
// inhibition of the session's screen saver (org.freedesktop.ScreenSaver) over
// D-Bus. Without a session bus it does nothing and logs one line.
class IdleTimer final {
public:
    static void setDisabled(bool disabled);
    static bool isDisabled();
};

} // namespace kit
