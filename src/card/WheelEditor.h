// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FieldEditor.h"
#include "kit/pickers/PickerView.h"

#include <QStringList>

#include <array>

namespace card {

// A field editor whose value is chosen on two wheels below its row, each 150
// wide, each row drawn by a bold centred label. The editor says what each
// wheel offers, what a turn of it changes and what the row reads.
class WheelEditor : public FieldEditor,
                    public kit::PickerViewDataSource,
                    public kit::PickerViewDelegate {
    Q_OBJECT

public:
    ~WheelEditor() override;

    kit::PickerView* wheels() const { return _wheels.get(); }

    kit::TableViewCell* cellForRowAtIndexPath(kit::TableView& tableView,
                                              kit::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(kit::TableView& tableView, kit::IndexPath indexPath) override;

    int numberOfComponentsInPickerView(kit::PickerView&) override { return 2; }
    int numberOfRowsInComponent(kit::PickerView&, int component) override;
    float widthForComponent(kit::PickerView&, int) override { return 150.0f; }
    QWidget* viewForRow(kit::PickerView&, int row, int component, QWidget* reusingView) override;
    void didSelectRow(kit::PickerView& pickerView, int row, int component) override;

protected:
    explicit WheelEditor(record::Field field);

    // What the row reads: the value as it stands.
    virtual QString rowText() const = 0;
    // A turn of a wheel (0 the left one, 1 the right one) by the owner, to a row it has.
    virtual void wheelTurned(int row, int component) = 0;
    // A wheel: what a screen reader calls it, its rows, and the row it starts on.
    struct Wheel {
        QString name;
        QStringList rows;
        int startingRow = 0;
    };
    // Fills the wheels, names them for screen readers and turns them to their starting rows.
    void setUpWheels(Wheel left, Wheel right);
    const QStringList& rowsOfComponent(int component) const;

private:
    kit::Owned<kit::PickerView> _wheels;
    std::array<Wheel, 2> _wheelsShown;
};

} // namespace card
