// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "QuizBank.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QHash>

#include <array>
#include <vector>

class QRandomGenerator;

namespace kit {
class UserDefaults;
}

namespace quiz {

// The days after which a missed question comes back, one after another while it is answered
// right: the next day, then after 3, 7 and 21 days. Right after the last, it is learned.
inline constexpr std::array<int, 4> reviewDays = {1, 3, 7, 21};

// What is known of one question.
struct Record {
    // Its last answer was right.
    bool right = false;
    // In review: which of reviewDays led to due (1 to 4); 0 when it is not in review.
    int review = 0;
    // The day it comes back, in review.
    QDate due;
    // When it was last answered: of two copies' records the later wins.
    QDateTime answered;
};

// What the owner has practised, question by question. It lives in the store under one key
// of its own; a save first takes in what another copy saved since, question by question, so
// two copies practising at once lose nothing of each other's.
class Progress {
public:
    // The store's key.
    static const QString storeKey;

    // Counts an answer given at now: a miss puts the question in review for the next day; a
    // right answer on (or after) its day moves it to the next interval, and after the last
    // out of review. A right answer before its day changes nothing of its schedule.
    void answer(const QString& id, bool right, const QDateTime& now);
    const Record* record(const QString& id) const;
    // In review and its day has come.
    bool isDue(const QString& id, const QDate& today) const;
    // Questions whose last answer was right.
    int known(const std::vector<const Question*>& questions) const;
    // Questions of the bank that are due, the longest waiting first.
    std::vector<const Question*> due(const QuizBank& bank, const QDate& today) const;
    // Forgets everything answered up to now.
    void reset(const QDateTime& now);
    bool isEmpty() const { return _records.isEmpty(); }

    // The stored form: JSON. Text that is not a progress gives an empty one.
    QByteArray toJson() const;
    static Progress fromJson(const QByteArray& json);
    // Takes in another copy's progress: for each question the later answer; nothing answered
    // before the later of the two resets.
    void merge(const Progress& other);

    // The progress in the store, and saving it (after merging what the store has now).
    // Saving writes the file at once; false when it could not (it stays pending in the store).
    static Progress read(kit::UserDefaults& defaults);
    bool save(kit::UserDefaults& defaults);

private:
    QHash<QString, Record> _records;
    QDateTime _resetAt;
};

// One answer to a question: the answer chosen (One: its index in the bank's answers;
// Truth: 0 true, 1 false), or the steps in the order tapped (indices in the bank's steps).
struct Answer {
    int choice = -1;
    std::vector<int> order;
};
bool isRight(const Question& question, const Answer& answer);

// The three rounds.
enum class Mode { Topic, Exam, Review };
inline constexpr int topicRoundSize = 10;
inline constexpr int examSize = 20;
inline constexpr int reviewRoundSize = 20;

// A topic's questions, ten at most: those due first, then those never answered, then those
// missed, then the rest; shuffled.
std::vector<const Question*> topicRound(const QuizBank& bank, const Progress& progress,
                                        const QString& topic, const QDate& today,
                                        QRandomGenerator& random);
// Twenty questions across topics: twenty topics at random, one question of each.
std::vector<const Question*> examRound(const QuizBank& bank, QRandomGenerator& random);
// The questions due today, the longest waiting first, twenty at most.
std::vector<const Question*> reviewRound(const QuizBank& bank, const Progress& progress,
                                         const QDate& today);

// The order the answers or steps are shown in: a shuffle of 0..count-1; steps to be put in
// order never come already in it.
std::vector<int> shownOrder(const Question& question, QRandomGenerator& random);

// The topics of the missed questions, in the order of the round, each once.
std::vector<const Topic*> topicsToReread(const QuizBank& bank,
                                         const std::vector<const Question*>& missed);

} // namespace quiz
