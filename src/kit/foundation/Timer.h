// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

namespace kit {

class RunLoop;

// A timer scheduled on the main run loop, which owns it. A one-shot timer is
// invalidated after it fires; invalidate() stops any timer. Keep a QPointer to a
// timer: the run loop deletes invalidated timers.
class Timer final : public QObject {
    Q_OBJECT

public:
    // interval in seconds; a repeating timer fires every interval after the first.
    static Timer* scheduledTimer(double interval, bool repeats, std::function<void()> action);
    // The same for a timer that belongs to context: destroying the context invalidates it,
    // so the action never runs on an object that is gone (as QTimer::singleShot's context).
    static Timer* scheduledTimer(double interval, bool repeats, QObject* context,
                                 std::function<void()> action);

    void invalidate();
    bool isValid() const { return _valid; }

private:
    friend class RunLoop;
    Timer(double interval, bool repeats, std::function<void()> action);

    double _interval;
    bool _repeats;
    std::function<void()> _action;
    double _fireDate = 0;
    quint64 _sequence = 0;
    bool _valid = true;
};

} // namespace kit
