// SPDX-License-Identifier: GPL-3.0-or-later
#include "WheelEditor.h"

namespace card {

WheelEditor::WheelEditor(record::Field field) : FieldEditor(field), _wheels(new kit::PickerView())
{
}

WheelEditor::~WheelEditor() = default;

void WheelEditor::setUpWheels(Wheel left, Wheel right)
{
    _wheelsShown = {std::move(left), std::move(right)};
    placePicker(_wheels.get());
    // Joined only now: the wheels ask for their rows at once, and the rows exist from here on.
    _wheels->setDataSource(this);
    _wheels->setDelegate(this);
    for (int component = 0; component < 2; ++component) {
        const Wheel& wheel = _wheelsShown[size_t(component)];
        _wheels->setAccessibleNameForComponent(component, wheel.name);
        _wheels->selectRow(wheel.startingRow, component, true);
    }
}

const QStringList& WheelEditor::rowsOfComponent(int component) const
{
    return _wheelsShown[component == 0 ? 0 : 1].rows;
}

kit::TableViewCell* WheelEditor::cellForRowAtIndexPath(kit::TableView&, kit::IndexPath)
{
    return valueCell(rowText());
}

void WheelEditor::didSelectRowAtIndexPath(kit::TableView& tableView, kit::IndexPath indexPath)
{
    deselectRow(tableView, indexPath);
}

int WheelEditor::numberOfRowsInComponent(kit::PickerView&, int component)
{
    return int(rowsOfComponent(component).size());
}

QWidget* WheelEditor::viewForRow(kit::PickerView&, int row, int component, QWidget* reusingView)
{
    return wheelRowLabel(reusingView, rowsOfComponent(component).value(row));
}

void WheelEditor::didSelectRow(kit::PickerView&, int row, int component)
{
    enableSave();
    if (row >= 0 && row < rowsOfComponent(component).size())
        wheelTurned(row, component);
    tableView()->reloadData();
}

} // namespace card
