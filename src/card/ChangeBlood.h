// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WheelEditor.h"

namespace card {

// The blood group editor: the row shows "group / rhesus", a wheel of the four
// groups and a wheel of the two signs below it. A wheel replaces only its half.
class ChangeBlood final : public WheelEditor {
    Q_OBJECT

public:
    ChangeBlood();

    QString group() const { return _group; }
    QString rhesus() const { return _rhesus; }
    kit::PickerView* picker() const { return wheels(); }

    void save() override;
    kit::TableViewCell* cellForRowAtIndexPath(kit::TableView& tableView,
                                              kit::IndexPath indexPath) override;

protected:
    void readStored() override;
    void viewDidLoad() override;
    const QStringList& rowsOfComponent(int component) const override
    {
        return component == 0 ? _groups : _rhesuses;
    }
    void wheelTurned(int row, int component) override;

private:
    QStringList _groups;
    QStringList _rhesuses;
    QString _group;
    QString _rhesus;
};

} // namespace card
