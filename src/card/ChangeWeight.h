// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WheelEditor.h"

namespace card {

// The weight and height editor: the row shows both values, two wheels below it
// offer 5 to 299 kilograms and centimetres. A wheel replaces only its own value.
class ChangeWeight final : public WheelEditor {
    Q_OBJECT

public:
    ChangeWeight();

    kit::PickerView* weightPicker() const { return wheels(); }

    bool save() override;

protected:
    void readStored() override;
    void viewDidLoad() override;
    QString rowText() const override;
    void wheelTurned(int row, int component) override;

private:
    QString _weight;
    QString _growth;
};

} // namespace card
