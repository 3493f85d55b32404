// SPDX-License-Identifier: GPL-3.0-or-later
// "Проверь себя" as a learner goes through it: in from the band over the contents and from
// the end of an article; a round answered by digits and Enter, wrong and right, with the
// explanation and the article opened at the passage; steps put in order by taps (and taken
// back); the exam's result with what to reread; a missed question back the next day on the
// manual clock; "Начать заново" asked once; a damaged bank; every passage found in its page.

#include "TestSupport.h"

#include "app/ApplicationShell.h"
#include "contents/Content.h"
#include "contents/ContentTable.h"
#include "kit/controllers/Application.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/TabBarController.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/Timer.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/pickers/AlertView.h"
#include "kit/platform/WebView.h"
#include "kit/views/Label.h"
#include "kit/views/TitledButton.h"
#include "practice/AnswerCard.h"
#include "practice/PracticeScreen.h"
#include "practice/RoundScreen.h"
#include "practice/TopicCell.h"
#include "viewer/HelpBand.h"
#include "viewer/ReadingZoom.h"
#include "viewer/WebController.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

constexpr double day = 24 * 60 * 60;

struct App {
    kit::ManualClock clock;
    TestStore store;
    std::unique_ptr<LaunchedApplication> app = std::make_unique<LaunchedApplication>();

    App() { clock.setCurrentDateTime(QDateTime(QDate(2026, 12, 1), QTime(19, 0))); }
    ~App()
    {
        for (kit::AlertView* alert : kit::AlertView::visibleAlerts())
            alert->dismiss();
        for (kit::Timer* timer : kit::RunLoop::main().timers())
            timer->invalidate();
    }
    kit::TabBarController* tabs() const { return app->shell().tabBarController(); }
    practice::PracticeScreen* home() const
    {
        return qobject_cast<practice::PracticeScreen*>(tabs()->modalViewController());
    }
    practice::RoundScreen* round() const
    {
        if (practice::PracticeScreen* screen = home())
            return screen->round();
        return qobject_cast<practice::RoundScreen*>(tabs()->modalViewController());
    }
    quiz::Progress stored() const
    {
        kit::UserDefaults file(store.path());
        return quiz::Progress::read(file);
    }
};

void press(QWidget* widget, int key)
{
    QTest::keyClick(widget, Qt::Key(key));
}

// What has the focus in the application's window (whether or not the window is active).
QWidget* focused()
{
    kit::Window* window = kit::Application::sharedApplication()->keyWindow();
    return window ? window->focusWidget() : nullptr;
}

// A key as the keyboard sends it: to whatever has the focus.
void press(int key)
{
    QWidget* focus = focused();
    QVERIFY(focus);
    QTest::keyClick(focus, Qt::Key(key));
}

// The place on screen of the card that means the answer wanted: right or not.
int cardFor(const practice::RoundScreen& round, bool right)
{
    const quiz::Question& question = round.question();
    for (int shown = 0; shown < round.cardCount(); ++shown) {
        const int meaning = round.meaningOf(shown);
        const bool isRight = question.kind == quiz::Question::Kind::One
                                 ? meaning == question.right
                                 : (meaning == 0) == question.truth;
        if (isRight == right)
            return shown;
    }
    return -1;
}

// Answers the question shown, by taps: right or wrong.
void answer(practice::RoundScreen& round, bool right)
{
    const quiz::Question& question = round.question();
    if (question.kind != quiz::Question::Kind::Order) {
        round.choose(cardFor(round, right));
        return;
    }
    std::vector<int> order(size_t(round.cardCount()));
    for (int shown = 0; shown < round.cardCount(); ++shown)
        order[size_t(round.meaningOf(shown))] = shown;
    if (!right)
        std::swap(order[0], order[1]);
    for (int shown : order)
        round.choose(shown);
    round.check();
}

} // namespace

