// SPDX-License-Identifier: GPL-3.0-or-later
// The CPR coach's rhythm on the manual clock: 110 beats a minute on a grid that does not
// drift, the breath pause and a tap that ends it, the two-minute change of helpers, the
// compressions-only and child modes, a pause that stops the count and the time.

#include "TestSupport.h"

#include "guide/CprCoach.h"
#include "kit/foundation/RunLoop.h"

#include <QTest>

#include <cmath>

#include <vector>

namespace {

using guide::CprCoach;

// What the coach did, and when, on the run loop's clock.
struct Heard {
    explicit Heard(CprCoach& coach)
    {
        QObject::connect(&coach, &CprCoach::beat, [this](int count) {
            beats.push_back(kit::RunLoop::main().now());
            counts.push_back(count);
        });
        QObject::connect(&coach, &CprCoach::breathsDue,
                         [this] { breaths.push_back(kit::RunLoop::main().now()); });
        QObject::connect(&coach, &CprCoach::swapDue,
                         [this](int) { swaps.push_back(kit::RunLoop::main().now()); });
    }
    std::vector<double> beats;
    std::vector<int> counts;
    std::vector<double> breaths;
    std::vector<double> swaps;
};

constexpr double beat = CprCoach::beatInterval;

} // namespace

class TestCprCoach final : public QObject {
    Q_OBJECT

private slots:
    void thirtyBeatsAt110AMinuteThenTwoBreaths()
    {
        kit::ManualClock clock;
        CprCoach coach;
        Heard heard(coach);
        const double start = kit::RunLoop::main().now();
        coach.start();
        // The first beat at once: seconds matter more than settings.
        QCOMPARE(heard.counts, std::vector<int>{1});
        // In steps of a tenth of a second, as a loaded machine's timers fire.
        for (int i = 0; i < 170; ++i)
            clock.advance(0.1);
        QCOMPARE(heard.counts.size(), size_t(30));
        for (size_t i = 0; i < heard.beats.size(); ++i) {
            QCOMPARE(heard.counts[i], int(i) + 1);
            // On the grid, never late by more than the clock's step, never drifting.
            QVERIFY(heard.beats[i] >= start + double(i) * beat - 1e-9);
            QVERIFY(heard.beats[i] < start + double(i) * beat + 0.1);
        }
        QCOMPARE(heard.breaths.size(), size_t(1));
        QVERIFY(std::abs(heard.breaths[0] - (start + 30 * beat)) < 0.1 + 1e-9);
        QCOMPARE(coach.phase(), CprCoach::Phase::Breaths);
        // The pause ends by itself after 6.5 s: the next cycle counts from 1.
        clock.advance(heard.breaths[0] + CprCoach::breathPause - kit::RunLoop::main().now());
        QCOMPARE(coach.phase(), CprCoach::Phase::Compressions);
        QCOMPARE(coach.cycles(), 2);
        QCOMPARE(heard.counts.back(), 1);
        QCOMPARE(heard.counts.size(), size_t(31));
    }

    void aTapEndsTheBreathsAtOnce()
    {
        kit::ManualClock clock;
        CprCoach coach;
        Heard heard(coach);
        coach.start();
        clock.advance(30 * beat + 0.01);
        QCOMPARE(coach.phase(), CprCoach::Phase::Breaths);
        clock.advance(2.0);
        coach.breathsGiven();
        QCOMPARE(coach.phase(), CprCoach::Phase::Compressions);
        QCOMPARE(heard.counts.back(), 1);
        // The pause's own end does not start another cycle later.
        clock.advance(5.0);
        QCOMPARE(coach.cycles(), 2);
    }

    void everyTwoMinutesTheHelpersChange()
    {
        kit::ManualClock clock;
        CprCoach coach;
        Heard heard(coach);
        coach.start();
        for (int i = 0; i < 2500; ++i)
            clock.advance(0.1);
        // 250 s: two changes, each at the first beat after its two minutes.
        QCOMPARE(heard.swaps.size(), size_t(2));
        QVERIFY(heard.swaps[0] >= 120 && heard.swaps[0] < 120 + CprCoach::breathPause + beat);
        QVERIFY(heard.swaps[1] >= 240 && heard.swaps[1] < 240 + CprCoach::breathPause + beat);
    }

    void compressionsOnlyNeverPauses()
    {
        kit::ManualClock clock;
        CprCoach coach;
        Heard heard(coach);
        coach.setMode(CprCoach::Mode::CompressionsOnly);
        coach.start();
        for (int i = 0; i < 600; ++i)
            clock.advance(0.1);
        // 60 s at 110 a minute: the beats at 0 s and every beat after, up to 60 s.
        QCOMPARE(heard.beats.size(), size_t(111));
        QVERIFY(heard.breaths.empty());
        // Counted 1 to 30, again and again.
        QCOMPARE(heard.counts[30], 1);
        QCOMPARE(coach.cycles(), 4);
    }

    void theModeChangesWhileItRuns()
    {
        kit::ManualClock clock;
        CprCoach coach;
        Heard heard(coach);
        coach.start();
        clock.advance(19 * beat + 0.01); // 20 compressions given
        // A child: 15 a cycle; past that already, the breaths come at once.
        coach.setMode(CprCoach::Mode::Child);
        QCOMPARE(coach.phase(), CprCoach::Phase::Breaths);
        coach.breathsGiven();
        clock.advance(15 * beat + 0.01);
        QCOMPARE(heard.breaths.size(), size_t(2));
        // Then no breaths: the pause ends at once.
        coach.setMode(CprCoach::Mode::CompressionsOnly);
        QCOMPARE(coach.phase(), CprCoach::Phase::Compressions);
    }

    void aPauseStopsTheBeatsAndTheTime()
    {
        kit::ManualClock clock;
        CprCoach coach;
        Heard heard(coach);
        coach.start();
        clock.advance(9 * beat + 0.01);
        QCOMPARE(coach.count(), 10);
        coach.pause();
        const double elapsed = coach.elapsed();
        clock.advance(30.0);
        QCOMPARE(heard.counts.size(), size_t(10));
        QCOMPARE(coach.elapsed(), elapsed);
        coach.resume();
        QCOMPARE(coach.count(), 11);
        clock.advance(beat + 0.01);
        QCOMPARE(coach.count(), 12);
        coach.stop();
        clock.advance(10.0);
        QCOMPARE(coach.count(), 12);
        QCOMPARE(coach.phase(), CprCoach::Phase::Stopped);
    }

    void pausedInTheBreathsANewCycleFollows()
    {
        kit::ManualClock clock;
        CprCoach coach;
        Heard heard(coach);
        coach.start();
        clock.advance(30 * beat + 0.01);
        QCOMPARE(coach.phase(), CprCoach::Phase::Breaths);
        clock.advance(2.0);
        QVERIFY(std::abs(coach.breathTimeLeft() - (CprCoach::breathPause - 2.01)) < 1e-6);
        coach.pause();
        QCOMPARE(coach.breathTimeLeft(), 0.0);
        clock.advance(20.0);
        QCOMPARE(heard.breaths.size(), size_t(1));
        // Not a 31st compression and a second pause: the next cycle, from 1.
        coach.resume();
        QCOMPARE(coach.count(), 1);
        QCOMPARE(coach.cycles(), 2);
        QCOMPARE(coach.phase(), CprCoach::Phase::Compressions);
    }
};

FIRSTAID_TEST_MAIN(TestCprCoach)

#include "tst_cprcoach.moc"
