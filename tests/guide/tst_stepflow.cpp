// SPDX-License-Identifier: GPL-3.0-or-later
// The step-by-step help's file: what a writer can get wrong is each reported, naming the
// step; the file the program ships is sound; --check-steps says so and ends as it should.

#include "TestSupport.h"

#include "app/CheckStepsCommand.h"
#include "guide/StepFlow.h"
#include "kit/foundation/Bundle.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

QJsonObject step(const QString& id, const QString& text, const QJsonArray& answers = {})
{
    QJsonObject object{{"id", id}, {"text", text}};
    if (!answers.isEmpty())
        object.insert("answers", answers);
    return object;
}

QJsonObject answer(const QString& label, const QString& next)
{
    return {{"label", label}, {"next", next}};
}

QJsonObject finalStep(const QString& id, const QString& page)
{
    return {{"id", id},
            {"text", "Оставайтесь рядом до приезда бригады."},
            {"end", true},
            {"page", page}};
}

// A small sound flow: safety, then a question with two ends.
QJsonObject soundFlow()
{
    return {{"start", "safety"},
            {"steps", QJsonArray{step("safety", "Убедитесь, что вам ничего не угрожает.",
                                      {answer("Готово", "responds")}),
                                 step("responds", "Человек отвечает?",
                                      {answer("Да", "ok"), answer("Нет", "cpr")}),
                                 finalStep("ok", "page.html"),
                                 QJsonObject{{"id", "cpr"},
                                             {"text", "Начинайте давить на грудь."},
                                             {"coach", true},
                                             {"page", "page.html"},
                                             {"drawing", "page.html#1"}}}},
            {"aed", QJsonArray{QJsonObject{{"text", "Включите АНД и слушайте его."},
                                           {"page", "page.html"}}}}};
}

QStringList faultsOf(const QJsonObject& flow, const QString& bundle)
{
    QStringList faults;
    const std::optional<guide::StepFlow> read =
        guide::parseFlow(QJsonDocument(flow).toJson(), &faults);
    if (read)
        faults += guide::checkFlow(*read, bundle);
    return faults;
}

QJsonObject withStep(QJsonObject flow, int index, const QJsonObject& replacement)
{
    QJsonArray steps = flow.value("steps").toArray();
    if (index < steps.size())
        steps[index] = replacement;
    else
        steps.append(replacement);
    flow.insert("steps", steps);
    return flow;
}

} // namespace

class TestStepFlow final : public QObject {
    Q_OBJECT

