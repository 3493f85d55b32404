// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FieldEditor.h"
#include "kit/pickers/DatePicker.h"

#include <optional>

namespace card {

// The birthday editor: the row shows the date as text, a date picker below it.
// The date is kept as the text the row shows and is never read back as a date:
// a stored birthday stays on the row, in its own wording, until the picker moves.
class ChangeDate final : public FieldEditor {
    Q_OBJECT

public:
    ChangeDate();
    ~ChangeDate() override;

    void onDateChanged();
    bool save() override;
    kit::DatePicker* datePicker() const { return _datePicker.get(); }
    std::optional<QString> text() const { return _text; }

    kit::TableViewCell* cellForRowAtIndexPath(kit::TableView& tableView,
                                              kit::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(kit::TableView& tableView, kit::IndexPath indexPath) override;

protected:
    void readStored() override;
    void viewDidLoad() override;

private:
    kit::Owned<kit::DatePicker> _datePicker;
    std::optional<QString> _text;
};

} // namespace card