class TestPracticeScreen final : public QObject {
    Q_OBJECT

private slots:
    void inFromTheBandAndOutByEscape()
    {
        App app;
        auto* contents = app.app->showTab<contents::Content>(0);
        auto* table = qobject_cast<contents::ContentTable*>(kit::ViewController::controllerOfView(
            contents->view()->findChild<QWidget*>("contentTableView")));
        QVERIFY(table && table->helpBand());
        // Both ways in share the band, inside the window, and the list starts below it.
        viewer::HelpBand* band = table->helpBand();
        QVERIFY(band->rect().contains(band->practiceButton()->geometry()));
        QVERIFY(!band->practiceButton()->geometry().intersects(band->stepsButton()->geometry()));
        QCOMPARE(band->geometry().bottom() + 1, table->tableView()->geometry().top());
        QTest::mouseClick(band->practiceButton(), Qt::LeftButton);
        practice::PracticeScreen* home = app.home();
        QVERIFY(home);
        const auto bank = practice::bundledBank();
        QCOMPARE(home->overall()->text(),
                 QStringLiteral("Знаю 0 из %1 — 0 %").arg(bank->questions.size()));
        QVERIFY(!home->reviewButton()->isEnabled());
        QCOMPARE(home->table()->numberOfRowsInSection(0), int(bank->topics.size()));
        QCOMPARE(home->topicCell(0)->count()->text(),
                 QStringLiteral("0 из %1").arg(bank->questionsOf(bank->topics[0].id).size()));
        // Asked for again while up: not doubled.
        viewer::openHelp(QStringLiteral("quiz"));
        QVERIFY(!home->modalViewController());
        press(Qt::Key_Escape);
        QVERIFY(!app.home());
    }

    void aRoundByKeysWithItsExplanationAndPassage()
    {
        App app;
        viewer::openHelp(QStringLiteral("quiz"));
        practice::PracticeScreen* home = app.home();
        QVERIFY(home);
        home->startTopic(QStringLiteral("nosebleed"));
        practice::RoundScreen* round = app.round();
        QVERIFY(round);
        QCOMPARE(round->questionCount(),
                 int(practice::bundledBank()->questionsOf("nosebleed").size()));
        QCOMPARE(round->bar()->title(),
                 QStringLiteral("По теме: 1 из %1").arg(round->questionCount()));

        // The first answer has the focus (a screen reader reads it); Enter there does nothing
        // before an answer; a wrong digit answers.
        QCOMPARE(focused(), round->card(0));
        press(Qt::Key_Return);
        QVERIFY(!round->isAnswered());
        while (round->question().kind == quiz::Question::Kind::Order) {
            answer(*round, true);
            press(Qt::Key_Return);
        }
        const quiz::Question& question = round->question();
        const int wrong = cardFor(*round, false);
        press(Qt::Key_1 + wrong);
        QVERIFY(round->isAnswered());
        QCOMPARE(round->verdict()->text(), QStringLiteral("Неверно"));
        QVERIFY(!round->verdict()->isHidden());
        QCOMPARE(round->explanation()->text(), question.explanation);
        QCOMPARE(round->card(wrong)->state(), practice::AnswerCard::State::Wrong);
        QCOMPARE(round->card(cardFor(*round, true))->state(), practice::AnswerCard::State::Right);
        QVERIFY(round->card(wrong)->accessibleName().contains(QStringLiteral("неверно")));
        // A second digit changes nothing: the answer stands.
        press(Qt::Key_1 + cardFor(*round, true));
        QCOMPARE(round->rightCount(), 0);
        // Counted and saved at once: back the next day.
        const quiz::Progress stored = app.stored();
        const quiz::Record* saved = stored.record(question.id);
        QVERIFY(saved);
        QVERIFY(!saved->right);
        QCOMPARE(saved->due, QDate(2026, 12, 2));

        // The article opens at the passage, and Escape comes back to the question.
        QVERIFY(!round->passageButton()->isHidden());
        QTest::mouseClick(round->passageButton(), Qt::LeftButton);
        viewer::WebController* page = round->page();
        QVERIFY(page);
        QCOMPARE(page->url(), viewer::pageUrl(question.page));
        QCOMPARE(page->highlightedText(), question.passage);
        if (page->webView()) {
            QSignalSpy found(page, &viewer::WebController::highlightedTextFound);
            QVERIFY(waitUntil([&] { return !found.isEmpty(); }));
            QVERIFY(found.first().first().toInt() >= 1);
            // Inside a round the page does not offer another round.
            QCOMPARE(evaluateJavaScript(page->webView(),
                                        "document.getElementById('practiceLink') === null")
                         .toBool(),
                     true);
        }
        press(Qt::Key_Escape);
        QVERIFY(!round->page());
        QVERIFY(app.round());
        QCOMPARE(round->bar()->title(), QStringLiteral("По теме: %1 из %2")
                                            .arg(round->index() + 1)
                                            .arg(round->questionCount()));

        // Enter goes on; the rest right, to the end.
        const int first = round->index();
        press(Qt::Key_Return);
        QCOMPARE(round->index(), first + 1);
        while (!round->isFinished()) {
            answer(*round, true);
            QCOMPARE(round->verdict()->text().left(5), QStringLiteral("Верно"));
            press(Qt::Key_Return);
        }
        QCOMPARE(round->score()->text(), QStringLiteral("Верно %1 из %2")
                                             .arg(round->questionCount() - 1)
                                             .arg(round->questionCount()));
        QCOMPARE(round->rereadButtons().size(), size_t(1));
        // "Готово" goes back to the progress, which shows what the round counted.
        press(Qt::Key_Return);
        QVERIFY(!app.round());
        QVERIFY(app.home());
        const int total = int(practice::bundledBank()->questionsOf("nosebleed").size());
        int row = 0;
        while (home->topicCell(row)->topic() != QLatin1String("nosebleed"))
            ++row;
        QCOMPARE(home->topicCell(row)->count()->text(),
                 QStringLiteral("%1 из %2").arg(total - 1).arg(total));
        // The keyboard is back on the progress: Escape there leaves.
        QWidget* focus = focused();
        QVERIFY(focus && home->view()->isAncestorOf(focus));
        press(focus, Qt::Key_Escape);
        QVERIFY(!app.home());
    }

