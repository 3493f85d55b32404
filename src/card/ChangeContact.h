// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FieldEditor.h"
#include "kit/views/Label.h"
#include "kit/views/TextField.h"
#include "record/PersonalRecord.h"

#include <array>

namespace card {

// The editor of one person to call: three rows, the name, who the person is and the
// telephone number, each a line to type in. The number is checked as it is typed (a note
// under the rows says what is missing or does not belong) and stored as written; Save
// refuses a number that is not one, saying why, and keeps the editor open. Saving three
// empty lines removes the contact.
class ChangeContact final : public FieldEditor, public kit::TextFieldDelegate {
    Q_OBJECT

public:
    enum Row { NameRow, WhoRow, PhoneRow };

    // slot: which of the three stored contacts (0 to 2).
    explicit ChangeContact(int slot);

    int slot() const { return _slot; }
    kit::TextField* field(Row row) const { return _fields[size_t(row)]; }
    // The note under the rows about the number.
    kit::Label* phoneNote() const { return _note; }

    bool save() override;

    int numberOfRowsInSection(kit::TableView&, int) override { return 3; }
    kit::TableViewCell* cellForRowAtIndexPath(kit::TableView& tableView,
                                              kit::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(kit::TableView&, kit::IndexPath indexPath) override;
    void textFieldDidChange(kit::TextField& field) override;
    // Enter goes on to the next line; on the number's it saves, once there is a change.
    void textFieldDidReturn(kit::TextField& field) override;

    void viewDidAppear(bool animated) override;

protected:
    void readStored() override;
    void viewDidLoad() override;

private:
    void showPhoneCheck();

    int _slot;
    record::Contact _stored;
    std::array<kit::Owned<kit::TableViewCell>, 3> _cells;
    std::array<QPointer<kit::TextField>, 3> _fields;
    QPointer<kit::Label> _note;
};

} // namespace card
