// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "kit/foundation/RunLoop.h"
#include "kit/foundation/Timer.h"

#include <QPointer>
#include <QTest>

#include <memory>
#include <vector>

class TestTimers final : public QObject {
    Q_OBJECT

private slots:
    void timersFireInOrderOfTheirFireDates()
    {
        kit::ManualClock clock;
        QStringList fired;
        kit::Timer::scheduledTimer(3.0, false, [&] { fired << QStringLiteral("hold"); });
        kit::Timer::scheduledTimer(1.0, true, [&] { fired << QStringLiteral("second"); });
        kit::Timer::scheduledTimer(1.0, false, [&] { fired << QStringLiteral("once"); });

        clock.advance(0.999);
        QVERIFY(fired.isEmpty());
        clock.advance(2.5);
        // Equal fire dates keep the order the timers were scheduled in.
        QCOMPARE(fired, (QStringList{QStringLiteral("second"), QStringLiteral("once"),
                                     QStringLiteral("second"), QStringLiteral("hold"),
                                     QStringLiteral("second")}));
        cleanUp();
    }

    void repeatingTimerFiresEveryIntervalWithItsClockTime()
    {
        kit::ManualClock clock;
        const double start = clock.now();
        std::vector<double> times;
        QPointer<kit::Timer> tick =
            kit::Timer::scheduledTimer(0.05f, true, [&] { times.push_back(clock.now()); });
        clock.advance(3600);
        // An hour of ticks, each at its own moment.
        QCOMPARE(times.size(), size_t(3600 / double(0.05f)));
        QVERIFY(qFuzzyCompare(times.front() - start, double(0.05f)));
        QVERIFY(qFuzzyCompare(times.back() - start, times.size() * double(0.05f)));
        QVERIFY(tick && tick->isValid());
        tick->invalidate();
        clock.advance(1);
        QCOMPARE(times.size(), size_t(3600 / double(0.05f)));
    }

    void timerOfAContextGoesWithIt()
    {
        kit::ManualClock clock;
        int ticks = 0;
        auto context = std::make_unique<QObject>();
        QPointer<kit::Timer> tick =
            kit::Timer::scheduledTimer(1.0, true, context.get(), [&] { ++ticks; });
        clock.advance(2);
        QCOMPARE(ticks, 2);
        context.reset();
        QVERIFY(tick.isNull());
        QVERIFY(kit::RunLoop::main().timers().empty());
        clock.advance(5);
        QCOMPARE(ticks, 2);

        // A context that goes while its timer fires: the rest of the run still happens.
        auto owner = std::make_unique<QObject>();
        int later = 0;
        kit::Timer::scheduledTimer(1.0, false, owner.get(), [&] { owner.reset(); });
        kit::Timer::scheduledTimer(1.0, false, [&] { ++later; });
        clock.advance(1);
        QVERIFY(!owner);
        QCOMPARE(later, 1);
        QVERIFY(kit::RunLoop::main().timers().empty());
    }

    void oneShotTimerFiresOnceAndIsThenForgotten()
    {
        kit::ManualClock clock;
        int count = 0;
        QPointer<kit::Timer> timer = kit::Timer::scheduledTimer(3.0, false, [&] { ++count; });
        clock.advance(10);
        QCOMPARE(count, 1);
        // The run loop owned it and has let it go.
        QVERIFY(timer.isNull());
        QVERIFY(kit::RunLoop::main().timers().empty());
    }

    void invalidatedTimersStopFiringEvenFromTheirOwnAction()
    {
        kit::ManualClock clock;
        int progress = 0;
        int other = 0;
        QPointer<kit::Timer> progressTimer;
        progressTimer = kit::Timer::scheduledTimer(0.05f, true, [&] {
            if (++progress == 3)
                progressTimer->invalidate();
        });
        QPointer<kit::Timer> otherTimer = kit::Timer::scheduledTimer(0.1, true, [&] { ++other; });
        clock.advance(1.05);
        QCOMPARE(progress, 3);
        QCOMPARE(other, 10);
        QVERIFY(progressTimer.isNull());

        otherTimer->invalidate();
        QVERIFY(otherTimer.isNull());
        clock.advance(1);
        QCOMPARE(other, 10);
    }

    void timerScheduledByAnActionFiresWhenItFallsDue()
    {
        kit::ManualClock clock;
        QStringList fired;
        kit::Timer::scheduledTimer(1.0, false, [&] {
            fired << QStringLiteral("first");
            kit::Timer::scheduledTimer(0.5, false, [&] { fired << QStringLiteral("second"); });
        });
        kit::Timer::scheduledTimer(1.2, false, [&] { fired << QStringLiteral("between"); });
        clock.advance(2);
        QCOMPARE(fired, (QStringList{QStringLiteral("first"), QStringLiteral("between"),
                                     QStringLiteral("second")}));
    }

    void realClockFiresFromTheEventLoop()
    {
        bool fired = false;
        QPointer<kit::Timer> timer = kit::Timer::scheduledTimer(0.0, false, [&] { fired = true; });
        QTRY_VERIFY(fired);
        QTRY_VERIFY(timer.isNull());
    }

private:
    void cleanUp()
    {
        for (kit::Timer* timer : kit::RunLoop::main().timers())
            timer->invalidate();
    }

private slots:
    void cleanup() { cleanUp(); }
};

FIRSTAID_TEST_MAIN(TestTimers)

#include "tst_timers.moc"
