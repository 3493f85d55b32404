// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuizBank.h"

#include "kit/foundation/JsonText.h"
#include "search/ArticleText.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace quiz {
namespace {

QStringList strings(const QJsonValue& value)
{
    QStringList list;
    for (const QJsonValue& item : value.toArray())
        list << item.toString().trimmed();
    return list;
}

Question readQuestion(const QJsonObject& object, int index, QStringList* faults)
{
    Question question;
    question.id = object.value(QStringLiteral("id")).toString();
    const QString name = question.id.isEmpty() ? QStringLiteral("вопрос %1").arg(index + 1)
                                               : QStringLiteral("«%1»").arg(question.id);
    if (question.id.isEmpty())
        faults->append(QStringLiteral("%1: нет id").arg(name));
    question.topic = object.value(QStringLiteral("topic")).toString();
    question.text = object.value(QStringLiteral("text")).toString().trimmed();
    question.explanation = object.value(QStringLiteral("explain")).toString().trimmed();
    question.page = object.value(QStringLiteral("page")).toString();
    question.passage = object.value(QStringLiteral("passage")).toString().trimmed();
    const QString kind = object.value(QStringLiteral("kind")).toString();
    const QJsonValue right = object.value(QStringLiteral("right"));
    if (kind == QLatin1String("one")) {
        question.kind = Question::Kind::One;
        question.answers = strings(object.value(QStringLiteral("answers")));
        if (right.isDouble()) {
            question.right = right.toInt();
        } else if (right.isArray()) {
            // Written as a list, it must hold exactly one answer.
            const QJsonArray rights = right.toArray();
            if (rights.size() == 1 && rights.at(0).isDouble())
                question.right = rights.at(0).toInt();
            else
                faults->append(rights.isEmpty()
                                   ? QStringLiteral("%1: нет правильного ответа").arg(name)
                                   : QStringLiteral("%1: правильных ответов %2, нужен один")
                                         .arg(name)
                                         .arg(rights.size()));
        }
    } else if (kind == QLatin1String("truth")) {
        question.kind = Question::Kind::Truth;
        if (right.isBool())
            question.truth = right.toBool();
        else
            faults->append(QStringLiteral("%1: верно или неверно — не сказано").arg(name));
    } else if (kind == QLatin1String("order")) {
        question.kind = Question::Kind::Order;
        question.steps = strings(object.value(QStringLiteral("steps")));
    } else {
        faults->append(
            QStringLiteral("%1: вид «%2» неизвестен (one, truth, order)").arg(name, kind));
    }
    return question;
}

// Lower case, one space between words, ё as е: how a passage and a page are compared.
QString folded(QString text)
{
    text = text.toLower();
    text.replace(QChar(u'ё'), QChar(u'е'));
    return text.simplified();
}

} // namespace

const Topic* QuizBank::topic(const QString& id) const
{
    for (const Topic& candidate : topics)
        if (candidate.id == id)
            return &candidate;
    return nullptr;
}

std::vector<const Question*> QuizBank::questionsOf(const QString& topicId) const
{
    std::vector<const Question*> found;
    for (const Question& question : questions)
        if (question.topic == topicId)
            found.push_back(&question);
    return found;
}

QString searchableText(const QString& html)
{
    return folded(search::articleText(html));
}

std::optional<QuizBank> parseBank(const QByteArray& text, QStringList* faults)
{
    const std::optional<QJsonObject> read =
        kit::readJsonObject(text, QStringLiteral("topics и questions"), faults);
    if (!read)
        return std::nullopt;
    const QJsonObject& root = *read;
    QuizBank bank;
    for (const QJsonValue& value : root.value(QStringLiteral("topics")).toArray()) {
        const QJsonObject object = value.toObject();
        bank.topics.push_back({object.value(QStringLiteral("id")).toString(),
                               object.value(QStringLiteral("title")).toString().trimmed(),
                               object.value(QStringLiteral("page")).toString()});
    }
    const QJsonArray questions = root.value(QStringLiteral("questions")).toArray();
    for (qsizetype i = 0; i < questions.size(); ++i)
        bank.questions.push_back(readQuestion(questions.at(i).toObject(), int(i), faults));
    // A question that names no page of its own comes from its topic's.
    for (Question& question : bank.questions)
        if (question.page.isEmpty())
            if (const Topic* topic = bank.topic(question.topic))
                question.page = topic->page;
    return bank;
}

