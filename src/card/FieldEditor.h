// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/controllers/BarButtonItem.h"
#include "kit/foundation/Owned.h"
#include "kit/tables/TableViewCell.h"
#include "kit/tables/TableViewController.h"
#include "record/CardFields.h"

#include <QPointer>

namespace card {

// What every editor of the card shares: a grouped table of one section, and a Save
// button on the navigation bar that stays disabled until the owner's first change.
// Every editor is set up alike: made for what it edits, it reads what is stored when its
// view loads (readStored) and writes it back in save(), which flushes the store and goes
// back to the card; leaving any other way writes nothing.
class FieldEditor : public kit::TableViewController {
    Q_OBJECT

public:
    int numberOfRowsInSection(kit::TableView&, int) override { return 1; }
    QString titleForHeaderInSection(kit::TableView&, int) override { return _header; }

    // Writes what the editor holds and, once the store is written, goes back to the card:
    // true. A change that could not be written, or that the editor refuses (a number that is
    // none), keeps the editor open: the owner has been told why and can save again.
    virtual bool save() = 0;

    // A change is unsaved from the owner's first change to a save.
    bool hasUnsavedChanges() const override { return isSaveEnabled(); }
    bool saveChanges() override { return save(); }

protected:
    // An editor of a field of the card: its title and header are the field's.
    explicit FieldEditor(record::Field field);
    // The section header names what is edited; the title is the navigation bar's.
    FieldEditor(const QString& title, const QString& header);

    // Reads what is stored, then puts the Save button on the bar.
    void viewDidLoad() override;
    // Takes in what the store holds for what the editor edits.
    virtual void readStored() = 0;

    // After every change the owner makes.
    void enableSave();
    bool isSaveEnabled() const { return _saveButton && _saveButton->isEnabled(); }
    // The end of every save: flush the store, then back to the card; false when the store
    // could not be written.
    bool finishSave();

    // The one row of the picker editors: a plain cell whose text is the value.
    kit::TableViewCell* valueCell(const QString& text);
    // Puts a picker below the row, where the keyboard would be: 151 + 216 reaches the tab bar.
    void placePicker(QWidget* picker);
    // A wheel's row: the label the wheel offers back, or a new one, 150 × 44, bold 25, centred.
    static QWidget* wheelRowLabel(QWidget* reusingView, const QString& text);
    // Touching the row of a picker editor only takes its highlight away.
    void deselectRow(kit::TableView& tableView, kit::IndexPath indexPath);

private:
    QString _header;
    QPointer<kit::BarButtonItem> _saveButton;
    kit::Owned<kit::TableViewCell> _valueCell;
};

} // namespace card