    QTemporaryDir _bundle;

private slots:
    void initTestCase()
    {
        QFile page(_bundle.filePath("page.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><body><svg><title>Руки на груди</title></svg></body></html>");
    }

    void aSoundFlowHasNoFault() { QCOMPARE(faultsOf(soundFlow(), _bundle.path()), QStringList()); }

    void eachFaultIsNamed_data()
    {
        QTest::addColumn<QJsonObject>("flow");
        QTest::addColumn<QString>("fault");
        const QJsonObject sound = soundFlow();
        QTest::newRow("an answer to nowhere")
            << withStep(sound, 1,
                        step("responds", "Человек отвечает?",
                             {answer("Да", "ok"), answer("Нет", "missing")}))
            << "«responds»: ответ «Нет» ведёт к шагу «missing», которого нет";
        QTest::newRow("a step no answer leads to")
            << withStep(sound, 4, finalStep("lost", "page.html"))
            << "«lost»: до этого шага не дойти от начала";
        // Two steps that lead to each other and nowhere else: a helper would go round.
        QJsonObject loop = withStep(
            sound, 1,
            step("responds", "Человек отвечает?", {answer("Да", "ok"), answer("Нет", "a")}));
        loop = withStep(loop, 4, step("a", "Проверьте ещё раз.", {answer("Готово", "b")}));
        loop = withStep(loop, 5, step("b", "И ещё раз.", {answer("Готово", "a")}));
        QTest::newRow("a loop without an exit")
            << loop << "«a»: отсюда ни один путь не ведёт к концу (петля)";
        QTest::newRow("a missing page") << withStep(sound, 2, finalStep("ok", "nowhere.html"))
                                        << "«ok»: страницы nowhere.html нет";
        QTest::newRow("a missing drawing")
            << withStep(sound, 3,
                        QJsonObject{{"id", "cpr"},
                                    {"text", "Начинайте давить на грудь."},
                                    {"coach", true},
                                    {"page", "page.html"},
                                    {"drawing", "page.html#2"}})
            << "«cpr»: на странице page.html нет рисунка 2";
        QTest::newRow("an end without its page")
            << withStep(sound, 2, QJsonObject{{"id", "ok"}, {"text", "Ждите."}, {"end", true}})
            << "«ok»: конец не называет страницу";
        QTest::newRow("four answers")
            << withStep(sound, 0,
                        step("safety", "Опасно?",
                             {answer("Да", "responds"), answer("Нет", "responds"),
                              answer("Не знаю", "responds"), answer("Готово", "responds")}))
            << "«safety»: ответов 4, нужно от 1 до 3";
        QTest::newRow("too many words")
            << withStep(sound, 0,
                        step("safety", QStringLiteral("слово ").repeated(26),
                             {answer("Готово", "responds")}))
            << "«safety»: слов 26, больше 25";
        QTest::newRow("two steps with one id")
            << withStep(sound, 4, finalStep("ok", "page.html")) << "«ok»: два шага с одним id";
        QJsonObject noStart = sound;
        noStart.insert("start", "begin");
        QTest::newRow("no such start") << noStart << "начальный шаг «begin» не найден";
        QJsonObject noAed = sound;
        noAed.remove("aed");
        QTest::newRow("no defibrillator steps") << noAed << "нет шагов АНД (aed)";
        QJsonObject aedDrawing = sound;
        aedDrawing.insert("aed", QJsonArray{QJsonObject{{"text", "Наклейте электроды."},
                                                        {"drawing", "page.html#3"}}});
        QTest::newRow("a defibrillator step's missing drawing")
            << aedDrawing << "«aed1»: на странице page.html нет рисунка 3";
    }

    void eachFaultIsNamed()
    {
        QFETCH(QJsonObject, flow);
        QFETCH(QString, fault);
        const QStringList faults = faultsOf(flow, _bundle.path());
        QVERIFY2(faults.contains(fault), qPrintable(faults.join('\n')));
    }

    void aBrokenFileSaysWhereAndGivesNoFlow()
    {
        QStringList faults;
        QVERIFY(!guide::parseFlow("{\n  \"start\": \"a\",\n  \"steps\": [\n    {,\n", &faults));
        QCOMPARE(faults.size(), 1);
        QVERIFY2(faults.constFirst().startsWith("строка 4: не JSON"),
                 qPrintable(faults.join('\n')));
        faults.clear();
        QVERIFY(!guide::loadFlow(_bundle.filePath("absent.json"), _bundle.path(), &faults));
        QCOMPARE(faults.size(), 1);
    }

    void theShippedFlowIsSoundAndTheCommandSaysSo()
    {
        bool sound = false;
        const QStringList lines = app::checkStepsLines(QString(), &sound);
        QVERIFY2(sound, qPrintable(lines.join('\n')));
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines.constFirst().contains("ошибок нет"));
        QStringList faults;
        const std::optional<guide::StepFlow> flow =
            guide::loadFlow(kit::Bundle::mainBundle().pathForResource("steps", "json"),
                            kit::Bundle::mainBundle().bundlePath(), &faults);
        QVERIFY(flow);
        QVERIFY(flow->steps.size() >= 25);

        // A writer's broken copy: the fault is printed and the command says so.
        QFile copy(_bundle.filePath("broken.json"));
        QVERIFY(copy.open(QIODevice::WriteOnly));
        copy.write(QJsonDocument(withStep(soundFlow(), 1,
                                          step("responds", "Человек отвечает?",
                                               {answer("Да", "ok"), answer("Нет", "gone")})))
                       .toJson());
        copy.close();
        const QString shipped = kit::Bundle::mainBundle().bundlePath();
        kit::Bundle::setMainBundlePath(_bundle.path());
        const QStringList broken = app::checkStepsLines(copy.fileName(), &sound);
        kit::Bundle::setMainBundlePath(shipped);
        QVERIFY(!sound);
        QVERIFY2(broken.contains("«responds»: ответ «Нет» ведёт к шагу «gone», которого нет"),
                 qPrintable(broken.join('\n')));
    }
};

FIRSTAID_TEST_MAIN(TestStepFlow)

#include "tst_stepflow.moc"
