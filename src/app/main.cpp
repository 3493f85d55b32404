// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CheckQuizCommand.h"
#include "app/CheckStepsCommand.h"
#include "app/ExportCardCommand.h"
#include "app/FindCommand.h"
#include "app/MainInterface.h"
#include "kit/ApplicationMain.h"
#include "kit/controllers/Application.h"

int main(int argc, char** argv)
{
    return kit::applicationMain(
        argc, argv, &app::loadMainInterface,
        {app::findCommand(), app::exportCardCommand(), app::checkStepsCommand(),
         app::checkQuizCommand()},
        {{QCommandLineOption(QStringLiteral("cpr"),
                             QStringLiteral("Open the CPR coach at once (in the running copy if "
                                            "there is one).")),
          QStringLiteral("cpr"),
          QStringLiteral("Сразу открыть помощника СЛР (в уже запущенной копии, если она есть).")}});
}
