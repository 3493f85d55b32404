// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChangeInfo.h"

#include "kit/foundation/UserDefaults.h"
#include "kit/views/Font.h"
#include "kit/views/Label.h"
#include "record/PersonalRecord.h"

#include <QLocale>

namespace card {

ChangeInfo::ChangeInfo(record::Field field) : FieldEditor(field), _field(field) {}

void ChangeInfo::readStored()
{
    _stored = kit::UserDefaults::standardUserDefaults().stringForKey(key());
}

kit::TableViewCell* ChangeInfo::cellForRowAtIndexPath(kit::TableView&, kit::IndexPath)
{
    if (_cell.get())
        return _cell.get();
    const record::FieldInfo& info = record::fieldInfo(_field);
    auto* cell = new kit::TableViewCell();
    cell->setObjectName(QStringLiteral("Cell"));
    cell->setAccessibleName(info.editorHeader);
    _cell.reset(cell);
    const QRect frame = cell->geometry();
    _text = new kit::TextView(cell);
    _text->setGeometry(frame.x() + 10, frame.y() + 10, frame.width() - 20, 123);
    _text->setAccessibleName(info.editorHeader);
    _text->setText(info.startingText);
    if (_stored) {
        // A value far longer than anyone types is edited from its beginning; the rest is
        // kept as it is and saved after the edited part, so nothing of it is lost.
        const qsizetype editable = record::cutLength(*_stored, record::editableLength);
        _text->setText(_stored->left(editable));
        _kept = _stored->mid(editable);
    }
    _text->setDelegate(this);
    if (!_kept.isEmpty())
        showLongValueNote();
    return cell;
}

void ChangeInfo::showLongValueNote()
{
    const qsizetype whole = _text->text().size() + _kept.size();
    auto* note = new kit::Label(tableView());
    note->setObjectName(QStringLiteral("longValueNote"));
    note->setText(QStringLiteral("Текст очень длинный (%1 знаков): здесь его начало. "
                                 "Остальное сохранится как было.")
                      .arg(QLocale(QLocale::Russian).toString(whole)));
    note->setFont(kit::systemFont(14));
    note->setTextColor(QColor(0x4c, 0x56, 0x6c));
    note->setBackgroundColor(Qt::transparent);
    note->setNumberOfLines(0);
    note->setLineBreakMode(kit::LineBreakMode::WordWrap);
    note->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    note->setGeometry(20, 196, 280, 60);
    note->show();
    _note = note;
}

void ChangeInfo::viewDidAppear(bool animated)
{
    FieldEditor::viewDidAppear(animated);
    if (!_text)
        return;
    _text->setFocus();
    // Typing goes straight into the text: after what is stored, or over the starting text,
    // which opens selected so that the first key replaces it and it never becomes data.
    if (_stored)
        _text->moveCursor(QTextCursor::End);
    else
        _text->selectAll();
}

bool ChangeInfo::save()
{
    if (!_text)
        return false;
    QString text = _text->text() + _kept;
    // A name is one line on every card: line breaks after it are not kept.
    if (_field == record::Name)
        while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
            text.chop(1);
    kit::UserDefaults::standardUserDefaults().setObject(text, key());
    return finishSave();
}

} // namespace card
