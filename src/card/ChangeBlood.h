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

    bool save() override;

protected:
    void readStored() override;
    void viewDidLoad() override;
    QString rowText() const override;
    void wheelTurned(int row, int component) override;

private:
    QString _group;
    QString _rhesus;
};

} // namespace card
