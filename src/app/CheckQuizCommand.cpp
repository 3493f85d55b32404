// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckQuizCommand.h"

#include "kit/foundation/Bundle.h"
#include "kit/foundation/Plural.h"
#include "quiz/QuizBank.h"

#include <cstdio>

namespace app {

QStringList checkQuizLines(const QString& path, bool* sound)
{
    const kit::Bundle& bundle = kit::Bundle::mainBundle();
    const QString file =
        path.isEmpty() ? bundle.pathForResource(QStringLiteral("quiz"), QStringLiteral("json"))
                       : path;
    QStringList faults;
    const std::optional<quiz::QuizBank> bank = quiz::loadBank(file, bundle.bundlePath(), &faults);
    *sound = bank.has_value();
    if (!bank)
        return faults;
    const qsizetype questions = qsizetype(bank->questions.size());
    const qsizetype topics = qsizetype(bank->topics.size());
    return {QStringLiteral("%1 %2, %3 %4")
                .arg(questions)
                .arg(kit::russianPlural(questions, QStringLiteral("вопрос"),
                                        QStringLiteral("вопроса"), QStringLiteral("вопросов")))
                .arg(topics)
                .arg(kit::russianPlural(topics, QStringLiteral("тема"), QStringLiteral("темы"),
                                        QStringLiteral("тем")))};
}

kit::CommandLineCommand checkQuizCommand()
{
    return {QCommandLineOption(QStringLiteral("check-quiz"),
                               QStringLiteral("Check a question bank (the program's own without "
                                              "FILE): print what is wrong and end with 1, or the "
                                              "number of questions and topics.")),
            [](const QString& path) {
                bool sound = false;
                for (const QString& line : checkQuizLines(path, &sound))
                    std::printf("%s\n", line.toUtf8().constData());
                return sound ? 0 : 1;
            },
            false,
            QStringLiteral("Проверить банк вопросов (без FILE — встроенный): напечатать ошибки и "
                           "выйти с кодом 1 или число вопросов и тем.")};
}

} // namespace app
