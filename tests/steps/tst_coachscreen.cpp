// SPDX-License-Identifier: GPL-3.0-or-later
// The CPR coach's screen on the manual clock: a click and a pulse for each of the 30
// compressions, "2 вдоха" and its pause that a key ends, the prompts spoken in order (and
// none with the voice off), one tap for each mode, the call to change helpers, the
// defibrillator's steps with the count held while no one may touch, "Остановить?" asked
// once, the screen kept on, and the count going on without the focus.

#include "StandIns.h"
#include "TestSupport.h"

#include "app/ApplicationShell.h"
#include "kit/controllers/Application.h"
#include "kit/controllers/TabBarController.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/Timer.h"
#include "kit/pickers/AlertView.h"
#include "kit/views/Label.h"
#include "kit/views/TitledButton.h"
#include "steps/CoachParts.h"
#include "steps/CoachScreen.h"
#include "steps/Voice.h"
#include "viewer/HelpBand.h"

#include <QTest>

#include <memory>

namespace {

using Mode = guide::CprCoach::Mode;
using Phase = guide::CprCoach::Phase;
constexpr double beat = guide::CprCoach::beatInterval;

// The application with the coach opened on its own (as --cpr opens it).
struct OpenCoach {
    kit::ManualClock clock;
    SpeechStandIn speech;
    TickStandIn tick;
    TestStore store;
    std::unique_ptr<LaunchedApplication> app;
    steps::CoachScreen* coach = nullptr;

    OpenCoach()
    {
        app = std::make_unique<LaunchedApplication>();
        viewer::openHelp(QStringLiteral("cpr"));
        coach = qobject_cast<steps::CoachScreen*>(
            app->shell().tabBarController()->modalViewController());
    }
    ~OpenCoach()
    {
        for (kit::Timer* timer : kit::RunLoop::main().timers())
            timer->invalidate();
        for (kit::AlertView* alert : kit::AlertView::visibleAlerts())
            alert->dismiss();
    }
};

} // namespace

class TestCoachScreen final : public QObject {
    Q_OBJECT

private slots:
    void thirtyClicksThenTwoBreathsThenTheNextCycle()
    {
        OpenCoach open;
        steps::CoachScreen* coach = open.coach;
        QVERIFY(coach);
        // Counting from the moment it opens: the first compression at once.
        QVERIFY(open.tick.prepared);
        QCOMPARE(open.tick.clicks, 1);
        QCOMPARE(coach->pulse()->text(), QStringLiteral("1"));
        QCOMPARE(open.speech.heard, QStringList{"say: Тридцать нажатий"});
        open.clock.advance(29 * beat + 0.01);
        QCOMPARE(open.tick.clicks, 30);
        QCOMPARE(coach->pulse()->text(), QStringLiteral("30"));
        open.clock.advance(beat);
        QCOMPARE(coach->rhythm().phase(), Phase::Breaths);
        QCOMPARE(coach->pulse()->text(), QStringLiteral("2 вдоха"));
        QCOMPARE(open.speech.heard.last(), QStringLiteral("say: Два вдоха"));
        // No click through the pause, which ends by itself after 6.5 s.
        open.clock.advance(6.4);
        QCOMPARE(open.tick.clicks, 30);
        open.clock.advance(0.1);
        QCOMPARE(open.tick.clicks, 31);
        QCOMPARE(coach->pulse()->text(), QStringLiteral("1"));
        QCOMPARE(coach->cyclesLabel()->text(), QStringLiteral("Циклов: 2"));
        QCOMPARE(open.speech.heard.last(), QStringLiteral("then: Тридцать нажатий"));
        QCOMPARE(coach->clock()->text(), QStringLiteral("Время 00:22"));
    }

    void aKeyEndsTheBreathsSooner()
    {
        OpenCoach open;
        open.clock.advance(30 * beat + 0.01);
        QCOMPARE(open.coach->rhythm().phase(), Phase::Breaths);
        open.clock.advance(3);
        QTest::keyClick(open.coach->pulse(), Qt::Key_Return);
        QCOMPARE(open.coach->rhythm().phase(), Phase::Compressions);
        QCOMPARE(open.tick.clicks, 31);
        // A tap on the count does the same.
        open.clock.advance(30 * beat);
        QCOMPARE(open.coach->rhythm().phase(), Phase::Breaths);
        QTest::mousePress(open.coach->pulse(), Qt::LeftButton);
        QTest::mouseRelease(open.coach->pulse(), Qt::LeftButton);
        QCOMPARE(open.coach->rhythm().phase(), Phase::Compressions);
    }

