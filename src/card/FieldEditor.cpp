// SPDX-License-Identifier: GPL-3.0-or-later
#include "FieldEditor.h"

#include "kit/controllers/NavigationController.h"
#include "kit/controllers/Window.h"
#include "kit/views/Font.h"
#include "kit/views/Label.h"
#include "record/CardStore.h"
#include "record/PersonalRecord.h"

#include <QShortcut>

namespace card {

FieldEditor::FieldEditor(record::Field field)
    : FieldEditor(record::fieldInfo(field).editorTitle, record::fieldInfo(field).editorHeader)
{
}

FieldEditor::FieldEditor(const QString& title, const QString& header)
    : kit::TableViewController(kit::TableViewStyle::Grouped), _header(header)
{
    setTitle(title);
    _saveButton = new kit::BarButtonItem(
        QStringLiteral("Сохранить"), kit::BarButtonItem::Style::Done, [this] { save(); }, this);
    _saveButton->setObjectName(QStringLiteral("saveButton"));
    _saveButton->setEnabled(false);
}

void FieldEditor::viewDidLoad()
{
    readStored();
    tableView()->setAccessibleName(title());
    navigationItem().setRightBarButtonItem(_saveButton);
    // Ctrl+Enter saves, from whichever line of the editor has the keyboard.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(keys, view());
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this] {
            if (isSaveEnabled())
                save();
        });
    }
}

void FieldEditor::enableSave()
{
    _saveButton->setEnabled(true);
}

bool FieldEditor::finishSave()
{
    // A change that could not be written keeps the editor open: the owner has been told
    // and can save again.
    if (!record::synchronizeCard())
        return false;
    _saveButton->setEnabled(false);
    if (kit::NavigationController* stack = navigationController())
        stack->popViewControllerAnimated(true);
    return true;
}

kit::TableViewCell* FieldEditor::valueCell(const QString& text)
{
    if (!_valueCell.get())
        _valueCell.reset(new kit::TableViewCell());
    const QString shown = record::shownPart(text);
    _valueCell->textLabel()->setText(shown);
    _valueCell->setAccessibleName(shown.isEmpty() ? _header
                                                  : _header + QStringLiteral(": ") + shown);
    return _valueCell.get();
}

void FieldEditor::placePicker(QWidget* picker)
{
    picker->setParent(tableView());
    picker->setGeometry(0, 151, kit::Window::width, 216);
    picker->setHidden(false);
    picker->raise();
}

QWidget* FieldEditor::wheelRowLabel(QWidget* reusingView, const QString& text)
{
    auto* label = qobject_cast<kit::Label*>(reusingView);
    if (!label) {
        label = new kit::Label();
        label->setGeometry(0, 0, 150, 44);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(kit::boldSystemFont(25));
        label->setBackgroundColor(Qt::transparent);
    }
    label->setText(text);
    return label;
}

void FieldEditor::deselectRow(kit::TableView& tableView, kit::IndexPath indexPath)
{
    tableView.deselectRowAtIndexPath(indexPath, true);
}

} // namespace card
