#pragma once

#include "FieldEditor.h"
#include "PersonalRecord.h"
#include "kit/views/TextView.h"

namespace kit {
class Label;
}

// The editor of the card's free-text fields: home address, illnesses, notes, the
// owner's name, allergies and medicines, chosen by the field number given as the type.
// One tall row holds the text: the stored value, or a starting text that is ordinary text.
class ChangeInfo final : public FieldEditor, public kit::TextViewDelegate {
    Q_OBJECT

public:
    ChangeInfo();

    record::Field type() const { return _type; }
    void setType(record::Field type);

    void saveInfo();
    kit::TextView* textView() const { return _text; }
    // Shown under the text when the stored value was too long to edit whole.
    kit::Label* longValueNote() const { return _note; }

    float heightForRowAtIndexPath(kit::TableView&, kit::IndexPath) override { return 143.0f; }
    QString titleForHeaderInSection(kit::TableView&, int) override;
    kit::TableViewCell* cellForRowAtIndexPath(kit::TableView& tableView,
                                              kit::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(kit::TableView&, kit::IndexPath) override {}
    void textViewDidChange(kit::TextView&) override { enableSave(); }

    void viewDidAppear(bool animated) override;

private:
    // The key the field is stored under.
    QString key() const { return record::keysForField(_type).constFirst(); }

    record::Field _type = record::Address;
    kit::Owned<kit::TableViewCell> _cell;
    void showLongValueNote();

    QPointer<kit::TextView> _text;
    QPointer<kit::Label> _note;
    // What follows the edited beginning of a very long value, saved back after it.
    QString _kept;
};