    void oneTapChangesTheModeWhileItRuns()
    {
        OpenCoach open;
        steps::CoachScreen* coach = open.coach;
        QVERIFY(coach->modeButton(Mode::Standard)->isChosen());
        open.clock.advance(10 * beat + 0.01);
        QTest::mouseClick(coach->modeButton(Mode::CompressionsOnly), Qt::LeftButton);
        QCOMPARE(coach->rhythm().mode(), Mode::CompressionsOnly);
        QVERIFY(coach->modeButton(Mode::CompressionsOnly)->isChosen());
        QVERIFY(!coach->modeButton(Mode::Standard)->isChosen());
        QCOMPARE(open.speech.heard.last(), QStringLiteral("say: Нажимайте без остановки"));
        // No pause for breaths, the count going round, said once only.
        open.speech.heard.clear();
        open.clock.advance(60 * beat);
        QCOMPARE(coach->rhythm().phase(), Phase::Compressions);
        QCOMPARE(open.tick.clicks, 71);
        QCOMPARE(open.speech.heard, QStringList());
        // A child's 15 : 2, by a key: the breaths come after 15.
        QTest::keyClick(coach->pulse(), Qt::Key_3);
        QCOMPARE(coach->rhythm().mode(), Mode::Child);
        QCOMPARE(open.speech.heard.last(),
                 QStringLiteral("say: Ребёнок: пятнадцать нажатий, два вдоха"));
        open.clock.advance(16 * beat);
        QCOMPARE(coach->rhythm().phase(), Phase::Breaths);
    }

    void everyTwoMinutesTheHelpersChange()
    {
        OpenCoach open;
        QVERIFY(open.coach->swapBanner()->isHidden());
        open.coach->setMode(Mode::CompressionsOnly);
        open.speech.heard.clear();
        open.clock.advance(120);
        QVERIFY(!open.coach->swapBanner()->isHidden());
        QCOMPARE(open.coach->swapBanner()->text(),
                 QStringLiteral("Смените помощника, если есть кому"));
        QCOMPARE(open.speech.heard, QStringList{"then: Смена"});
        open.clock.advance(15);
        QVERIFY(open.coach->swapBanner()->isHidden());
        open.clock.advance(105);
        QCOMPARE(open.speech.heard, (QStringList{"then: Смена", "then: Смена"}));
    }

    void theVoiceOffSaysNothingAndTheClicksGoOn()
    {
        OpenCoach open;
        open.coach->voiceSwitch()->toggle();
        QVERIFY(!steps::Voice::isOn());
        open.speech.heard.clear();
        open.clock.advance(40);
        QCOMPARE(open.speech.heard, QStringList());
        QVERIFY(open.tick.clicks > 50);
    }

    void theDefibrillatorsStepsHoldTheCountWhileNoOneMayTouch()
    {
        OpenCoach open;
        steps::CoachScreen* coach = open.coach;
        QVERIFY(!coach->aedButton()->isHidden());
        QTest::mouseClick(coach->aedButton(), Qt::LeftButton);
        QVERIFY(!coach->aedPanel()->isHidden());
        QCOMPARE(coach->aedStep(), 0);
        QVERIFY(coach->aedText()->text().startsWith("Сразу включите АНД"));
        // Pads go on while a helper presses: the clicks go on.
        const int before = open.tick.clicks;
        open.clock.advance(2);
        QVERIFY(open.tick.clicks > before);
        coach->nextAed();
        coach->nextAed();
        coach->nextAed();
        QVERIFY(coach->aedText()->text().contains("Все отошли"));
        QCOMPARE(coach->rhythm().phase(), Phase::Paused);
        const int held = open.tick.clicks;
        open.clock.advance(10);
        QCOMPARE(open.tick.clicks, held);
        // Past the analysis, the count goes on and says so.
        coach->nextAed();
        QCOMPARE(coach->rhythm().phase(), Phase::Compressions);
        QCOMPARE(open.speech.heard.mid(open.speech.heard.size() - 2),
                 (QStringList{"say: " + coach->aedText()->text(), "then: Продолжайте"}));
        // The last step returns to the coach.
        coach->nextAed();
        QVERIFY(coach->aedPanel()->isHidden());
        QCOMPARE(coach->aedStep(), -1);
        QCOMPARE(open.speech.heard.last(), QStringLiteral("say: Продолжайте"));
        QCOMPARE(coach->rhythm().phase(), Phase::Compressions);
        // Back from the analysis step also lets the count go on.
        coach->openAed();
        for (int i = 0; i < 3; ++i)
            coach->nextAed();
        QCOMPARE(coach->rhythm().phase(), Phase::Paused);
        QTest::keyClick(coach->pulse(), Qt::Key_Escape);
        QCOMPARE(coach->aedStep(), 2);
        QCOMPARE(coach->rhythm().phase(), Phase::Compressions);
    }

