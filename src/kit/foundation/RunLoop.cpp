// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunLoop.h"

#include "Timer.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <functional>

namespace kit {
namespace {

QPointer<RunLoop>& mainLoop()
{
    static QPointer<RunLoop> loop;
    return loop;
}

} // namespace

RunLoop& RunLoop::main()
{
    auto& loop = mainLoop();
    if (!loop)
        loop = new RunLoop();
    return *loop;
}

RunLoop::RunLoop() : QObject(QCoreApplication::instance()), _wakeUp(new QTimer(this))
{
    _monotonic.start();
    _wakeUp->setSingleShot(true);
    _wakeUp->setTimerType(Qt::PreciseTimer);
    connect(_wakeUp, &QTimer::timeout, this, [this] { fireDue(now()); });
}

RunLoop::~RunLoop() = default;

double RunLoop::now() const
{
    if (_manual)
        return _manualNow;
    return double(_monotonic.nsecsElapsed()) / 1e9;
}

QDateTime RunLoop::currentDateTime() const
{
    if (!_manual)
        return QDateTime::currentDateTime();
    return _manualDate.addMSecs(qint64(std::llround((_manualNow - _manualStart) * 1000)));
}

std::vector<Timer*> RunLoop::timers() const
{
    std::vector<Timer*> result;
    for (const auto& timer : _timers)
        if (timer->_valid)
            result.push_back(timer.get());
    std::sort(result.begin(), result.end(), [](const Timer* a, const Timer* b) {
        return a->_fireDate != b->_fireDate ? a->_fireDate < b->_fireDate
                                            : a->_sequence < b->_sequence;
    });
    return result;
}

void RunLoop::schedule(std::unique_ptr<Timer> timer)
{
    timer->_fireDate = now() + timer->_interval;
    timer->_sequence = ++_sequence;
    _timers.push_back(std::move(timer));
    arm();
}

void RunLoop::timerInvalidated()
{
    if (_firing == 0)
        purge();
    arm();
}

Timer* RunLoop::nextDue(double until) const
{
    Timer* next = nullptr;
    for (const auto& timer : _timers) {
        if (!timer->_valid || timer->_fireDate > until)
            continue;
        if (!next || timer->_fireDate < next->_fireDate ||
            (timer->_fireDate == next->_fireDate && timer->_sequence < next->_sequence))
            next = timer.get();
    }
    return next;
}

void RunLoop::fireDue(double until)
{
    ++_firing;
    while (Timer* timer = nextDue(until)) {
        if (_manual)
            _manualNow = timer->_fireDate;
        if (timer->_repeats) {
            timer->_fireDate += timer->_interval;
            // On the real clock a late loop skips the firings it missed, as the phone does.
            if (!_manual && timer->_fireDate <= until) {
                const double missed = std::floor((until - timer->_fireDate) / timer->_interval) + 1;
                timer->_fireDate += missed * timer->_interval;
            }
        } else {
            timer->_valid = false;
        }
        // The action may invalidate this timer or schedule others; keep it alive meanwhile.
        const std::function<void()> action = timer->_action;
        if (action)
            action();
    }
    --_firing;
    if (_firing == 0)
        purge();
    arm();
}

void RunLoop::leaveManualTime()
{
    _manual = nullptr;
    // Timers left behind keep their places relative to real time from here.
    const double shift = now() - _manualNow;
    for (const auto& timer : _timers)
        timer->_fireDate += shift;
    arm();
}

void RunLoop::purge()
{
    std::erase_if(_timers, [](const std::unique_ptr<Timer>& timer) { return !timer->_valid; });
}

void RunLoop::arm()
{
    if (_manual) {
        _wakeUp->stop();
        return;
    }
    double earliest = -1;
    for (const auto& timer : _timers)
        if (timer->_valid && (earliest < 0 || timer->_fireDate < earliest))
            earliest = timer->_fireDate;
    if (earliest < 0) {
        _wakeUp->stop();
        return;
    }
    const double wait = std::max(0.0, earliest - now());
    _wakeUp->start(int(std::ceil(wait * 1000)));
}

ManualClock::ManualClock()
{
    RunLoop& loop = RunLoop::main();
    // A whole second to start from keeps sums of whole intervals exact.
    loop._manualNow = std::ceil(loop.now());
    loop._manualStart = loop._manualNow;
    loop._manualDate = QDateTime::currentDateTime();
    loop._manual = this;
    loop.arm();
}

ManualClock::~ManualClock()
{
    RunLoop& loop = RunLoop::main();
    if (loop._manual == this)
        loop.leaveManualTime();
}

void ManualClock::advance(double seconds)
{
    RunLoop& loop = RunLoop::main();
    const double target = loop._manualNow + std::max(0.0, seconds);
    loop.fireDue(target);
    loop._manualNow = target;
}

double ManualClock::now() const
{
    return RunLoop::main()._manualNow;
}

void ManualClock::setCurrentDateTime(const QDateTime& dateTime)
{
    RunLoop& loop = RunLoop::main();
    loop._manualDate = dateTime;
    loop._manualStart = loop._manualNow;
}

} // namespace kit
