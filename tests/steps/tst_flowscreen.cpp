// SPDX-License-Identifier: GPL-3.0-or-later
// The step-by-step help as a helper goes through it: the main paths walked by answers, the
// keys, "Назад" that never traps, the breathing check's ten seconds and the minute's
// reminder on the manual clock, the spoken steps and the voice switch, the notice where
// there is no speech, a damaged file, and the ways in (the band over the contents, the
// pages' links, the desktop's action).

#include "StandIns.h"
#include "TestSupport.h"

#include "app/ApplicationShell.h"
#include "contents/Content.h"
#include "contents/ContentTable.h"
#include "kit/controllers/Application.h"
#include "kit/controllers/TabBarController.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/Timer.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/pickers/AlertView.h"
#include "kit/views/ImageView.h"
#include "kit/views/Label.h"
#include "kit/views/TitledButton.h"
#include "steps/CoachScreen.h"
#include "steps/FlowScreen.h"
#include "steps/Voice.h"
#include "viewer/HelpBand.h"
#include "viewer/ReadingZoom.h"
#include "viewer/WebController.h"

#include <QFile>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// The application with the step-by-step help open over it, on the manual clock, its speech
// and clicks heard by stand-ins.
struct OpenHelp {
    kit::ManualClock clock;
    SpeechStandIn speech;
    TickStandIn tick;
    TestStore store;
    std::unique_ptr<LaunchedApplication> app;

    explicit OpenHelp(const QString& what = QStringLiteral("steps"))
    {
        app = std::make_unique<LaunchedApplication>();
        if (!what.isEmpty())
            viewer::openHelp(what);
    }
    ~OpenHelp()
    {
        for (kit::Timer* timer : kit::RunLoop::main().timers())
            timer->invalidate();
        for (kit::AlertView* alert : kit::AlertView::visibleAlerts())
            alert->dismiss();
    }
    kit::TabBarController* tabs() const { return app->shell().tabBarController(); }
    steps::FlowScreen* flow() const
    {
        return qobject_cast<steps::FlowScreen*>(tabs()->modalViewController());
    }
    steps::CoachScreen* coach() const
    {
        if (steps::FlowScreen* screen = flow())
            return screen->coach();
        return qobject_cast<steps::CoachScreen*>(tabs()->modalViewController());
    }
    // Answers by the buttons' indexes, from the step shown.
    void answer(const QList<int>& answers) const
    {
        for (int index : answers)
            flow()->answer(index);
    }
};

// Answers from the start: safe, no heavy bleeding, no response, help called.
const QList<int> toBreathingCheck{0, 1, 1, 0};

} // namespace

