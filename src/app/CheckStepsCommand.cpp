// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckStepsCommand.h"

#include "guide/StepFlow.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/Plural.h"

#include <algorithm>
#include <cstdio>

namespace app {
QStringList checkStepsLines(const QString& path, bool* sound)
{
    const kit::Bundle& bundle = kit::Bundle::mainBundle();
    const QString file =
        path.isEmpty() ? bundle.pathForResource(QStringLiteral("steps"), QStringLiteral("json"))
                       : path;
    QStringList faults;
    const std::optional<guide::StepFlow> flow = guide::loadFlow(file, bundle.bundlePath(), &faults);
    *sound = flow.has_value();
    if (!flow)
        return faults;
    const auto ends = std::count_if(flow->steps.begin(), flow->steps.end(),
                                    [](const guide::Step& step) { return step.isFinal(); });
    return {QStringLiteral("%1: %2 %3 (концов: %4), ошибок нет")
                .arg(file)
                .arg(flow->steps.size())
                .arg(kit::russianPlural(qsizetype(flow->steps.size()), QStringLiteral("шаг"),
                                        QStringLiteral("шага"), QStringLiteral("шагов")))
                .arg(ends)};
}

kit::CommandLineCommand checkStepsCommand()
{
    return {QCommandLineOption(QStringLiteral("check-steps"),
                               QStringLiteral("Check a file of the step-by-step help (the "
                                              "program's own without FILE): print what is "
                                              "wrong and end with 1, or the number of steps.")),
            [](const QString& path) {
                bool sound = false;
                for (const QString& line : checkStepsLines(path, &sound))
                    std::printf("%s\n", line.toUtf8().constData());
                return sound ? 0 : 1;
            },
            false,
            QStringLiteral("Проверить файл пошаговой помощи (без FILE — встроенный): напечатать "
                           "ошибки и выйти с кодом 1 или число шагов.")};
}

} // namespace app