    void stoppingIsAskedOnceAndTheScreenStaysOnUntilThen()
    {
        OpenCoach open;
        kit::Application* application = kit::Application::sharedApplication();
        QVERIFY(application->isIdleTimerDisabled());
        open.coach->askToStop();
        open.coach->askToStop();
        QTest::keyClick(open.coach->pulse(), Qt::Key_Escape);
        QCOMPARE(kit::AlertView::visibleAlerts().size(), 1);
        kit::AlertView* question = open.coach->stopQuestion();
        QCOMPARE(question->title(), QStringLiteral("Остановить?"));
        // The count goes on while it is asked; "Продолжить" keeps it.
        const int clicks = open.tick.clicks;
        open.clock.advance(2);
        QVERIFY(open.tick.clicks > clicks);
        question->dismissWithButtonIndex(1);
        QCOMPARE(open.coach->rhythm().phase(), Phase::Compressions);
        // "Остановить": gone, silent, the screen free to sleep again.
        open.coach->askToStop();
        open.coach->stopQuestion()->dismissWithButtonIndex(0);
        QVERIFY(!open.app->shell().tabBarController()->modalViewController());
        QVERIFY(!open.tick.prepared);
        QVERIFY(open.speech.stops > 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!application->isIdleTimerDisabled());
        const int after = open.tick.clicks;
        open.clock.advance(5);
        QCOMPARE(open.tick.clicks, after);
    }

    void closingTheWindowOverTheCoachAsksFirst()
    {
        OpenCoach open;
        kit::Application& application = *kit::Application::sharedApplication();
        QVERIFY(!open.app->shell().applicationShouldTerminate(application));
        const QList<kit::AlertView*> alerts = kit::AlertView::visibleAlerts();
        QCOMPARE(alerts.size(), 1);
        QCOMPARE(alerts.front()->title(), QStringLiteral("Остановить помощника СЛР?"));
        // "Отмена": the coach counts on.
        alerts.front()->dismissWithButtonIndex(1);
        const int clicks = open.tick.clicks;
        open.clock.advance(2);
        QVERIFY(open.tick.clicks > clicks);
    }

    void theCountGoesOnWithoutTheFocusAndPausesOnlyWhenAsked()
    {
        OpenCoach open;
        QWidget other;
        other.show();
        other.activateWindow();
        QApplication::setActiveWindow(&other);
        open.clock.advance(10 * beat + 0.01);
        QCOMPARE(open.tick.clicks, 11);
        open.coach->togglePause();
        QCOMPARE(open.coach->pauseButton()->title(), QStringLiteral("Дальше"));
        QCOMPARE(open.coach->pulse()->text(), QStringLiteral("Пауза"));
        const double elapsed = open.coach->rhythm().elapsed();
        open.clock.advance(20);
        QCOMPARE(open.tick.clicks, 11);
        QCOMPARE(open.coach->rhythm().elapsed(), elapsed);
        open.coach->togglePause();
        QCOMPARE(open.tick.clicks, 12);
        QCOMPARE(open.coach->pulse()->text(), QStringLiteral("12"));
        QCOMPARE(open.speech.heard.last(), QStringLiteral("say: Продолжайте"));
    }
};

FIRSTAID_TEST_MAIN(TestCoachScreen)

#include "tst_coachscreen.moc"