    void stepsArePutInOrderByTapsAndTakenBack()
    {
        App app;
        const auto bank = practice::bundledBank();
        const quiz::Question* order = nullptr;
        for (const quiz::Question& question : bank->questions)
            if (question.kind == quiz::Question::Kind::Order && question.steps.size() >= 4) {
                order = &question;
                break;
            }
        QVERIFY(order);
        auto screen = std::make_unique<practice::RoundScreen>(
            bank, quiz::Mode::Topic, std::vector<const quiz::Question*>{order}, 11);
        practice::RoundScreen* round = screen.get();
        app.tabs()->presentModalViewController(std::move(screen), false);
        QCOMPARE(round->cardCount(), int(order->steps.size()));
        QVERIFY(round->nextButton()->isHidden());
        auto shownOf = [&](int step) {
            for (int shown = 0; shown < round->cardCount(); ++shown)
                if (round->meaningOf(shown) == step)
                    return shown;
            return -1;
        };
        // Steps 0, 2 placed; 2 tapped again is taken back; Backspace takes back 0.
        round->choose(shownOf(0));
        round->choose(shownOf(2));
        QCOMPARE(round->card(shownOf(2))->place(), 2);
        round->choose(shownOf(2));
        QCOMPARE(round->card(shownOf(2))->state(), practice::AnswerCard::State::Plain);
        press(Qt::Key_Backspace);
        QCOMPARE(round->card(shownOf(0))->state(), practice::AnswerCard::State::Plain);
        // Tapping one placed earlier takes back those after it too.
        round->choose(shownOf(1));
        round->choose(shownOf(0));
        round->choose(shownOf(2));
        round->choose(shownOf(1));
        QCOMPARE(round->card(shownOf(0))->state(), practice::AnswerCard::State::Plain);
        QCOMPARE(round->card(shownOf(2))->state(), practice::AnswerCard::State::Plain);
        // All placed, wrongly: "Проверить", then the right order with what was given.
        for (int step : {1, 0})
            round->choose(shownOf(step));
        for (int step = 2; step < int(order->steps.size()); ++step)
            round->choose(shownOf(step));
        QVERIFY(!round->isAnswered());
        QVERIFY(!round->nextButton()->isHidden());
        QCOMPARE(round->nextButton()->title(), QStringLiteral("Проверить"));
        press(Qt::Key_Return);
        QVERIFY(round->isAnswered());
        QVERIFY(round->verdict()->text().startsWith(QStringLiteral("Неверно")));
        for (int shown = 0; shown < round->cardCount(); ++shown)
            QCOMPARE(round->card(shown)->text(), order->steps[shown]);
        QCOMPARE(round->card(0)->state(), practice::AnswerCard::State::Wrong);
        QCOMPARE(round->card(2)->state(), practice::AnswerCard::State::Right);
        QVERIFY(round->card(0)->accessibleName().contains(QStringLiteral("у вас — 2-й")));
        round->close();
    }

