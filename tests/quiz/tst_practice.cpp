// SPDX-License-Identifier: GPL-3.0-or-later
// Practice as data: the review schedule on the manual clock (a miss comes back the next day,
// the days grow while answered right, a miss starts again), the progress kept in the store
// and merged with what another copy saved (a card edit, other answers, a reset), the rounds'
// choice of questions, and how answers are judged.

#include "TestSupport.h"

#include "kit/foundation/Bundle.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/UserDefaults.h"
#include "quiz/Practice.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <numeric>

namespace {

constexpr double day = 24 * 60 * 60;

quiz::QuizBank shippedBank()
{
    QStringList faults;
    const QString bundle = kit::Bundle::mainBundle().bundlePath();
    std::optional<quiz::QuizBank> bank =
        quiz::loadBank(QDir(bundle).filePath(QStringLiteral("quiz.json")), bundle, &faults);
    if (!bank)
        qFatal("the shipped bank does not load: %s", qPrintable(faults.join(QLatin1Char('\n'))));
    return std::move(*bank);
}

QDateTime now()
{
    return kit::RunLoop::main().currentDateTime();
}

} // namespace

class TestPractice final : public QObject {
    Q_OBJECT

private slots:
    void aMissComesBackOnTheDaysOfTheSchedule()
    {
        kit::ManualClock clock;
        clock.setCurrentDateTime(QDateTime(QDate(2026, 3, 1), QTime(21, 30)));
        quiz::Progress progress;
        const QString id = QStringLiteral("q");
        progress.answer(id, false, now());
        QVERIFY(!progress.isDue(id, now().date()));
        QCOMPARE(progress.record(id)->due, QDate(2026, 3, 2));

        // The next day, whatever the hour; then after 3, 7 and 21 days while answered right.
        clock.advance(3 * 60 * 60);
        QVERIFY(progress.isDue(id, now().date()));
        QDate expected = now().date();
        for (int days : {3, 7, 21}) {
            progress.answer(id, true, now());
            expected = expected.addDays(days);
            QCOMPARE(progress.record(id)->due, expected);
            clock.advance((days - 1) * day);
            QVERIFY2(!progress.isDue(id, now().date()), qPrintable(QString::number(days)));
            // Answered right before its day (in a topic's round), it waits as it was.
            progress.answer(id, true, now());
            QCOMPARE(progress.record(id)->due, expected);
            clock.advance(day);
            QVERIFY(progress.isDue(id, now().date()));
        }
        // Right after the 21 days: learned, out of the review.
        progress.answer(id, true, now());
        QCOMPARE(progress.record(id)->review, 0);
        QVERIFY(progress.record(id)->right);
        clock.advance(100 * day);
        QVERIFY(!progress.isDue(id, now().date()));

        // A miss on the way starts again from the next day, late or not.
        progress.answer(id, false, now());
        clock.advance(day);
        progress.answer(id, true, now());
        clock.advance(5 * day);
        QVERIFY(progress.isDue(id, now().date()));
        progress.answer(id, false, now());
        QCOMPARE(progress.record(id)->due, now().date().addDays(1));
        QCOMPARE(progress.record(id)->review, 1);
        // Long overdue, answered right: the next interval counts from the day it was answered.
        clock.advance(40 * day);
        progress.answer(id, true, now());
        QCOMPARE(progress.record(id)->due, now().date().addDays(3));
    }

    void theReviewTakesTheLongestWaitingFirst()
    {
        kit::ManualClock clock;
        clock.setCurrentDateTime(QDateTime(QDate(2026, 5, 10), QTime(8, 0)));
        const quiz::QuizBank bank = shippedBank();
        quiz::Progress progress;
        const QString first = bank.questions[40].id;
        const QString second = bank.questions[3].id;
        progress.answer(first, false, now());
        clock.advance(day);
        progress.answer(second, false, now());
        progress.answer(bank.questions[7].id, true, now());
        QCOMPARE(quiz::reviewRound(bank, progress, now().date()).size(), size_t(1));
        clock.advance(day);
        const auto round = quiz::reviewRound(bank, progress, now().date());
        QCOMPARE(round.size(), size_t(2));
        QCOMPARE(round[0]->id, first);
        QCOMPARE(round[1]->id, second);
    }

