// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>

#include <memory>
#include <vector>

class QTimer;

namespace kit {

class Timer;
class ManualClock;

// The main run loop's timers: it keeps them, orders them by fire date and fires
// those that fall due. Time comes from a monotonic clock or, in tests, from a
// ManualClock that only moves when told.
class RunLoop final : public QObject {
    Q_OBJECT

public:
    static RunLoop& main();
    ~RunLoop() override;

    // Seconds on the loop's clock.
    double now() const;
    // The date and time of day. Under a ManualClock it stands still with the clock and moves
    // when the clock is advanced, from the moment the clock was made (or the one it was set to).
    QDateTime currentDateTime() const;
    // Timers not yet invalidated, in the order they will fire.
    std::vector<Timer*> timers() const;

private:
    friend class Timer;
    friend class ManualClock;
    RunLoop();

    void schedule(std::unique_ptr<Timer> timer);
    void timerInvalidated();
    void fireDue(double until);
    Timer* nextDue(double until) const;
    void purge();
    void leaveManualTime();
    void arm();

    std::vector<std::unique_ptr<Timer>> _timers;
    QElapsedTimer _monotonic;
    QTimer* _wakeUp;
    const ManualClock* _manual = nullptr;
    double _manualNow = 0;
    // Under a manual clock: the date and time at _manualStart.
    QDateTime _manualDate;
    double _manualStart = 0;
    quint64 _sequence = 0;
    int _firing = 0;
};

// A clock for tests: while it exists, the main run loop's time stands still
// except when advance() moves it, firing every timer that falls due in order.
class ManualClock final {
public:
    ManualClock();
    ~ManualClock();
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    void advance(double seconds);
    double now() const;
    // Sets the date and time the loop reports now; advancing moves it on from there.
    void setCurrentDateTime(const QDateTime& dateTime);
};

} // namespace kit
