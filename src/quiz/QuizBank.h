// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace quiz {

// A topic of the questions: its name on the practice screens and the article it practises.
struct Topic {
    QString id;
    QString title;
    QString page;
};

// One question. Its kind says which of the fields are the answer.
struct Question {
    enum class Kind { One, Truth, Order };

    QString id;
    QString topic;
    Kind kind = Kind::One;
    QString text;
    // One: the answers shown, and the index of the right one.
    QStringList answers;
    int right = -1;
    // Truth: whether the statement is true.
    bool truth = false;
    // Order: the steps in the right order (shown shuffled).
    QStringList steps;
    // Shown after the answer: why.
    QString explanation;
    // The article the question comes from (the topic's unless it names another), and the
    // words of it the article opens at.
    QString page;
    QString passage;
};

// The whole bank, as its file describes it.
struct QuizBank {
    std::vector<Topic> topics;
    std::vector<Question> questions;

    const Topic* topic(const QString& id) const;
    // The questions of a topic, in the bank's order.
    std::vector<const Question*> questionsOf(const QString& topic) const;
};

// Reads a bank from the text of its file (JSON). Every fault of the file is added to faults,
// one line each, naming the question; a file that cannot be read at all gives nothing.
std::optional<QuizBank> parseBank(const QByteArray& text, QStringList* faults);

// What is wrong with a bank that was read: a question without a right answer or with two, an
// order of fewer than three steps, a topic or page that does not exist, a passage its page
// does not say, an empty explanation. Empty when the bank is sound.
QStringList checkBank(const QuizBank& bank, const QString& bundleFolder);

// Reads and checks the file of a bank: the bank when it is sound, else nothing and the faults.
std::optional<QuizBank> loadBank(const QString& path, const QString& bundleFolder,
                                 QStringList* faults);

// A page's text as the check looks for passages in it: what a reader sees, in lower case.
QString searchableText(const QString& html);

} // namespace quiz
