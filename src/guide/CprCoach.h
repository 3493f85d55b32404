// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

namespace kit {
class Timer;
}

namespace guide {

// The rhythm of chest compressions, as a helper follows it: a beat at 110 a minute, counted
// 1 to 30 (15 for a child), then a pause for two breaths of up to 6.5 seconds that a tap
// ends sooner, then the next cycle; compressions only, without the pause, for a helper who
// does not give breaths. Every two minutes of coaching it says to change helpers. It counts
// from the moment it starts; the mode changes while it runs. Beats fall on a fixed grid
// from the start of each run of compressions, so they never drift.
class CprCoach final : public QObject {
    Q_OBJECT

public:
    enum class Mode { Standard, CompressionsOnly, Child };
    enum class Phase { Stopped, Compressions, Breaths, Paused };

    static constexpr double beatsPerMinute = 110;
    static constexpr double beatInterval = 60.0 / beatsPerMinute;
    static constexpr double breathPause = 6.5;
    static constexpr double swapInterval = 120;

    explicit CprCoach(QObject* parent = nullptr);
    ~CprCoach() override;

    Mode mode() const { return _mode; }
    Phase phase() const { return _phase; }
    // The compression just given in this cycle (0 before the first).
    int count() const { return _count; }
    // Compressions in a cycle: 30, or 15 for a child.
    int cycleLength() const { return _mode == Mode::Child ? 15 : 30; }
    // Cycles begun since the start.
    int cycles() const { return _cycles; }
    // Seconds since the start (pauses not counted).
    double elapsed() const;
    // Seconds left of the breath pause (0 outside it).
    double breathTimeLeft() const;

    void start();
    void setMode(Mode mode);
    // The breaths are given (a tap, Space): compressions start again at once.
    void breathsGiven();
    void pause();
    void resume();
    void stop();

signals:
    // A compression now: the click, the pulse and the count.
    void beat(int count);
    // The cycle's compressions are done: two breaths now.
    void breathsDue();
    // A new cycle of compressions begins.
    void cycleBegun(int cycle);
    // Two more minutes: change helpers if someone can take over.
    void swapDue(int swap);
    void phaseChanged(Phase phase);

private:
    void beginCompressions();
    void beginBreaths();
    void scheduleBeat();
    void onBeat();
    void setPhase(Phase phase);
    void cancelTimer();

    Mode _mode = Mode::Standard;
    Phase _phase = Phase::Stopped;
    int _count = 0;
    int _cycles = 0;
    int _swaps = 0;
    // The run loop's time when the present run of compressions began, and its beats so far.
    double _runStart = 0;
    int _runBeats = 0;
    // Coaching time gathered before the present stretch, and when that stretch began.
    double _elapsedBefore = 0;
    double _stretchStart = 0;
    // When the present breath pause ends by itself.
    double _breathsEnd = 0;
    QPointer<kit::Timer> _timer;
};

} // namespace guide
