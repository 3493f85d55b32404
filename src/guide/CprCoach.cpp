// SPDX-License-Identifier: GPL-3.0-or-later
#include "CprCoach.h"

#include "kit/foundation/RunLoop.h"
#include "kit/foundation/Timer.h"

#include <algorithm>

namespace guide {

CprCoach::CprCoach(QObject* parent) : QObject(parent) {}

CprCoach::~CprCoach()
{
    cancelTimer();
}

double CprCoach::elapsed() const
{
    const bool running = _phase == Phase::Compressions || _phase == Phase::Breaths;
    return _elapsedBefore + (running ? kit::RunLoop::main().now() - _stretchStart : 0.0);
}

double CprCoach::breathTimeLeft() const
{
    if (_phase != Phase::Breaths)
        return 0;
    return std::max(0.0, _breathsEnd - kit::RunLoop::main().now());
}

void CprCoach::start()
{
    cancelTimer();
    _count = 0;
    _cycles = 0;
    _swaps = 0;
    _elapsedBefore = 0;
    _stretchStart = kit::RunLoop::main().now();
    beginCompressions();
}

void CprCoach::setMode(Mode mode)
{
    if (mode == _mode)
        return;
    _mode = mode;
    // A cycle already past its new length ends at once: breaths now, or none at all.
    if (_phase == Phase::Compressions && _mode != Mode::CompressionsOnly &&
        _count >= cycleLength()) {
        cancelTimer();
        beginBreaths();
    } else if (_phase == Phase::Breaths && _mode == Mode::CompressionsOnly) {
        breathsGiven();
    }
}

void CprCoach::breathsGiven()
{
    if (_phase != Phase::Breaths)
        return;
    cancelTimer();
    beginCompressions();
}

void CprCoach::pause()
{
    if (_phase != Phase::Compressions && _phase != Phase::Breaths)
        return;
    cancelTimer();
    _elapsedBefore = elapsed();
    setPhase(Phase::Paused);
}

void CprCoach::resume()
{
    if (_phase != Phase::Paused)
        return;
    _stretchStart = kit::RunLoop::main().now();
    // Paused at the end of a cycle or in its breaths, the next cycle begins.
    if (_mode != Mode::CompressionsOnly && _count >= cycleLength()) {
        beginCompressions();
        return;
    }
    // Resumed, the count goes on where it stopped, at the rhythm's pace from now.
    setPhase(Phase::Compressions);
    _runStart = kit::RunLoop::main().now();
    _runBeats = 0;
    onBeat();
}

void CprCoach::stop()
{
    cancelTimer();
    _elapsedBefore = elapsed();
    setPhase(Phase::Stopped);
}

void CprCoach::beginCompressions()
{
    _count = 0;
    ++_cycles;
    setPhase(Phase::Compressions);
    emit cycleBegun(_cycles);
    _runStart = kit::RunLoop::main().now();
    _runBeats = 0;
    onBeat();
}

void CprCoach::beginBreaths()
{
    _breathsEnd = kit::RunLoop::main().now() + breathPause;
    setPhase(Phase::Breaths);
    emit breathsDue();
    if (_phase != Phase::Breaths)
        return; // ended by whoever heard it
    _timer = kit::Timer::scheduledTimer(breathPause, false, this, [this] {
        _timer = nullptr;
        breathsGiven();
    });
}

void CprCoach::scheduleBeat()
{
    // The next beat on the grid of this run, never earlier than now.
    const double due = _runStart + _runBeats * beatInterval;
    const double wait = std::max(0.0, due - kit::RunLoop::main().now());
    _timer = kit::Timer::scheduledTimer(wait, false, this, [this] { onBeat(); });
}

void CprCoach::onBeat()
{
    _timer = nullptr;
    if (_phase != Phase::Compressions)
        return;
    ++_runBeats;
    ++_count;
    if (_mode == Mode::CompressionsOnly && _count > cycleLength()) {
        // Compressions only: the count starts again at 1, a new cycle without a pause.
        _count = 1;
        ++_cycles;
        emit cycleBegun(_cycles);
    }
    emit beat(_count);
    // Every two minutes, at the next beat.
    if (elapsed() >= (_swaps + 1) * swapInterval - 1e-9) {
        ++_swaps;
        emit swapDue(_swaps);
    }
    if (_phase != Phase::Compressions)
        return; // stopped or paused by whoever heard the beat
    if (_mode != Mode::CompressionsOnly && _count >= cycleLength()) {
        // The last compression's beat takes its time before the breaths.
        _timer = kit::Timer::scheduledTimer(beatInterval, false, this, [this] {
            _timer = nullptr;
            beginBreaths();
        });
        return;
    }
    scheduleBeat();
}

void CprCoach::setPhase(Phase phase)
{
    if (phase == _phase)
        return;
    _phase = phase;
    emit phaseChanged(phase);
}

void CprCoach::cancelTimer()
{
    if (_timer)
        _timer->invalidate();
    _timer = nullptr;
}

} // namespace guide