    void theExamEndsWithWhatToReread()
    {
        App app;
        viewer::openHelp(QStringLiteral("quiz"));
        practice::PracticeScreen* home = app.home();
        home->setSeed(5);
        home->startExam();
        practice::RoundScreen* round = app.round();
        QVERIFY(round);
        QCOMPARE(round->questionCount(), quiz::examSize);
        QString missedTopic;
        while (!round->isFinished()) {
            const bool right = round->index() != 3;
            if (!right)
                missedTopic = round->question().topic;
            answer(*round, right);
            round->next();
        }
        QCOMPARE(round->bar()->title(), QStringLiteral("Итог"));
        QCOMPARE(round->score()->text(), QStringLiteral("Верно 19 из 20"));
        QCOMPARE(round->reread().size(), size_t(1));
        QCOMPARE(round->reread()[0]->id, missedTopic);
        kit::TitledButton* reread = round->rereadButtons().front();
        QVERIFY(round->view()->rect().contains(reread->mapTo(round->view(), QPoint(0, 0))));
        QTest::mouseClick(reread, Qt::LeftButton);
        QVERIFY(round->page());
        QCOMPARE(round->page()->url(), viewer::pageUrl(round->reread()[0]->page));
        round->closePage();
        round->next();
        QVERIFY(!app.round());
    }

    void aMissComesBackTheNextDayAndResetAsksOnce()
    {
        App app;
        viewer::openHelp(QStringLiteral("quiz"));
        practice::PracticeScreen* home = app.home();
        home->startTopic(QStringLiteral("burns"));
        practice::RoundScreen* round = app.round();
        while (round->question().kind == quiz::Question::Kind::Order) {
            answer(*round, true);
            round->next();
        }
        const QString missed = round->question().id;
        answer(*round, false);
        round->close();
        QVERIFY(!home->reviewButton()->isEnabled());

        // Tomorrow: back in the review.
        app.clock.advance(day);
        home->refresh();
        QVERIFY(home->reviewButton()->isEnabled());
        QCOMPARE(home->reviewButton()->title(), QStringLiteral("Повторить: 1"));
        home->startReview();
        round = app.round();
        QVERIFY(round);
        QCOMPARE(round->questionCount(), 1);
        QCOMPARE(round->question().id, missed);
        QCOMPARE(round->bar()->title(), QStringLiteral("Повторение: 1 из 1"));
        answer(*round, true);
        round->next();
        round->next();
        QVERIFY(!home->reviewButton()->isEnabled());
        QCOMPARE(app.stored().record(missed)->due, QDate(2026, 12, 2).addDays(3));

        // "Начать заново" asks once; "Отмена" keeps everything, the other forgets it.
        home->askToReset();
        home->askToReset();
        QCOMPARE(kit::AlertView::visibleAlerts().size(), 1);
        kit::AlertView::visibleAlerts().front()->dismissWithButtonIndex(1);
        QVERIFY(app.stored().record(missed));
        home->didSelectRowAtIndexPath(*home->table(), {1, 0});
        QCOMPARE(kit::AlertView::visibleAlerts().size(), 1);
        kit::AlertView::visibleAlerts().front()->dismissWithButtonIndex(0);
        QVERIFY(app.stored().isEmpty());
        QVERIFY(home->overall()->text().startsWith(QStringLiteral("Знаю 0 из")));
        // The card's keys are not the practice's.
        kit::UserDefaults file(app.store.path());
        QVERIFY(file.stringForKey(quiz::Progress::storeKey).has_value());
    }

