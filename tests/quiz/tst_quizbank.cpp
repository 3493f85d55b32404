// SPDX-License-Identifier: GPL-3.0-or-later
// The question bank's file: what a writer can get wrong is each reported, naming the
// question; the bank the program ships is sound and large enough; --check-quiz says so and
// ends as it should.

#include "TestSupport.h"

#include "app/CheckQuizCommand.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/Plural.h"
#include "quiz/QuizBank.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

QJsonObject one(const QString& id, const QJsonValue& right, const QString& passage)
{
    return {{"id", id},
            {"topic", "cpr"},
            {"kind", "one"},
            {"text", "Что делать сначала?"},
            {"answers", QJsonArray{"Искать пульс", "Звонить 112", "Ждать"}},
            {"right", right},
            {"explain", "Сразу звоните."},
            {"passage", passage}};
}

// A small sound bank: one topic, a question of each kind.
QJsonObject soundBank()
{
    return {{"topics", QJsonArray{QJsonObject{
                           {"id", "cpr"}, {"title", "Реанимация"}, {"page", "page.html"}}}},
            {"questions",
             QJsonArray{one("cpr-1", 1, "Сразу звоните 112"),
                        QJsonObject{{"id", "cpr-2"},
                                    {"topic", "cpr"},
                                    {"kind", "truth"},
                                    {"text", "Всхлипы — это дыхание."},
                                    {"right", false},
                                    {"explain", "Всхлипы — не дыхание."},
                                    {"passage", "всхлипы — не дыхание"}},
                        QJsonObject{{"id", "cpr-3"},
                                    {"topic", "cpr"},
                                    {"kind", "order"},
                                    {"text", "По порядку."},
                                    {"steps", QJsonArray{"Безопасность", "Сознание", "Вызов"}},
                                    {"explain", "Сначала безопасность."},
                                    {"passage", "Сразу звоните"}}}}};
}

QJsonObject withQuestion(QJsonObject bank, int index, const QJsonObject& question)
{
    QJsonArray questions = bank.value("questions").toArray();
    questions[index] = question;
    bank.insert("questions", questions);
    return bank;
}

QStringList faultsOf(const QJsonObject& bank, const QString& folder)
{
    QStringList faults;
    const std::optional<quiz::QuizBank> read =
        quiz::parseBank(QJsonDocument(bank).toJson(), &faults);
    if (read)
        faults += quiz::checkBank(*read, folder);
    return faults;
}

} // namespace

class TestQuizBank final : public QObject {
    Q_OBJECT

