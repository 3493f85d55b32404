// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>

#include <functional>

namespace kit {
class ProgressView;
class Timer;
} // namespace kit

namespace sos {

// Hold to confirm, as the help button and the emergency card's cancel button ask:
// while the finger stays down a progress bar fills by a sixtieth every 0.05 s, and
// after 3 seconds the action runs. Letting go earlier stops it.
class HoldToConfirm final {
public:
    // The timers belong to owner; the progress bar is the owner's too.
    HoldToConfirm(QObject* owner, kit::ProgressView* progress, std::function<void()> confirmed);
    ~HoldToConfirm();
    HoldToConfirm(const HoldToConfirm&) = delete;
    HoldToConfirm& operator=(const HoldToConfirm&) = delete;

    // Shows the progress bar empty and starts the hold; a hold already running starts over
    // instead of leaving a timer behind.
    void begin();
    // Stops the hold's timers; the progress bar is left as it is.
    void stop();

    static constexpr double holdSeconds = 3.0;

private:
    QObject* _owner;
    QPointer<kit::ProgressView> _progress;
    std::function<void()> _confirmed;
    QPointer<kit::Timer> _timer;
    QPointer<kit::Timer> _updater;
};

} // namespace sos
