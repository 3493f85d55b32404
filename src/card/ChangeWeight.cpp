// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChangeWeight.h"

#include "kit/foundation/UserDefaults.h"
#include "record/PersonalRecord.h"

#include <optional>

namespace card {

ChangeWeight::ChangeWeight() : WheelEditor(record::WeightAndHeight)
{
    weightPicker()->setObjectName(QStringLiteral("weightPicker"));
}

void ChangeWeight::readStored()
{
    const kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    const std::optional<QString> weight = defaults.stringForKey(record::OWN_WEIGHT);
    const std::optional<QString> growth = defaults.stringForKey(record::OWN_GROWTH);
    // Each value as stored, the default where none is: a wheel that moves replaces only its
    // own, so a value stored alone is never written over by a default.
    _weight = weight.value_or(record::formatMeasure(record::defaultWeight));
    _growth = growth.value_or(record::formatMeasure(record::defaultGrowth));
    // With nothing stored, what the row shows can be saved as it is.
    if (!weight && !growth)
        enableSave();
}

void ChangeWeight::viewDidLoad()
{
    WheelEditor::viewDidLoad();
    QStringList measures;
    for (unsigned value = record::minimumMeasure; value <= record::maximumMeasure; ++value)
        measures << record::formatMeasure(value);
    // The wheels open on the defaults whatever is stored; the row shows the stored values.
    setUpWheels(
        {QStringLiteral("Вес, кг"), measures, int(record::defaultWeight - record::minimumMeasure)},
        {QStringLiteral("Рост, см"), measures,
         int(record::defaultGrowth - record::minimumMeasure)});
}

QString ChangeWeight::rowText() const
{
    return record::weightAndHeightText(_weight, _growth);
}

void ChangeWeight::wheelTurned(int row, int component)
{
    if (component == 0)
        _weight = rowsOfComponent(0).at(row);
    else
        _growth = rowsOfComponent(1).at(row);
}

bool ChangeWeight::save()
{
    kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    defaults.setObject(_weight, record::OWN_WEIGHT);
    defaults.setObject(_growth, record::OWN_GROWTH);
    return finishSave();
}

} // namespace card
