// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TableViewCell.h"
#include "kit/views/ScrollView.h"

#include <QHash>
#include <QPointer>

#include <optional>
#include <vector>

namespace kit {

class TableView;
class Label;

enum class TableViewStyle { Plain, Grouped };

struct IndexPath {
    int section = 0;
    int row = 0;
    friend bool operator==(const IndexPath&, const IndexPath&) = default;
};

class TableViewDataSource {
public:
    virtual ~TableViewDataSource() = default;
    virtual int numberOfSectionsInTableView(TableView&) { return 1; }
    virtual int numberOfRowsInSection(TableView& tableView, int section) = 0;
    // The cell stays the data source's: the table shows it while the row is on screen.
    virtual TableViewCell* cellForRowAtIndexPath(TableView& tableView, IndexPath indexPath) = 0;
    // A section's header text; none gives the section no header.
    virtual QString titleForHeaderInSection(TableView&, int) { return {}; }
    // The owner touched a row's add control or confirmed its delete.
    virtual void commitEditingStyle(TableView&, TableViewCellEditingStyle, IndexPath) {}
};

class TableViewDelegate {
public:
    virtual ~TableViewDelegate() = default;
    virtual float heightForRowAtIndexPath(TableView&, IndexPath) { return 44.0f; }
    virtual void didSelectRowAtIndexPath(TableView&, IndexPath) {}
    // The control a row carries while the table is being edited.
    virtual TableViewCellEditingStyle editingStyleForRowAtIndexPath(TableView&, IndexPath)
    {
        return TableViewCellEditingStyle::Delete;
    }
    virtual QString titleForDeleteConfirmationButtonForRowAtIndexPath(TableView&, IndexPath)
    {
        return QStringLiteral("Удалить");
    }
};

// A scrolling list of rows in sections. Row heights are asked for every row at
// reload; cells are asked for only while their rows are on screen, so a list of
// any length shows and lays out only its visible rows. Rows that scroll away are
// hidden and stay the table's children until the table goes or another table
// shows them.
//
// A grouped table draws each section as a rounded white box on a striped ground,
// with its header text above it. While the table is being edited every row
// carries the control of its editing style; a delete is carried out only after
// the row's confirmation button is touched. The keyboard reaches the table with Tab;
// the arrow keys move along the rows and Enter or the space bar touches one.
class TableView final : public ScrollView {
    Q_OBJECT

public:
    explicit TableView(QWidget* parent = nullptr, TableViewStyle style = TableViewStyle::Plain);
    ~TableView() override;

    TableViewStyle style() const { return _style; }
    bool isEditing() const { return _editing; }
    void setEditing(bool editing, bool animated = false);
    void setAllowsSelectionDuringEditing(bool allows) { _allowsSelectionDuringEditing = allows; }
    // The header label of a section, while it has one.
    Label* headerLabelForSection(int section) const;

    void setDataSource(TableViewDataSource* dataSource) { _dataSource = dataSource; }
    void setDelegate(TableViewDelegate* delegate) { _delegate = delegate; }
    TableViewDataSource* dataSource() const { return _dataSource; }
    TableViewDelegate* delegate() const { return _delegate; }

    void reloadData();
    int numberOfSections() const { return int(_sections.size()); }
    int numberOfRowsInSection(int section) const;

    // A view above the first row that scrolls with the rows (a search bar).
    void setTableHeaderView(QWidget* view);

    std::optional<IndexPath> indexPathForSelectedRow() const { return _selected; }
    void selectRowAtIndexPath(IndexPath indexPath, bool animated);
    void deselectRowAtIndexPath(IndexPath indexPath, bool animated);

    // Where a row lies in the content (scroll offset not applied).
    QRect rectForRowAtIndexPath(IndexPath indexPath) const;
    std::optional<IndexPath> indexPathForRowAtPoint(QPoint contentPoint) const;
    // The cell on screen for a row, or none.
    TableViewCell* cellForRowAtIndexPath(IndexPath indexPath) const;
    std::vector<TableViewCell*> visibleCells() const;
    void scrollToRowAtIndexPath(IndexPath indexPath);

    void setBackgroundColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void layoutContent() override;
    void pressed(QPoint position) override;
    void pressCancelled() override;
    void tapped(QPoint position) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Section {
        int top = 0;
        QPointer<Label> header;
        std::vector<int> rowTops; // content y of each row; one more entry for the section's end
    };
    int flatIndex(IndexPath indexPath) const;
    void detach(TableViewCell* cell);
    void unhighlight();
    std::optional<IndexPath> indexPathForVisibleCell(const TableViewCell* cell) const;
    void editingControlTapped();
    void deleteConfirmationTapped();
    // Ends a delete confirmation that is showing; true when there was one.
    bool endDeleteConfirmation();
    void prepareCell(TableViewCell* cell, IndexPath indexPath, int rows);

    TableViewDataSource* _dataSource = nullptr;
    TableViewDelegate* _delegate = nullptr;
    QPointer<QWidget> _header;
    std::vector<Section> _sections;
    QHash<int, QPointer<TableViewCell>> _visible; // by flat row index
    std::optional<IndexPath> _selected;
    std::optional<IndexPath> _highlighted;
    std::optional<IndexPath> _confirming;
    // The row the arrow keys have reached; Enter or the space bar opens it.
    std::optional<IndexPath> _keyboardRow;
    TableViewStyle _style;
    bool _editing = false;
    bool _allowsSelectionDuringEditing = false;
};

} // namespace kit