    void progressIsKeptInTheStoreAndSurvivesItsOwnFaults()
    {
        kit::ManualClock clock;
        TestStore store;
        kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
        quiz::Progress progress;
        progress.answer(QStringLiteral("a"), false, now());
        progress.answer(QStringLiteral("b"), true, now());
        QVERIFY(progress.save(defaults));

        // Another reading of the file, as after a restart.
        kit::UserDefaults reread(store.path());
        const quiz::Progress back = quiz::Progress::read(reread);
        QVERIFY(back.record(QStringLiteral("a")));
        QVERIFY(!back.record(QStringLiteral("a"))->right);
        QCOMPARE(back.record(QStringLiteral("a"))->due, now().date().addDays(1));
        QVERIFY(back.record(QStringLiteral("b"))->right);
        QVERIFY(!back.record(QStringLiteral("c")));

        // A value that is not a progress, and records that make no sense, give nothing, and the
        // next save writes a sound one.
        QVERIFY(quiz::Progress::fromJson("{not json").isEmpty());
        const quiz::Progress odd = quiz::Progress::fromJson(
            R"({"questions":{"x":{"right":true},"y":{"answered":"2026-01-01T00:00:00.000",)"
            R"("review":9,"due":"2026-01-02"},"z":{"answered":"2026-01-01T00:00:00.000",)"
            R"("review":2},"w":{"answered":"2026-01-01T00:00:00.000","right":true}}})");
        QVERIFY(!odd.record(QStringLiteral("x")));
        QVERIFY(!odd.record(QStringLiteral("y")));
        QVERIFY(!odd.record(QStringLiteral("z")));
        QVERIFY(odd.record(QStringLiteral("w")));
        store.set(quiz::Progress::storeKey, QStringLiteral("[1, 2"));
        quiz::Progress fresh = quiz::Progress::read(defaults);
        QVERIFY(fresh.isEmpty());
        fresh.answer(QStringLiteral("c"), true, now());
        QVERIFY(fresh.save(defaults));
        kit::UserDefaults again(store.path());
        QVERIFY(quiz::Progress::read(again).record(QStringLiteral("c")));
    }

    void aSaveKeepsWhatAnotherCopyWrote()
    {
        kit::ManualClock clock;
        TestStore store;
        kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
        store.set(QStringLiteral("OWN_NAME"), QStringLiteral("Анна"));
        quiz::Progress mine = quiz::Progress::read(defaults);
        mine.answer(QStringLiteral("mine"), false, now());

        // Meanwhile another copy edits the card, from a process of its own.
        QProcess writer;
        writer.start(
            QStringLiteral(DEFAULTS_WRITER),
            {store.path(), QStringLiteral("OWN_NAME=Пётр"), QStringLiteral("OWN_BLOOD=A(II) Rh+")});
        QVERIFY(writer.waitForFinished(30000));
        QCOMPARE(writer.exitCode(), 0);
        // ...and a third answers other questions and one of the same, later.
        clock.advance(60);
        {
            kit::UserDefaults other(store.path());
            quiz::Progress theirs = quiz::Progress::read(other);
            theirs.answer(QStringLiteral("theirs"), true, now());
            QVERIFY(theirs.save(other));
        }
        clock.advance(60);
        mine.answer(QStringLiteral("theirs"), false, now());
        QVERIFY(mine.save(defaults));

        kit::UserDefaults file(store.path());
        QCOMPARE(file.stringForKey(QStringLiteral("OWN_NAME")), QStringLiteral("Пётр"));
        QCOMPARE(file.stringForKey(QStringLiteral("OWN_BLOOD")), QStringLiteral("A(II) Rh+"));
        const quiz::Progress saved = quiz::Progress::read(file);
        QVERIFY(saved.record(QStringLiteral("mine")));
        // The later answer of the two wins.
        QVERIFY(!saved.record(QStringLiteral("theirs"))->right);

        // A reset by one copy is not undone by another that still holds older answers.
        clock.advance(60);
        {
            kit::UserDefaults other(store.path());
            quiz::Progress theirs = quiz::Progress::read(other);
            theirs.reset(now());
            QVERIFY(theirs.save(other));
        }
        clock.advance(60);
        mine.answer(QStringLiteral("after"), true, now());
        QVERIFY(mine.save(defaults));
        kit::UserDefaults last(store.path());
        const quiz::Progress merged = quiz::Progress::read(last);
        QVERIFY(!merged.record(QStringLiteral("mine")));
        QVERIFY(!merged.record(QStringLiteral("theirs")));
        QVERIFY(merged.record(QStringLiteral("after")));
        QCOMPARE(last.stringForKey(QStringLiteral("OWN_NAME")), QStringLiteral("Пётр"));
    }

