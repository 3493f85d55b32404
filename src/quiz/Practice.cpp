// SPDX-License-Identifier: GPL-3.0-or-later
#include "Practice.h"

#include "kit/foundation/Log.h"
#include "kit/foundation/UserDefaults.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>

namespace quiz {
namespace {

template <class T> void shuffle(std::vector<T>& items, QRandomGenerator& random)
{
    for (size_t i = items.size(); i > 1; --i)
        std::swap(items[i - 1], items[size_t(random.bounded(int(i)))]);
}

} // namespace

const QString Progress::storeKey = QStringLiteral("QUIZ_PROGRESS");

void Progress::answer(const QString& id, bool right, const QDateTime& now)
{
    Record& record = _records[id];
    const QDate today = now.date();
    record.answered = now;
    record.right = right;
    if (!right) {
        record.review = 1;
        record.due = today.addDays(reviewDays[0]);
        return;
    }
    if (record.review == 0 || today < record.due)
        return;
    if (record.review >= int(reviewDays.size())) {
        record.review = 0;
        record.due = QDate();
        return;
    }
    record.due = today.addDays(reviewDays[size_t(record.review)]);
    ++record.review;
}

const Record* Progress::record(const QString& id) const
{
    auto found = _records.constFind(id);
    return found == _records.constEnd() ? nullptr : &*found;
}

bool Progress::isDue(const QString& id, const QDate& today) const
{
    const Record* found = record(id);
    return found && found->review > 0 && found->due <= today;
}

int Progress::known(const std::vector<const Question*>& questions) const
{
    return int(std::count_if(questions.begin(), questions.end(), [this](const Question* q) {
        const Record* found = record(q->id);
        return found && found->right;
    }));
}

std::vector<const Question*> Progress::due(const QuizBank& bank, const QDate& today) const
{
    std::vector<const Question*> result;
    for (const Question& question : bank.questions)
        if (isDue(question.id, today))
            result.push_back(&question);
    std::stable_sort(result.begin(), result.end(), [this](const Question* a, const Question* b) {
        return record(a->id)->due < record(b->id)->due;
    });
    return result;
}

void Progress::reset(const QDateTime& now)
{
    _records.clear();
    _resetAt = now;
}

QByteArray Progress::toJson() const
{
    QJsonObject questions;
    for (auto it = _records.constBegin(); it != _records.constEnd(); ++it) {
        QJsonObject entry{{QStringLiteral("right"), it->right},
                          {QStringLiteral("answered"), it->answered.toString(Qt::ISODateWithMs)}};
        if (it->review > 0) {
            entry.insert(QStringLiteral("review"), it->review);
            entry.insert(QStringLiteral("due"), it->due.toString(Qt::ISODate));
        }
        questions.insert(it.key(), entry);
    }
    QJsonObject root{{QStringLiteral("questions"), questions}};
    if (_resetAt.isValid())
        root.insert(QStringLiteral("reset"), _resetAt.toString(Qt::ISODateWithMs));
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

Progress Progress::fromJson(const QByteArray& json)
{
    Progress progress;
    const QJsonObject root = QJsonDocument::fromJson(json).object();
    progress._resetAt =
        QDateTime::fromString(root.value(QStringLiteral("reset")).toString(), Qt::ISODateWithMs);
    const QJsonObject questions = root.value(QStringLiteral("questions")).toObject();
    for (auto it = questions.constBegin(); it != questions.constEnd(); ++it) {
        const QJsonObject entry = it.value().toObject();
        Record record;
        record.right = entry.value(QStringLiteral("right")).toBool();
        record.answered = QDateTime::fromString(entry.value(QStringLiteral("answered")).toString(),
                                                Qt::ISODateWithMs);
        record.review = entry.value(QStringLiteral("review")).toInt();
        record.due = QDate::fromString(entry.value(QStringLiteral("due")).toString(), Qt::ISODate);
        // A record that makes no sense is dropped, not guessed at: the question is new again.
        if (!record.answered.isValid() || record.review < 0 ||
            record.review > int(reviewDays.size()) || (record.review > 0 && !record.due.isValid()))
            continue;
        progress._records.insert(it.key(), record);
    }
    return progress;
}

void Progress::merge(const Progress& other)
{
    if (other._resetAt.isValid() && (!_resetAt.isValid() || other._resetAt > _resetAt))
        _resetAt = other._resetAt;
    for (auto it = other._records.constBegin(); it != other._records.constEnd(); ++it) {
        auto mine = _records.find(it.key());
        if (mine == _records.end() || it->answered > mine->answered)
            _records.insert(it.key(), *it);
    }
    if (_resetAt.isValid())
        _records.removeIf([this](const QHash<QString, Record>::iterator& it) {
            return it->answered <= _resetAt;
        });
}

Progress Progress::read(kit::UserDefaults& defaults)
{
    defaults.refresh();
    const QVariant stored = defaults.objectForKey(storeKey);
    return fromJson(stored.typeId() == QMetaType::QByteArray ? stored.toByteArray()
                                                             : stored.toString().toUtf8());
}

bool Progress::save(kit::UserDefaults& defaults)
{
    merge(read(defaults));
    defaults.setObject(QString::fromUtf8(toJson()), storeKey);
    if (defaults.synchronize())
        return true;
    kit::log(QStringLiteral("Practice progress not saved: %1").arg(defaults.lastError()));
    return false;
}

bool isRight(const Question& question, const Answer& answer)
{
    switch (question.kind) {
    case Question::Kind::One:
        return answer.choice == question.right;
    case Question::Kind::Truth:
        return (answer.choice == 0) == question.truth && answer.choice >= 0 && answer.choice <= 1;
    case Question::Kind::Order:
        if (answer.order.size() != size_t(question.steps.size()))
            return false;
        for (size_t i = 0; i < answer.order.size(); ++i)
            if (answer.order[i] != int(i))
                return false;
        return true;
    }
    return false;
}

std::vector<const Question*> topicRound(const QuizBank& bank, const Progress& progress,
                                        const QString& topic, const QDate& today,
                                        QRandomGenerator& random)
{
    // Each group shuffled, then taken in the order of need.
    std::array<std::vector<const Question*>, 4> groups;
    for (const Question* question : bank.questionsOf(topic)) {
        const Record* record = progress.record(question->id);
        const size_t group = progress.isDue(question->id, today) ? 0
                             : !record                           ? 1
                             : !record->right                    ? 2
                                                                 : 3;
        groups[group].push_back(question);
    }
    std::vector<const Question*> round;
    for (auto& group : groups) {
        shuffle(group, random);
        for (const Question* question : group)
            if (round.size() < size_t(topicRoundSize))
                round.push_back(question);
    }
    shuffle(round, random);
    return round;
}

std::vector<const Question*> examRound(const QuizBank& bank, QRandomGenerator& random)
{
    std::vector<const Topic*> topics;
    for (const Topic& topic : bank.topics)
        if (!bank.questionsOf(topic.id).empty())
            topics.push_back(&topic);
    shuffle(topics, random);
    std::vector<const Question*> round;
    // With fewer topics than questions wanted, the topics are gone through again.
    for (size_t pass = 0; round.size() < size_t(examSize) && !topics.empty(); ++pass) {
        bool added = false;
        for (const Topic* topic : topics) {
            if (round.size() >= size_t(examSize))
                break;
            std::vector<const Question*> candidates;
            for (const Question* question : bank.questionsOf(topic->id))
                if (std::find(round.begin(), round.end(), question) == round.end())
                    candidates.push_back(question);
            if (candidates.empty())
                continue;
            round.push_back(candidates[size_t(random.bounded(int(candidates.size())))]);
            added = true;
        }
        if (!added)
            break;
    }
    shuffle(round, random);
    return round;
}

std::vector<const Question*> reviewRound(const QuizBank& bank, const Progress& progress,
                                         const QDate& today)
{
    std::vector<const Question*> round = progress.due(bank, today);
    if (round.size() > size_t(reviewRoundSize))
        round.resize(size_t(reviewRoundSize));
    return round;
}

std::vector<int> shownOrder(const Question& question, QRandomGenerator& random)
{
    const int count = question.kind == Question::Kind::One     ? int(question.answers.size())
                      : question.kind == Question::Kind::Order ? int(question.steps.size())
                                                               : 2;
    std::vector<int> order(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        order[size_t(i)] = i;
    // True comes before false, as everywhere.
    if (question.kind == Question::Kind::Truth)
        return order;
    shuffle(order, random);
    if (question.kind == Question::Kind::Order && count > 1 &&
        std::is_sorted(order.begin(), order.end()))
        std::rotate(order.begin(), order.begin() + 1, order.end());
    return order;
}

std::vector<const Topic*> topicsToReread(const QuizBank& bank,
                                         const std::vector<const Question*>& missed)
{
    std::vector<const Topic*> topics;
    for (const Question* question : missed)
        if (const Topic* topic = bank.topic(question->topic))
            if (std::find(topics.begin(), topics.end(), topic) == topics.end())
                topics.push_back(topic);
    return topics;
}

} // namespace quiz
