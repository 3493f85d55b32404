// SPDX-License-Identifier: GPL-3.0-or-later
#include "Guide.h"

#include "CoachScreen.h"
#include "FlowScreen.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/Log.h"
#include "kit/pickers/AlertView.h"
#include "kit/views/View.h"

#include <QDir>

namespace steps {
namespace {

// What a coach opened on its own says above the count.
const char* const coachInstruction =
    "Давите на центр груди в такт щелчкам: взрослому на 5–6 см, руки прямые. "
    "Ребёнку и младенцу сначала 5 вдохов.";

template <class Screen> bool isUp(kit::ViewController& over)
{
    for (kit::ViewController* screen = &over; screen; screen = screen->modalViewController())
        if (qobject_cast<Screen*>(screen))
            return true;
    return false;
}

} // namespace

QString flowPath()
{
    return QDir(kit::Bundle::mainBundle().bundlePath()).filePath(QStringLiteral("steps.json"));
}

std::optional<guide::StepFlow> loadBundledFlow(QStringList* faults)
{
    QStringList found;
    std::optional<guide::StepFlow> flow =
        guide::loadFlow(flowPath(), kit::Bundle::mainBundle().bundlePath(), &found);
    for (const QString& fault : found)
        kit::log(QStringLiteral("Steps file: %1").arg(fault));
    if (faults)
        *faults = found;
    return flow;
}

void openFlow(kit::ViewController& over)
{
    if (isUp<FlowScreen>(over) || isUp<CoachScreen>(over))
        return;
    QStringList faults;
    std::optional<guide::StepFlow> flow = loadBundledFlow(&faults);
    if (!flow) {
        auto* alert = new kit::AlertView(
            QStringLiteral("Пошаговая помощь недоступна"),
            QStringLiteral("Файл шагов повреждён (%1). Статьи, схема и остальные вкладки "
                           "работают как обычно.")
                .arg(faults.value(0, QStringLiteral("не прочитан"))),
            QStringLiteral("OK"));
        alert->setObjectName(QStringLiteral("flowUnavailable"));
        alert->show();
        return;
    }
    auto screen = std::make_unique<FlowScreen>(std::move(*flow));
    kit::setFrame(screen->view(), QRect(0, 0, kit::Window::width, kit::Window::height));
    over.topmostViewController().presentModalViewController(std::move(screen), true);
}

void openCoach(kit::ViewController& over)
{
    if (isUp<CoachScreen>(over))
        return;
    // The coach does not need the flow: from a damaged file it only lacks the defibrillator's
    // steps.
    std::optional<guide::StepFlow> flow = loadBundledFlow();
    auto screen =
        std::make_unique<CoachScreen>(QString::fromUtf8(coachInstruction), false,
                                      flow ? flow->aed : std::vector<guide::Step>(), false);
    kit::setFrame(screen->view(), QRect(0, 0, kit::Window::width, kit::Window::height));
    over.topmostViewController().presentModalViewController(std::move(screen), true);
}

} // namespace steps