    QTemporaryDir _bundle;

private slots:
    void initTestCase()
    {
        QFile page(_bundle.filePath("page.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        // The passage is found as a reader sees the text: tags, entities and soft hyphens
        // aside, letter case and ё aside.
        page.write("<html><body><p><b>Сразу</b> зво&shy;ните&nbsp;112.</p>"
                   "<p>Всхлипы — не дыхание.</p></body></html>");
    }

    void aSoundBankHasNoFault() { QCOMPARE(faultsOf(soundBank(), _bundle.path()), QStringList()); }

    void eachFaultIsNamed_data()
    {
        QTest::addColumn<QJsonObject>("bank");
        QTest::addColumn<QString>("fault");
        const QJsonObject sound = soundBank();
        QTest::newRow("no right answer")
            << withQuestion(sound, 0, one("cpr-1", 3, "Сразу звоните 112"))
            << "«cpr-1»: нет правильного ответа";
        QTest::newRow("two right answers")
            << withQuestion(sound, 0, one("cpr-1", QJsonArray{0, 1}, "Сразу звоните 112"))
            << "«cpr-1»: правильных ответов 2, нужен один";
        QTest::newRow("a passage the page does not say")
            << withQuestion(sound, 0, one("cpr-1", 1, "ищите пульс на шее"))
            << "«cpr-1»: на странице page.html нет слов «ищите пульс на шее»";
        QJsonObject elsewhere = one("cpr-1", 1, "Сразу звоните 112");
        elsewhere.insert("page", "gone.html");
        QTest::newRow("a broken link")
            << withQuestion(sound, 0, elsewhere) << "«cpr-1»: страницы gone.html нет";
        QJsonObject unexplained = one("cpr-1", 1, "Сразу звоните 112");
        unexplained.insert("explain", " ");
        QTest::newRow("an empty explanation")
            << withQuestion(sound, 0, unexplained) << "«cpr-1»: нет объяснения";
        QJsonObject twice = one("cpr-1", 1, "Сразу звоните 112");
        twice.insert("answers", QJsonArray{"Звонить 112", "звонить 112", "Ждать"});
        QTest::newRow("one answer twice")
            << withQuestion(sound, 0, twice) << "«cpr-1»: ответ «звонить 112» повторяется";
        QJsonObject shortOrder = sound.value("questions").toArray().at(2).toObject();
        shortOrder.insert("steps", QJsonArray{"Безопасность", "Вызов"});
        QTest::newRow("an order of two steps")
            << withQuestion(sound, 2, shortOrder) << "«cpr-3»: шагов 2, нужно от 3 до 6";
        QJsonObject undecided = sound.value("questions").toArray().at(1).toObject();
        undecided.remove("right");
        QTest::newRow("a statement neither true nor false")
            << withQuestion(sound, 1, undecided) << "«cpr-2»: верно или неверно — не сказано";
        QJsonObject lost = one("cpr-1", 1, "Сразу звоните 112");
        lost.insert("topic", "burns");
        QTest::newRow("no such topic")
            << withQuestion(sound, 0, lost) << "«cpr-1»: темы «burns» нет";
    }

    void eachFaultIsNamed()
    {
        QFETCH(QJsonObject, bank);
        QFETCH(QString, fault);
        const QStringList faults = faultsOf(bank, _bundle.path());
        QVERIFY2(faults.contains(fault), qPrintable(faults.join('\n')));
    }

    void theShippedBankIsSoundAndTheCommandSaysSo()
    {
        bool sound = false;
        const QStringList lines = app::checkQuizLines(QString(), &sound);
        QVERIFY2(sound, qPrintable(lines.join('\n')));
        QCOMPARE(lines.size(), 1);
        QStringList faults;
        const std::optional<quiz::QuizBank> bank =
            quiz::loadBank(kit::Bundle::mainBundle().pathForResource("quiz", "json"),
                           kit::Bundle::mainBundle().bundlePath(), &faults);
        QVERIFY(bank);
        QVERIFY(bank->questions.size() >= 150);
        QVERIFY(bank->topics.size() >= 25);
        const auto count = [](qsizetype n, const char* one, const char* few, const char* many) {
            return QString::number(n) + ' ' +
                   kit::russianPlural(n, QString::fromUtf8(one), QString::fromUtf8(few),
                                      QString::fromUtf8(many));
        };
        QCOMPARE(lines.constFirst(),
                 count(qsizetype(bank->questions.size()), "вопрос", "вопроса", "вопросов") +
                     QStringLiteral(", ") +
                     count(qsizetype(bank->topics.size()), "тема", "темы", "тем"));
        // Every kind is there, and every topic has questions.
        int kinds[3] = {};
        for (const quiz::Question& question : bank->questions)
            ++kinds[int(question.kind)];
        QVERIFY(kinds[0] > 0 && kinds[1] > 0 && kinds[2] > 0);
        for (const quiz::Topic& topic : bank->topics)
            QVERIFY2(!bank->questionsOf(topic.id).empty(), qPrintable(topic.id));

        // A writer's broken copy: the fault is printed and the command says so.
        QFile copy(_bundle.filePath("broken.json"));
        QVERIFY(copy.open(QIODevice::WriteOnly));
        copy.write(QJsonDocument(withQuestion(soundBank(), 0, one("cpr-1", 7, "Сразу звоните 112")))
                       .toJson());
        copy.close();
        const QString shipped = kit::Bundle::mainBundle().bundlePath();
        kit::Bundle::setMainBundlePath(_bundle.path());
        const QStringList broken = app::checkQuizLines(copy.fileName(), &sound);
        kit::Bundle::setMainBundlePath(shipped);
        QVERIFY(!sound);
        QVERIFY2(broken.contains("«cpr-1»: нет правильного ответа"), qPrintable(broken.join('\n')));
        // Not JSON at all: where.
        faults.clear();
        QVERIFY(!quiz::parseBank("{\n \"topics\": [\n  {,\n", &faults));
        QVERIFY2(faults.constFirst().startsWith("строка 3: не JSON"),
                 qPrintable(faults.join('\n')));
    }
};

FIRSTAID_TEST_MAIN(TestQuizBank)

#include "tst_quizbank.moc"
