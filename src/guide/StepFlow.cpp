// SPDX-License-Identifier: GPL-3.0-or-later
#include "StepFlow.h"

#include "kit/foundation/JsonText.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

namespace guide {
namespace {

// A step's fields, read with what is wrong with them.
Step readStep(const QJsonObject& object, int index, QStringList* faults)
{
    Step step;
    step.id = object.value(QStringLiteral("id")).toString();
    const QString name = step.id.isEmpty() ? QStringLiteral("шаг %1").arg(index + 1)
                                           : QStringLiteral("«%1»").arg(step.id);
    if (step.id.isEmpty())
        faults->append(QStringLiteral("%1: нет id").arg(name));
    step.text = object.value(QStringLiteral("text")).toString().trimmed();
    if (step.text.isEmpty())
        faults->append(QStringLiteral("%1: нет текста").arg(name));
    step.page = object.value(QStringLiteral("page")).toString();
    const QString drawing = object.value(QStringLiteral("drawing")).toString();
    if (!drawing.isEmpty()) {
        static const QRegularExpression form(QStringLiteral("^([^#]+)#([1-9][0-9]*)$"));
        const QRegularExpressionMatch match = form.match(drawing);
        if (match.hasMatch()) {
            step.drawingPage = match.captured(1);
            step.drawingIndex = match.captured(2).toInt();
        } else {
            faults->append(QStringLiteral("%1: рисунок «%2» не в виде страница.html#номер")
                               .arg(name, drawing));
        }
    }
    step.countdown = object.value(QStringLiteral("countdown")).toInt();
    step.repeat = object.value(QStringLiteral("repeat")).toInt();
    // The coach for an adult (true), or set for a child ("child").
    const QJsonValue coach = object.value(QStringLiteral("coach"));
    step.coachChild = coach.toString() == QLatin1String("child");
    step.coach = coach.toBool() || step.coachChild;
    step.end = object.value(QStringLiteral("end")).toBool();
    step.handsOff = object.value(QStringLiteral("handsOff")).toBool();
    for (const QJsonValue& value : object.value(QStringLiteral("answers")).toArray()) {
        const QJsonObject answer = value.toObject();
        step.answers.push_back({answer.value(QStringLiteral("label")).toString().trimmed(),
                                answer.value(QStringLiteral("next")).toString()});
    }
    return step;
}

// The number of drawings (<svg> elements) of each page, read once per check.
int drawingsIn(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return int(file.readAll().count("<svg"));
}

} // namespace

const Step* StepFlow::step(const QString& id) const
{
    for (const Step& candidate : steps)
        if (candidate.id == id)
            return &candidate;
    return nullptr;
}

int wordCount(const QString& text)
{
    static const QRegularExpression word(QStringLiteral("[\\w\\d]+(?:[-–][\\w\\d]+)*"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    int count = 0;
    for (auto it = word.globalMatch(text); it.hasNext(); it.next())
        ++count;
    return count;
}

std::optional<StepFlow> parseFlow(const QByteArray& text, QStringList* faults)
{
    const std::optional<QJsonObject> read =
        kit::readJsonObject(text, QStringLiteral("start и steps"), faults);
    if (!read)
        return std::nullopt;
    const QJsonObject& root = *read;
    StepFlow flow;
    flow.start = root.value(QStringLiteral("start")).toString();
    const QJsonArray steps = root.value(QStringLiteral("steps")).toArray();
    for (qsizetype i = 0; i < steps.size(); ++i)
        flow.steps.push_back(readStep(steps.at(i).toObject(), int(i), faults));
    const QJsonArray aed = root.value(QStringLiteral("aed")).toArray();
    for (qsizetype i = 0; i < aed.size(); ++i) {
        QJsonObject object = aed.at(i).toObject();
        object.insert(QStringLiteral("id"), QStringLiteral("aed%1").arg(i + 1));
        flow.aed.push_back(readStep(object, int(i), faults));
    }
    return flow;
}

QStringList checkFlow(const StepFlow& flow, const QString& bundleFolder)
{
    QStringList faults;
    if (flow.steps.empty()) {
        faults.append(QStringLiteral("нет ни одного шага"));
        return faults;
    }
    QHash<QString, const Step*> byId;
    for (const Step& step : flow.steps) {
        if (step.id.isEmpty())
            continue;
        if (byId.contains(step.id))
            faults.append(QStringLiteral("«%1»: два шага с одним id").arg(step.id));
        byId.insert(step.id, &step);
    }
    if (!byId.contains(flow.start))
        faults.append(QStringLiteral("начальный шаг «%1» не найден").arg(flow.start));

    const QDir bundle(bundleFolder);
    QHash<QString, int> drawings;
    // The page and the drawing a step names, in the bundle folder.
    const auto checkPages = [&](const Step& step, const QString& name) {
        if (!step.page.isEmpty() && !bundle.exists(step.page))
            faults.append(QStringLiteral("%1: страницы %2 нет").arg(name, step.page));
        if (!step.drawingPage.isEmpty()) {
            if (!bundle.exists(step.drawingPage)) {
                faults.append(
                    QStringLiteral("%1: страницы рисунка %2 нет").arg(name, step.drawingPage));
            } else {
                if (!drawings.contains(step.drawingPage))
                    drawings.insert(step.drawingPage,
                                    drawingsIn(bundle.filePath(step.drawingPage)));
                if (step.drawingIndex > drawings.value(step.drawingPage))
                    faults.append(QStringLiteral("%1: на странице %2 нет рисунка %3")
                                      .arg(name, step.drawingPage)
                                      .arg(step.drawingIndex));
            }
        }
    };
    for (const Step& step : flow.steps) {
        const QString name = QStringLiteral("«%1»").arg(step.id);
        if (const int words = wordCount(step.text); words > maxWords)
            faults.append(
                QStringLiteral("%1: слов %2, больше %3").arg(name).arg(words).arg(maxWords));
        if (step.coach && step.end)
            faults.append(QStringLiteral("%1: и конец, и помощник СЛР").arg(name));
        if (step.isFinal()) {
            if (!step.answers.empty())
                faults.append(QStringLiteral("%1: у конца не бывает ответов").arg(name));
            if (step.page.isEmpty())
                faults.append(QStringLiteral("%1: конец не называет страницу").arg(name));
        } else if (step.answers.empty() || step.answers.size() > size_t(maxAnswers)) {
            faults.append(QStringLiteral("%1: ответов %2, нужно от 1 до %3")
                              .arg(name)
                              .arg(step.answers.size())
                              .arg(maxAnswers));
        }
        for (const Answer& answer : step.answers) {
            if (answer.label.isEmpty())
                faults.append(QStringLiteral("%1: ответ без надписи").arg(name));
            if (!byId.contains(answer.next))
                faults.append(QStringLiteral("%1: ответ «%2» ведёт к шагу «%3», которого нет")
                                  .arg(name, answer.label, answer.next));
        }
        checkPages(step, name);
    }
    if (flow.aed.empty())
        faults.append(QStringLiteral("нет шагов АНД (aed)"));
    for (const Step& step : flow.aed) {
        const QString name = QStringLiteral("«%1»").arg(step.id);
        if (const int words = wordCount(step.text); words > maxWords)
            faults.append(
                QStringLiteral("%1: слов %2, больше %3").arg(name).arg(words).arg(maxWords));
        checkPages(step, name);
    }

    // Every step reachable from the start.
    QSet<QString> reached;
    QStringList queue;
    if (byId.contains(flow.start)) {
        reached.insert(flow.start);
        queue.append(flow.start);
    }
    while (!queue.isEmpty()) {
        const Step* step = byId.value(queue.takeFirst());
        for (const Answer& answer : step->answers)
            if (byId.contains(answer.next) && !reached.contains(answer.next)) {
                reached.insert(answer.next);
                queue.append(answer.next);
            }
    }
    // From every step, some path to an end: the steps that lead to an end, found backwards
    // from the ends; the rest go round without a way out.
    QSet<QString> leadOut;
    for (const Step& step : flow.steps)
        if (step.isFinal())
            leadOut.insert(step.id);
    for (bool grew = true; grew;) {
        grew = false;
        for (const Step& step : flow.steps) {
            if (leadOut.contains(step.id))
                continue;
            for (const Answer& answer : step.answers)
                if (leadOut.contains(answer.next)) {
                    leadOut.insert(step.id);
                    grew = true;
                    break;
                }
        }
    }
    for (const Step& step : flow.steps) {
        if (step.id.isEmpty())
            continue;
        if (!reached.contains(step.id))
            faults.append(QStringLiteral("«%1»: до этого шага не дойти от начала").arg(step.id));
        else if (!leadOut.contains(step.id))
            faults.append(
                QStringLiteral("«%1»: отсюда ни один путь не ведёт к концу (петля)").arg(step.id));
    }
    return faults;
}

std::optional<StepFlow> loadFlow(const QString& path, const QString& bundleFolder,
                                 QStringList* faults)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        faults->append(
            QStringLiteral("%1: не удаётся прочитать (%2)").arg(path, file.errorString()));
        return std::nullopt;
    }
    // A flow is a few kilobytes; a file of megabytes is not one.
    if (file.size() > 4 * 1024 * 1024) {
        faults->append(QStringLiteral("%1: файл больше 4 МБ").arg(path));
        return std::nullopt;
    }
    std::optional<StepFlow> flow = parseFlow(file.readAll(), faults);
    if (!flow)
        return std::nullopt;
    faults->append(checkFlow(*flow, bundleFolder));
    if (!faults->isEmpty())
        return std::nullopt;
    return flow;
}

} // namespace guide
