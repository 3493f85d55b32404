// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/views/Control.h"

#include <QPainterPath>
#include <QPointer>
#include <QWidget>

namespace kit {

class Label;

enum class TableViewCellAccessoryType { None, DisclosureIndicator };
enum class TableViewCellEditingStyle { None, Delete, Insert };

// One row of a table: a view of its own on a plain ground. A selected row is drawn highlighted; its
// labels turn white on the highlight while it lasts.
//
// In a table that is being edited the row carries the control of its editing
// style at the left (a red minus or a green plus). A touch of the minus shows
// the delete confirmation button at the right; the table decides what the
// touches mean.
class TableViewCell : public QWidget {
    Q_OBJECT

public:
    // Where a row of a grouped table lies in its section: the rounded box is drawn to match.
    enum class GroupedPosition { None, Single, Top, Middle, Bottom };

    // Rows start 320 points wide and 44 high, as on the phone.
    explicit TableViewCell(QWidget* parent = nullptr);

    // The row's one line of text, made on first use.
    Label* textLabel();

    // A plain ground drawn by the row itself, beneath everything.
    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const { return _backgroundColor; }

    // The accessory shown at the right while the table is being edited (none otherwise).
    void setEditingAccessoryType(TableViewCellAccessoryType type);

    bool isSelected() const { return _selected; }
    virtual void setSelected(bool selected, bool animated);

    // Set by the table as it shows the row.
    void setGroupedPosition(GroupedPosition position);
    void setEditing(bool editing, TableViewCellEditingStyle style);
    bool isEditing() const { return _editing; }
    TableViewCellEditingStyle editingStyle() const { return _editingStyle; }
    void setDeleteConfirmationTitle(const QString& title);
    bool showingDeleteConfirmation() const { return _confirming; }
    void setShowingDeleteConfirmation(bool showing);

    // The editing control and the confirmation button, while they exist.
    Control* editingControl() const { return _editingControl; }
    Control* deleteConfirmationButton() const { return _confirmation; }

    // Where the row's content goes: inside the grouped box, right of the editing
    // control, left of the accessory and the confirmation button.
    QRect contentRect() const;
    // The shape of the row's ground: the rounded box of a grouped row, else the whole row.
    QPainterPath groundPath() const;

signals:
    void editingControlTapped();
    void deleteConfirmationTapped();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Places the text label, the editing control and the confirmation button.
    virtual void layoutSubviews();

private:
    TableViewCellAccessoryType shownAccessory() const;
    QRect groundRect() const;
    void updateEditingControl();

    // Made on the first selection: most rows are never selected.
    QWidget* _highlight = nullptr;
    Label* _textLabel = nullptr;
    QWidget* _accessory = nullptr;
    QPointer<Control> _editingControl;
    QPointer<Control> _confirmation;
    QString _confirmationTitle;
    QColor _backgroundColor = Qt::transparent;
    TableViewCellAccessoryType _editingAccessoryType = TableViewCellAccessoryType::None;
    TableViewCellEditingStyle _editingStyle = TableViewCellEditingStyle::None;
    GroupedPosition _groupedPosition = GroupedPosition::None;
    bool _selected = false;
    bool _editing = false;
    bool _confirming = false;
};

} // namespace kit