    void roundsTakeWhatIsNeeded()
    {
        kit::ManualClock clock;
        const quiz::QuizBank bank = shippedBank();
        QRandomGenerator random(7);

        // An exam: twenty questions, each of another topic.
        const auto exam = quiz::examRound(bank, random);
        QCOMPARE(exam.size(), size_t(quiz::examSize));
        QSet<QString> topics;
        for (const quiz::Question* question : exam)
            topics.insert(question->topic);
        QCOMPARE(topics.size(), quiz::examSize);

        // A topic: ten at most, its own, those due before those never seen, before those known.
        const QString topic = QStringLiteral("cpr");
        const auto all = bank.questionsOf(topic);
        QVERIFY(all.size() >= 5);
        quiz::Progress progress;
        for (size_t i = 0; i + 2 < all.size(); ++i)
            progress.answer(all[i]->id, true, now());
        progress.answer(all[0]->id, false, now());
        clock.advance(day);
        const auto round = quiz::topicRound(bank, progress, topic, now().date(), random);
        QCOMPARE(round.size(), std::min(all.size(), size_t(quiz::topicRoundSize)));
        for (const quiz::Question* question : round)
            QCOMPARE(question->topic, topic);
        QVERIFY(std::find(round.begin(), round.end(), all[0]) != round.end());

        QStringList big;
        for (const quiz::Topic& each : bank.topics)
            if (bank.questionsOf(each.id).size() > size_t(quiz::topicRoundSize))
                big << each.id;
        for (const QString& each : big)
            QCOMPARE(quiz::topicRound(bank, progress, each, now().date(), random).size(),
                     size_t(quiz::topicRoundSize));
    }

    void answersAreJudgedAndShownShuffled()
    {
        const quiz::QuizBank bank = shippedBank();
        QRandomGenerator random(3);
        int orders = 0;
        for (const quiz::Question& question : bank.questions) {
            const std::vector<int> shown = quiz::shownOrder(question, random);
            std::vector<int> sorted = shown;
            std::sort(sorted.begin(), sorted.end());
            for (size_t i = 0; i < sorted.size(); ++i)
                QCOMPARE(sorted[i], int(i));
            switch (question.kind) {
            case quiz::Question::Kind::One:
                QCOMPARE(shown.size(), size_t(question.answers.size()));
                QVERIFY(quiz::isRight(question, {question.right, {}}));
                QVERIFY(!quiz::isRight(question, {(question.right + 1) % 3, {}}));
                QVERIFY(!quiz::isRight(question, {-1, {}}));
                break;
            case quiz::Question::Kind::Truth:
                // "Верно" first, "Неверно" second, always.
                QCOMPARE(shown, (std::vector<int>{0, 1}));
                QVERIFY(quiz::isRight(question, {question.truth ? 0 : 1, {}}));
                QVERIFY(!quiz::isRight(question, {question.truth ? 1 : 0, {}}));
                break;
            case quiz::Question::Kind::Order: {
                ++orders;
                // Never shown already in order: there would be nothing to do.
                QVERIFY(!std::is_sorted(shown.begin(), shown.end()));
                std::vector<int> right(shown.size());
                std::iota(right.begin(), right.end(), 0);
                QVERIFY(quiz::isRight(question, {-1, right}));
                std::swap(right[0], right[1]);
                QVERIFY(!quiz::isRight(question, {-1, right}));
                right.pop_back();
                QVERIFY(!quiz::isRight(question, {-1, right}));
                break;
            }
            }
        }
        QVERIFY(orders > 0);

        // What to reread: each topic of the missed questions once, in their order.
        const auto cpr = bank.questionsOf(QStringLiteral("cpr"));
        const auto burns = bank.questionsOf(QStringLiteral("burns"));
        const auto reread = quiz::topicsToReread(bank, {burns[0], cpr[0], burns[1]});
        QCOMPARE(reread.size(), size_t(2));
        QCOMPARE(reread[0]->page, QStringLiteral("burns.html"));
        QCOMPARE(reread[1]->page, QStringLiteral("cpr.html"));
    }
};

FIRSTAID_TEST_MAIN(TestPractice)
#include "tst_practice.moc"
