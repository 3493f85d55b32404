// SPDX-License-Identifier: GPL-3.0-or-later
#include "WheelEditor.h"

namespace card {

WheelEditor::WheelEditor(record::Field field) : FieldEditor(field), _wheels(new kit::PickerView())
{
}

WheelEditor::~WheelEditor() = default;

void WheelEditor::setUpWheels(const QString& leftName, const QString& rightName, int leftRow,
                              int rightRow)
{
    placePicker(_wheels.get());
    // Joined only now: the wheels ask for their rows at once, and the rows exist from here on.
    _wheels->setDataSource(this);
    _wheels->setDelegate(this);
    _wheels->setAccessibleNameForComponent(0, leftName);
    _wheels->setAccessibleNameForComponent(1, rightName);
    _wheels->selectRow(leftRow, 0, true);
    _wheels->selectRow(rightRow, 1, true);
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
