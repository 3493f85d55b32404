// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FieldEditor.h"
#include "kit/views/TextView.h"

#include <optional>

namespace kit {
class Label;
}

namespace card {

// The editor of the card's free-text fields: home address, illnesses, notes, the owner's
// name, allergies and medicines. One tall row holds the text: the stored value, or the
// field's starting text, which is ordinary text.
class ChangeInfo final : public FieldEditor, public kit::TextViewDelegate {
    Q_OBJECT

public:
    explicit ChangeInfo(record::Field field);

    record::Field field() const { return _field; }

    bool save() override;
    kit::TextView* textView() const { return _text; }
    // Shown under the text when the stored value was too long to edit whole.
    kit::Label* longValueNote() const { return _note; }

    float heightForRowAtIndexPath(kit::TableView&, kit::IndexPath) override { return 143.0f; }
    kit::TableViewCell* cellForRowAtIndexPath(kit::TableView& tableView,
                                              kit::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(kit::TableView&, kit::IndexPath) override {}
    void textViewDidChange(kit::TextView&) override { enableSave(); }

    void viewDidAppear(bool animated) override;

protected:
    void readStored() override;

private:
    // The key the field is stored under.
    QString key() const { return record::keysForField(_field).constFirst(); }
    void showLongValueNote();

    record::Field _field;
    std::optional<QString> _stored;
    kit::Owned<kit::TableViewCell> _cell;
    QPointer<kit::TextView> _text;
    QPointer<kit::Label> _note;
    // What follows the edited beginning of a very long value, saved back after it.
    QString _kept;
};

} // namespace card
