// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChangeDate.h"

#include "kit/foundation/UserDefaults.h"
#include "record/PersonalRecord.h"

namespace card {

ChangeDate::ChangeDate() : FieldEditor(record::Birthday), _datePicker(new kit::DatePicker())
{
    _datePicker->setObjectName(QStringLiteral("datePicker"));
    _datePicker->setAccessibleName(record::fieldInfo(record::Birthday).caption);
    _datePicker->setMinimumDate(QDate(1900, 1, 1));
    _datePicker->setMaximumDate(QDate::currentDate());
    // The interface is Russian: the wheels name the months in Russian.
    _datePicker->setLocale(record::russian());
    _datePicker->setDate(QDate(1980, 1, 1), false);
}

ChangeDate::~ChangeDate() = default;

void ChangeDate::readStored()
{
    _text = kit::UserDefaults::standardUserDefaults().stringForKey(record::OWN_BIRTHDAY);
    // The wheels open on the stored date when its text can be read, so turning one wheel
    // keeps the rest of it; the text itself stays as stored until a wheel turns.
    if (_text) {
        const QDate stored = record::readBirthday(*_text);
        if (stored.isValid())
            _datePicker->setDate(stored, false);
    }
}

void ChangeDate::viewDidLoad()
{
    FieldEditor::viewDidLoad();
    placePicker(_datePicker.get());
    _datePicker->addTarget(
        this, [this] { onDateChanged(); }, kit::ControlEvent::ValueChanged);
}

kit::TableViewCell* ChangeDate::cellForRowAtIndexPath(kit::TableView&, kit::IndexPath)
{
    return valueCell(_text.value_or(QString()));
}

void ChangeDate::didSelectRowAtIndexPath(kit::TableView& tableView, kit::IndexPath indexPath)
{
    deselectRow(tableView, indexPath);
}

void ChangeDate::onDateChanged()
{
    _text = record::formatBirthday(_datePicker->date());
    enableSave();
    tableView()->reloadData();
}

bool ChangeDate::save()
{
    // Save is enabled only once the picker has given a date.
    if (!_text)
        return false;
    kit::UserDefaults::standardUserDefaults().setObject(*_text, record::OWN_BIRTHDAY);
    return finishSave();
}

} // namespace card