class TestFlowScreen final : public QObject {
    Q_OBJECT

private slots:
    void theMainPathsLeadWhereTheSchemeSays_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("step");
        QTest::addColumn<bool>("drawing");
        QTest::newRow("danger: stay away") << QList<int>{1} << "danger" << false;
        QTest::newRow("heavy bleeding: press") << QList<int>{0, 0} << "bleed_press" << true;
        QTest::newRow("breathing, no neck injury: on the side")
            << (toBreathingCheck + QList<int>{0, 1}) << "recovery" << true;
        QTest::newRow("breathing, unsure of the neck: hold the head")
            << (toBreathingCheck + QList<int>{0, 2}) << "neck_hold" << false;
        QTest::newRow("responds and chokes, an infant")
            << QList<int>{0, 1, 0, 0, 2} << "infant_back" << true;
    }

    void theMainPathsLeadWhereTheSchemeSays()
    {
        QFETCH(QList<int>, answers);
        QFETCH(QString, step);
        QFETCH(bool, drawing);
        OpenHelp help;
        QVERIFY(help.flow());
        QCOMPARE(help.flow()->step().id, QStringLiteral("safety"));
        help.answer(answers);
        QCOMPARE(help.flow()->step().id, step);
        QCOMPARE(help.flow()->instruction()->text(), help.flow()->step().text);
        QCOMPARE(!help.flow()->drawing()->isHidden(), drawing);
        if (drawing)
            QVERIFY(!help.flow()->drawing()->image().isNull());
        // Every answer is a large button, inside the window.
        QWidget* view = help.flow()->view();
        for (int i = 0; i < help.flow()->buttonCount(); ++i) {
            kit::TitledButton* button = help.flow()->button(i);
            QVERIFY(button->height() >= 48);
            QVERIFY(
                view->rect().contains(QRect(button->mapTo(view, QPoint(0, 0)), button->size())));
        }
        // The path can be walked back to the start, one step at a time.
        for (qsizetype i = 1; i < qsizetype(help.flow()->path().size());)
            help.flow()->goBack();
        QCOMPARE(help.flow()->step().id, QStringLiteral("safety"));
    }

    void notBreathingOpensTheCoachAndLeavingItComesBack()
    {
        {
            OpenHelp help;
            help.answer(toBreathingCheck + QList<int>{2}); // "Не знаю" is the safer branch
            QVERIFY(help.coach());
            QCOMPARE(help.flow()->step().id, QStringLiteral("breath_check"));
            QCOMPARE(help.coach()->rhythm().mode(), guide::CprCoach::Mode::Standard);
            QVERIFY(help.coach()->instruction()->text().startsWith("Давите на центр груди"));
            help.coach()->askToStop();
            QVERIFY(help.coach()->stopQuestion());
            help.clock.advance(4);
            help.coach()->stopQuestion()->dismissWithButtonIndex(0);
            QVERIFY(!help.coach());
            QCOMPARE(help.flow()->step().id, QStringLiteral("breath_check"));
            // Its ten seconds start again, and it is said again.
            QCOMPARE(help.flow()->countdown()->text(), QStringLiteral("10 с"));
            QCOMPARE(help.speech.heard.last(), "say: " + help.flow()->step().text);
            help.clock.advance(1);
            QCOMPARE(help.flow()->countdown()->text(), QStringLiteral("9 с"));
        }
        // An infant who stops breathing after choking: the coach counts 15.
        OpenHelp infant;
        infant.answer({0, 1, 0, 0, 2, 2});
        QCOMPARE(infant.flow()->step().id, QStringLiteral("infant_collapse"));
        infant.answer({0});
        QVERIFY(infant.coach());
        QCOMPARE(infant.coach()->rhythm().mode(), guide::CprCoach::Mode::Child);
    }

    void theKeysAnswerAndGoBackAndNothingTraps()
    {
        OpenHelp help;
        steps::FlowScreen* flow = help.flow();
        QTest::keyClick(flow->button(0), Qt::Key_Return);
        QCOMPARE(flow->step().id, QStringLiteral("bleed_look"));
        QTest::keyClick(flow->button(0), Qt::Key_2);
        QCOMPARE(flow->step().id, QStringLiteral("responds"));
        QTest::keyClick(flow->button(0), Qt::Key_3);
        QCOMPARE(flow->step().id, QStringLiteral("seizure_now"));
        QTest::keyClick(flow->button(0), Qt::Key_Backspace);
        QCOMPARE(flow->step().id, QStringLiteral("responds"));
        QTest::keyClick(flow->button(0), Qt::Key_Escape);
        QCOMPARE(flow->step().id, QStringLiteral("bleed_look"));
        // A digit with no answer does nothing; a digit held down answers once.
        QTest::keyClick(flow->button(0), Qt::Key_3);
        QCOMPARE(flow->step().id, QStringLiteral("bleed_look"));
        QKeyEvent held(QEvent::KeyPress, Qt::Key_2, Qt::NoModifier, QStringLiteral("2"), true);
        QApplication::sendEvent(flow->button(0), &held);
        QCOMPARE(flow->step().id, QStringLiteral("bleed_look"));
        // Space presses the first answer, once, however long it is held.
        QTest::keyPress(flow->button(0), Qt::Key_Space);
        QTest::keyRelease(flow->button(0), Qt::Key_Space);
        help.clock.advance(0.2);
        QCOMPARE(flow->step().id, QStringLiteral("bleed_press"));
        // Back from the first step leaves the help; the tabs are as they were.
        const int tab = help.tabs()->selectedIndex();
        flow->goBack();
        flow->goBack();
        QCOMPARE(flow->step().id, QStringLiteral("safety"));
        QTest::keyClick(flow->button(0), Qt::Key_Escape);
        QVERIFY(!help.flow());
        QCOMPARE(help.tabs()->selectedIndex(), tab);
    }

    void anEndOffersItsPageWhichBackTakesAway()
    {
        OpenHelp help;
        help.answer({1});
        steps::FlowScreen* flow = help.flow();
        QVERIFY(flow->step().end);
        QCOMPARE(flow->buttonCount(), 2);
        QCOMPARE(flow->button(0)->title(), QStringLiteral("Открыть статью"));
        flow->answer(0);
        QVERIFY(flow->page());
        QCOMPARE(flow->page()->url().fileName(), QStringLiteral("safety.html"));
        // In the middle of helping, the page does not end with its practice questions.
        if (kit::WebView* web = flow->page()->webView()) {
            QSignalSpy styled(flow->page(), &viewer::WebController::pageStyled);
            QVERIFY(waitUntil([&] { return !styled.isEmpty(); }));
            QVERIFY(evaluateJavaScript(web, "document.getElementById('practiceLink') === null")
                        .toBool());
        }
        flow->goBack();
        QVERIFY(!flow->page());
        QCOMPARE(flow->step().id, QStringLiteral("danger"));
        flow->answer(1);
        QVERIFY(!help.flow());
    }

    void theBreathingCheckCountsTenSeconds()
    {
        OpenHelp help;
        help.answer(toBreathingCheck);
        steps::FlowScreen* flow = help.flow();
        QCOMPARE(flow->step().id, QStringLiteral("breath_check"));
        QVERIFY(!flow->countdown()->isHidden());
        QCOMPARE(flow->countdown()->text(), QStringLiteral("10 с"));
        help.clock.advance(3);
        QCOMPARE(flow->countdown()->text(), QStringLiteral("7 с"));
        help.speech.heard.clear();
        help.clock.advance(7);
        QCOMPARE(flow->countdown()->text(), QStringLiteral("Время!"));
        QCOMPARE(help.speech.heard, QStringList{"say: Время вышло. Ответьте."});
        // Nothing more is counted or said, and the answers still wait.
        help.clock.advance(30);
        QCOMPARE(help.speech.heard.size(), 1);
        QCOMPARE(flow->buttonCount(), 3);
    }

    void watchingTheBreathingRemindsEveryMinute()
    {
        OpenHelp help;
        help.answer(toBreathingCheck + QList<int>{0, 1, 0});
        steps::FlowScreen* flow = help.flow();
        QCOMPARE(flow->step().id, QStringLiteral("recovery_watch"));
        QVERIFY(flow->reminder()->isHidden());
        help.speech.heard.clear();
        help.clock.advance(59);
        QVERIFY(flow->reminder()->isHidden());
        help.clock.advance(1);
        QVERIFY(!flow->reminder()->isHidden());
        QCOMPARE(flow->reminder()->text(), QStringLiteral("Прошла минута — проверьте снова"));
        QCOMPARE(help.speech.texts(), QStringList{flow->step().text});
        // Still breathing: the same step, its minute from now; back is still one step.
        flow->answer(0);
        QCOMPARE(flow->step().id, QStringLiteral("recovery_watch"));
        QVERIFY(flow->reminder()->isHidden());
        help.clock.advance(59);
        QVERIFY(flow->reminder()->isHidden());
        flow->goBack();
        QCOMPARE(flow->step().id, QStringLiteral("recovery"));
    }

    void eachStepIsSpokenUnlessTheVoiceIsOff()
    {
        OpenHelp help;
        steps::FlowScreen* flow = help.flow();
        QCOMPARE(help.speech.heard, QStringList{"say: " + flow->step().text});
        QVERIFY(flow->voiceSwitch()->isOn());
        flow->answer(0);
        QCOMPARE(help.speech.heard.last(), "say: " + flow->step().text);

        flow->voiceSwitch()->toggle();
        QVERIFY(help.speech.stops > 0);
        help.speech.heard.clear();
        flow->answer(1);
        help.clock.advance(0);
        QCOMPARE(help.speech.heard, QStringList());
        // Remembered: the next time the help opens, it is silent.
        QCOMPARE(kit::UserDefaults::standardUserDefaults().stringForKey(
                     QString::fromLatin1(steps::Voice::settingsKey)),
                 std::optional<QString>(QStringLiteral("0")));
        flow->close();
        viewer::openHelp("steps");
        QVERIFY(help.flow());
        QVERIFY(!help.flow()->voiceSwitch()->isOn());
        QCOMPARE(help.speech.heard, QStringList());
        // On again, the step shown is said at once.
        help.flow()->voiceSwitch()->toggle();
        QCOMPARE(help.speech.heard, QStringList{"say: " + help.flow()->step().text});
    }

    void withoutSpeechTheNoticeShowsAndNothingWaits()
    {
        OpenHelp help{QString()};
        help.speech.become(kit::SpeechState::Unavailable);
        viewer::openHelp("steps");
        steps::FlowScreen* flow = help.flow();
        auto* notice = flow->view()->findChild<kit::Label*>("voiceNotice");
        QVERIFY(notice && !notice->isHidden());
        QCOMPARE(notice->text(), steps::voiceNoticeText());
        flow->answer(0);
        QCOMPARE(flow->step().id, QStringLiteral("bleed_look"));
        // An engine that answers later takes the notice away.
        help.speech.become(kit::SpeechState::Ready);
        QVERIFY(notice->isHidden());
    }

    void aDamagedFileGivesAMessageAndTheTabsStay()
    {
        TestStore store;
        TestBundle bundle;
        for (const char* name : {"Content.xml", "Schema.html"})
            bundle.copyResource(QString::fromLatin1(name));
        bundle.write("steps.json", "{ \"start\": \"safety\", \"steps\": [ { \"id\": ");
        SpeechStandIn speech;
        LogCapture log;
        LaunchedApplication app;
        const int tab = app.shell().tabBarController()->selectedIndex();
        viewer::openHelp("steps");
        QVERIFY(!app.shell().tabBarController()->modalViewController());
        const QList<kit::AlertView*> alerts = kit::AlertView::visibleAlerts();
        QCOMPARE(alerts.size(), 1);
        QCOMPARE(alerts.front()->title(), QStringLiteral("Пошаговая помощь недоступна"));
        QVERIFY(alerts.front()->message().contains("строка 1: не JSON"));
        QVERIFY(log.lines().join('\n').contains("Steps file: строка 1: не JSON"));
        alerts.front()->dismiss();
        QCOMPARE(app.shell().tabBarController()->selectedIndex(), tab);
        // The coach needs no file: it opens, without the defibrillator's steps.
        TickStandIn tick;
        viewer::openHelp("cpr");
        auto* coach = qobject_cast<steps::CoachScreen*>(
            app.shell().tabBarController()->modalViewController());
        QVERIFY(coach);
        QVERIFY(coach->aedButton()->isHidden());
        for (kit::Timer* timer : kit::RunLoop::main().timers())
            timer->invalidate();
    }

    void theWaysIn()
    {
        // The band over the contents: its list and search as they were.
        OpenHelp help{QString()};
        auto* contents = help.app->showTab<contents::Content>(0);
        QVERIFY(contents);
        auto* table = qobject_cast<contents::ContentTable*>(kit::ViewController::controllerOfView(
            contents->view()->findChild<QWidget*>("contentTableView")));
        QVERIFY(table && table->helpBand());
        QCOMPARE(table->helpBand()->geometry().bottom() + 1, table->tableView()->geometry().top());
        QTest::mouseClick(table->helpBand()->stepsButton(), Qt::LeftButton);
        QVERIFY(help.flow());
        help.flow()->close();

        // The pages of resuscitation, the unconscious person, bleeding and choking, and the
        // scheme, link to it; the resuscitation page to the coach too.
        const QString bundle = kit::Bundle::mainBundle().bundlePath();
        for (const char* name : {"cpr.html", "unconscious.html", "bleeding.html", "choking.html",
                                 "choking_infant.html", "Schema.html"}) {
            QFile page(bundle + '/' + name);
            QVERIFY(page.open(QIODevice::ReadOnly));
            const QByteArray html = page.readAll();
            QVERIFY2(html.contains("href=\"firstaid:steps\""), name);
        }
        // Followed in a viewer, such a link opens the help, not a page.
        viewer::WebController viewer(viewer::pageUrl(QStringLiteral("cpr.html")));
        if (kit::WebView* web = viewer.webView()) {
            QVERIFY(!viewer.shouldStartLoadWithRequest(*web, QUrl("firstaid:cpr"),
                                                       kit::NavigationType::LinkClicked));
            QVERIFY(help.coach());
        }
        // The desktop's action (and --cpr): the coach, once, however often it is asked for.
        if (help.coach())
            help.coach()->stopAndClose();
        kit::Application& application = *kit::Application::sharedApplication();
        help.app->shell().performAction(application, QStringLiteral("cpr"));
        steps::CoachScreen* coach = help.coach();
        QVERIFY(coach);
        help.app->shell().performAction(application, QStringLiteral("cpr"));
        QCOMPARE(help.coach(), coach);
        QVERIFY(!coach->modalViewController());
    }
};

FIRSTAID_TEST_MAIN(TestFlowScreen)

#include "tst_flowscreen.moc"