    void anArticleEndsWithItsQuestions()
    {
        App app;
        viewer::WebController article(viewer::pageUrl(QStringLiteral("burns.html")));
        if (!article.webView())
            QSKIP("no web engine here");
        QSignalSpy styled(&article, &viewer::WebController::pageStyled);
        QVERIFY(waitUntil([&] { return !styled.isEmpty(); }));
        QCOMPARE(
            evaluateJavaScript(article.webView(), "document.getElementById('practiceLink').href")
                .toString(),
            QStringLiteral("firstaid:quiz/burns"));
        QVERIFY(evaluateJavaScript(article.webView(),
                                   "document.body.lastElementChild.id === 'practiceLink'")
                    .toBool());
        // Followed, it opens the topic's round at once.
        QVERIFY(!article.shouldStartLoadWithRequest(*article.webView(), QUrl("firstaid:quiz/burns"),
                                                    kit::NavigationType::LinkClicked));
        QVERIFY(app.round());
        QCOMPARE(app.round()->question().topic, QStringLiteral("burns"));
        app.round()->close();
        // A page without questions has no such link.
        viewer::WebController other(viewer::pageUrl(QStringLiteral("sepsis.html")));
        QSignalSpy otherStyled(&other, &viewer::WebController::pageStyled);
        QVERIFY(waitUntil([&] { return !otherStyled.isEmpty(); }));
        QVERIFY(
            evaluateJavaScript(other.webView(), "document.getElementById('practiceLink') === null")
                .toBool());
    }

    void aDamagedBankIsSaidAndChangesNothing()
    {
        App app;
        TestBundle bundle;
        bundle.write(QStringLiteral("quiz.json"), "{\"topics\": [");
        const int tab = app.tabs()->selectedIndex();
        viewer::openHelp(QStringLiteral("quiz"));
        QVERIFY(!app.home());
        QCOMPARE(kit::AlertView::visibleAlerts().size(), 1);
        QCOMPARE(kit::AlertView::visibleAlerts().front()->title(),
                 QStringLiteral("Вопросы недоступны"));
        QCOMPARE(app.tabs()->selectedIndex(), tab);
        QVERIFY(!app.tabs()->modalViewController());
    }

    void everyPassageIsFoundInItsPage()
    {
        // What "Где это в статье" shows: each question's words found by the web engine itself
        // in its page, as the reader sees it.
        App app;
        const auto bank = practice::bundledBank();
        QMap<QString, QStringList> passages;
        for (const quiz::Question& question : bank->questions)
            passages[question.page] << question.passage;
        QStringList missing;
        for (auto it = passages.constBegin(); it != passages.constEnd(); ++it) {
            viewer::WebController page(viewer::pageUrl(it.key()));
            if (!page.webView())
                QSKIP("no web engine here");
            QSignalSpy styled(&page, &viewer::WebController::pageStyled);
            QVERIFY(waitUntil([&] { return !styled.isEmpty(); }));
            for (const QString& passage : it.value()) {
                int matches = -1;
                page.webView()->findText(passage, [&](int found) { matches = found; });
                QVERIFY(waitUntil([&] { return matches >= 0; }));
                if (matches < 1)
                    missing << it.key() + QStringLiteral(": ") + passage;
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    }
};

FIRSTAID_TEST_MAIN(TestPracticeScreen)

#include "tst_practicescreen.moc"