QStringList checkBank(const QuizBank& bank, const QString& bundleFolder)
{
    QStringList faults;
    if (bank.questions.empty())
        faults.append(QStringLiteral("нет ни одного вопроса"));
    const QDir bundle(bundleFolder);
    QSet<QString> topicIds;
    for (const Topic& topic : bank.topics) {
        const QString name = QStringLiteral("тема «%1»").arg(topic.id);
        if (topic.id.isEmpty() || topicIds.contains(topic.id))
            faults.append(QStringLiteral("%1: нет id или он повторяется").arg(name));
        topicIds.insert(topic.id);
        if (topic.title.isEmpty())
            faults.append(QStringLiteral("%1: нет названия").arg(name));
        if (topic.page.isEmpty() || !bundle.exists(topic.page))
            faults.append(QStringLiteral("%1: страницы %2 нет").arg(name, topic.page));
    }

    // Each page's text, read once.
    QHash<QString, QString> texts;
    const auto textOf = [&](const QString& page) -> const QString* {
        if (!texts.contains(page)) {
            QFile file(bundle.filePath(page));
            if (page.isEmpty() || page.contains(QLatin1String("..")) ||
                !file.open(QIODevice::ReadOnly))
                return nullptr;
            texts.insert(page, searchableText(QString::fromUtf8(file.readAll())));
        }
        return &texts[page];
    };

    QSet<QString> ids;
    QSet<QString> covered;
    for (const Question& question : bank.questions) {
        const QString name = QStringLiteral("«%1»").arg(question.id);
        if (!question.id.isEmpty() && ids.contains(question.id))
            faults.append(QStringLiteral("%1: два вопроса с одним id").arg(name));
        ids.insert(question.id);
        if (!topicIds.contains(question.topic))
            faults.append(QStringLiteral("%1: темы «%2» нет").arg(name, question.topic));
        covered.insert(question.topic);
        if (question.text.isEmpty())
            faults.append(QStringLiteral("%1: нет текста вопроса").arg(name));
        if (question.explanation.isEmpty())
            faults.append(QStringLiteral("%1: нет объяснения").arg(name));
        switch (question.kind) {
        case Question::Kind::One: {
            if (question.answers.size() < 3 || question.answers.size() > 4)
                faults.append(QStringLiteral("%1: ответов %2, нужно 3 или 4")
                                  .arg(name)
                                  .arg(question.answers.size()));
            if (question.right < 0 || question.right >= question.answers.size())
                faults.append(QStringLiteral("%1: нет правильного ответа").arg(name));
            QSet<QString> seen;
            for (const QString& answer : question.answers) {
                if (answer.isEmpty())
                    faults.append(QStringLiteral("%1: пустой ответ").arg(name));
                else if (seen.contains(folded(answer)))
                    faults.append(QStringLiteral("%1: ответ «%2» повторяется").arg(name, answer));
                seen.insert(folded(answer));
            }
            break;
        }
        case Question::Kind::Truth:
            break;
        case Question::Kind::Order: {
            if (question.steps.size() < 3 || question.steps.size() > 6)
                faults.append(QStringLiteral("%1: шагов %2, нужно от 3 до 6")
                                  .arg(name)
                                  .arg(question.steps.size()));
            // Two equal steps would make two orders right.
            QSet<QString> seen;
            for (const QString& step : question.steps) {
                if (step.isEmpty() || seen.contains(folded(step)))
                    faults.append(
                        QStringLiteral("%1: шаг «%2» пуст или повторяется").arg(name, step));
                seen.insert(folded(step));
            }
            break;
        }
        }
        const QString* text = textOf(question.page);
        if (!text) {
            faults.append(QStringLiteral("%1: страницы %2 нет").arg(name, question.page));
        } else if (question.passage.isEmpty()) {
            faults.append(QStringLiteral("%1: не указан отрывок страницы").arg(name));
        } else if (!text->contains(folded(question.passage))) {
            faults.append(QStringLiteral("%1: на странице %2 нет слов «%3»")
                              .arg(name, question.page, question.passage));
        }
    }
    for (const Topic& topic : bank.topics)
        if (!covered.contains(topic.id))
            faults.append(QStringLiteral("тема «%1»: в ней нет вопросов").arg(topic.id));
    return faults;
}

std::optional<QuizBank> loadBank(const QString& path, const QString& bundleFolder,
                                 QStringList* faults)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        faults->append(QStringLiteral("%1: файл не открывается").arg(path));
        return std::nullopt;
    }
    std::optional<QuizBank> bank = parseBank(file.readAll(), faults);
    if (!bank)
        return std::nullopt;
    *faults += checkBank(*bank, bundleFolder);
    if (!faults->isEmpty())
        return std::nullopt;
    return bank;
}

} // namespace quiz
