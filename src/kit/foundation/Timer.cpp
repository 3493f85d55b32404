// SPDX-License-Identifier: GPL-3.0-or-later
#include "Timer.h"

#include "RunLoop.h"

#include <memory>

namespace kit {

Timer::Timer(double interval, bool repeats, std::function<void()> action)
    // As on the phone, a non-positive interval means the shortest one (0.1 ms).
    : _interval(interval > 0 ? interval : 0.0001), _repeats(repeats), _action(std::move(action))
{
}

Timer* Timer::scheduledTimer(double interval, bool repeats, std::function<void()> action)
{
    std::unique_ptr<Timer> timer(new Timer(interval, repeats, std::move(action)));
    Timer* result = timer.get();
    RunLoop::main().schedule(std::move(timer));
    return result;
}

Timer* Timer::scheduledTimer(double interval, bool repeats, QObject* context,
                             std::function<void()> action)
{
    Timer* timer = scheduledTimer(interval, repeats, std::move(action));
    connect(context, &QObject::destroyed, timer, &Timer::invalidate);
    return timer;
}

void Timer::invalidate()
{
    if (!_valid)
        return;
    _valid = false;
    RunLoop::main().timerInvalidated();
}

} // namespace kit
