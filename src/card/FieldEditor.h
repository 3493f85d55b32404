#pragma once

#include "kit/controllers/BarButtonItem.h"
#include "kit/foundation/Owned.h"
#include "kit/tables/TableViewCell.h"
#include "kit/tables/TableViewController.h"

#include <QPointer>

#include <functional>

// What every editor of the card shares: a grouped table of one section with one
// row, and a Save button on the navigation bar that stays disabled until the
// owner's first change. Save writes the editor's keys, flushes the store and
// goes back to the card; leaving any other way writes nothing.
class FieldEditor : public kit::TableViewController {
    Q_OBJECT

public:
    int numberOfRowsInSection(kit::TableView&, int) override { return 1; }
    QString titleForHeaderInSection(kit::TableView&, int) override { return _header; }

protected:
    // The section header names the field; the title is the navigation bar's.
    FieldEditor(const QString& title, const QString& header, std::function<void()> saveAction);

    void viewDidLoad() override;

    // After every change the owner makes.
    void enableSave();
    bool isSaveEnabled() const { return _saveButton && _saveButton->isEnabled(); }
    // The end of every save: flush the store, then back to the card.
    void finishSave();

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
