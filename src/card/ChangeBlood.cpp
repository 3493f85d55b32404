// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChangeBlood.h"

#include "kit/foundation/UserDefaults.h"
#include "record/PersonalRecord.h"

#include <optional>

namespace card {
namespace {

const QString groupSuffix = QStringLiteral(" группа");
const QString rhesusPrefix = QStringLiteral("Rh");

} // namespace

ChangeBlood::ChangeBlood() : WheelEditor(record::Blood)
{
    picker()->setObjectName(QStringLiteral("bloodPicker"));
}

void ChangeBlood::readStored()
{
    if (const std::optional<QString> stored =
            kit::UserDefaults::standardUserDefaults().stringForKey(record::OWN_BLOOD)) {
        // The editor itself always writes both halves; anything else keeps its whole text as
        // the group, so a save that only turns the rhesus wheel loses none of it.
        const qsizetype separator = stored->indexOf(record::bloodSeparator);
        if (separator >= 0) {
            _group = stored->left(separator);
            _rhesus = stored->mid(separator + record::bloodSeparator.size());
        } else {
            _group = *stored;
            _rhesus = record::rhesusFactors.at(0);
        }
    } else {
        _group = record::bloodGroups.at(1);
        _rhesus = record::rhesusFactors.at(0);
        // With nothing stored, what the row shows ("II группа / Rh+") can be saved as it is.
        enableSave();
    }
}

void ChangeBlood::viewDidLoad()
{
    WheelEditor::viewDidLoad();
    // The wheels open on "II" and "+" whatever is stored; the row shows the stored value.
    setUpWheels(
        {record::fieldInfo(record::Blood).caption,
         {QStringLiteral("I"), QStringLiteral("II"), QStringLiteral("III"), QStringLiteral("IV")},
         1},
        {QStringLiteral("Резус-фактор"), {QStringLiteral("+"), QStringLiteral("-")}, 0});
}

QString ChangeBlood::rowText() const
{
    return record::formatBlood(_group, _rhesus);
}

void ChangeBlood::wheelTurned(int row, int component)
{
    if (component == 0)
        _group = rowsOfComponent(0).at(row) + groupSuffix;
    else
        _rhesus = rhesusPrefix + rowsOfComponent(1).at(row);
}

bool ChangeBlood::save()
{
    kit::UserDefaults::standardUserDefaults().setObject(record::formatBlood(_group, _rhesus),
                                                        record::OWN_BLOOD);
    return finishSave();
}

} // namespace card
