#include "ChangeBlood.h"

#include "PersonalRecord.h"
#include "kit/foundation/UserDefaults.h"

#include <optional>

namespace {

const QString groupSuffix = QStringLiteral(" группа");
const QString rhesusPrefix = QStringLiteral("Rh");

} // namespace

ChangeBlood::ChangeBlood()
    : WheelEditor(QStringLiteral("Группа крови"), QStringLiteral("Группа/Резус"),
                  [this] { saveBlood(); })
{
    picker()->setObjectName(QStringLiteral("bloodPicker"));
}

void ChangeBlood::viewDidLoad()
{
    if (const std::optional<QString> stored =
            kit::UserDefaults::standardUserDefaults().stringForKey(record::OWN_BLOOD)) {
        // The editor itself always writes both halves; anything else keeps its whole text as
        // the group, so a save that only turns the rhesus wheel loses none of it.
        const qsizetype separator = stored->indexOf(record::bloodSeparator);
        if (separator >= 0) {
            setGroup(stored->left(separator));
            setRhesus(stored->mid(separator + record::bloodSeparator.size()));
        } else {
            setGroup(*stored);
            setRhesus(record::rhesusFactors.at(0));
        }
    } else {
        setGroup(record::bloodGroups.at(1));
        setRhesus(record::rhesusFactors.at(0));
    }
    WheelEditor::viewDidLoad();
    _groups = {QStringLiteral("I"), QStringLiteral("II"), QStringLiteral("III"),
               QStringLiteral("IV")};
    _rhesuses = {QStringLiteral("+"), QStringLiteral("-")};
    // The wheels open on "II" and "+" whatever is stored; the row shows the stored value.
    setUpWheels(QStringLiteral("Группа крови"), QStringLiteral("Резус-фактор"), 1, 0);
}

kit::TableViewCell* ChangeBlood::cellForRowAtIndexPath(kit::TableView&, kit::IndexPath)
{
    return valueCell(record::formatBlood(_group, _rhesus));
}

void ChangeBlood::wheelTurned(int row, int component)
{
    if (component == 0)
        setGroup(_groups.at(row) + groupSuffix);
    else
        setRhesus(rhesusPrefix + _rhesuses.at(row));
}

void ChangeBlood::saveBlood()
{
    kit::UserDefaults::standardUserDefaults().setObject(record::formatBlood(_group, _rhesus),
                                                        record::OWN_BLOOD);
    finishSave();
}
