// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChangeContact.h"

#include "kit/pickers/AlertView.h"
#include "kit/views/Font.h"
#include "kit/views/Label.h"

#include <algorithm>

namespace card {
namespace {

struct RowText {
    const char* caption;
    // Shown in grey while the line is empty.
    const char* example;
};
constexpr RowText rowTexts[] = {
    {"Имя", "Анна Иванова"},
    {"Кто это", "мама, муж, друг"},
    {"Телефон", "+7 916 123-45-67"},
};

constexpr int captionWidth = 82;

const QColor captionColour(0x4c, 0x56, 0x6c);
const QColor wrongColour(0xc6, 0x28, 0x28);

// The examples do not break across lines.
const QString phoneHint = QStringLiteral("Номер пишется как привычно: +7\u00a0916\u00a0123-45-67 "
                                         "или 8\u00a0(916)\u00a0123-45-67.");

} // namespace

ChangeContact::ChangeContact(int slot)
    : FieldEditor(QStringLiteral("Контакт"), QStringLiteral("Экстренный контакт")), _slot(slot)
{
}

void ChangeContact::readStored()
{
    _stored = record::storedContact(_slot);
}

void ChangeContact::viewDidLoad()
{
    FieldEditor::viewDidLoad();
    auto* note = new kit::Label(tableView());
    note->setObjectName(QStringLiteral("phoneNote"));
    note->setFont(kit::systemFont(14));
    note->setBackgroundColor(Qt::transparent);
    note->setNumberOfLines(0);
    note->setLineBreakMode(kit::LineBreakMode::WordWrap);
    note->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    _note = note;
    showPhoneCheck();
}

kit::TableViewCell* ChangeContact::cellForRowAtIndexPath(kit::TableView&, kit::IndexPath indexPath)
{
    if (indexPath.row < 0 || indexPath.row >= int(_cells.size()))
        return nullptr;
    const auto row = Row(indexPath.row);
    kit::Owned<kit::TableViewCell>& cell = _cells[size_t(row)];
    if (cell.get())
        return cell.get();
    cell.reset(new kit::TableViewCell());
    cell->setObjectName(QStringLiteral("Cell"));
    const QString caption = QString::fromUtf8(rowTexts[row].caption);
    cell->textLabel()->setText(caption);
    cell->textLabel()->setFont(kit::boldSystemFont(15));
    cell->textLabel()->setTextColor(captionColour);
    cell->setAccessibleName(caption);

    auto* field = new kit::TextField(cell.get());
    field->setObjectName(QStringLiteral("field%1").arg(indexPath.row));
    field->setAccessibleName(caption);
    field->setPlaceholderText(QString::fromUtf8(rowTexts[row].example));
    const QString* stored[] = {&_stored.name, &_stored.who, &_stored.phone};
    field->setText(*stored[row]);
    field->setCursorPosition(0);
    if (row == PhoneRow)
        field->setInputMethodHints(Qt::ImhDialableCharactersOnly);
    const QRect content = cell->contentRect();
    field->setGeometry(content.x() + captionWidth, content.y() + 2,
                       content.width() - captionWidth - 4, content.height() - 4);
    field->setDelegate(this);
    _fields[size_t(row)] = field;
    if (row == PhoneRow)
        showPhoneCheck();
    return cell.get();
}

void ChangeContact::didSelectRowAtIndexPath(kit::TableView& tableView, kit::IndexPath indexPath)
{
    deselectRow(tableView, indexPath);
    if (kit::TextField* field = _fields[size_t(std::clamp(indexPath.row, 0, 2))])
        field->setFocus(Qt::MouseFocusReason);
}

void ChangeContact::viewDidAppear(bool animated)
{
    FieldEditor::viewDidAppear(animated);
    if (kit::TextField* name = _fields[NameRow]) {
        name->setFocus();
        name->end(false);
    }
}

void ChangeContact::textFieldDidChange(kit::TextField& field)
{
    enableSave();
    if (&field == _fields[PhoneRow])
        showPhoneCheck();
}

void ChangeContact::textFieldDidReturn(kit::TextField& field)
{
    if (&field == _fields[PhoneRow]) {
        if (isSaveEnabled())
            save();
        return;
    }
    for (size_t row = 0; row + 1 < _fields.size(); ++row)
        if (&field == _fields[row] && _fields[row + 1])
            _fields[row + 1]->setFocus(Qt::TabFocusReason);
}

void ChangeContact::showPhoneCheck()
{
    kit::TextField* phone = _fields[PhoneRow];
    if (!_note || !phone)
        return;
    const QString number = phone->text();
    const record::PhoneCheck check = record::checkPhone(number);
    // Nothing typed yet is no fault: the note shows how a number may be written.
    const bool untouched = number.trimmed().isEmpty();
    const bool wrong = check.verdict == record::PhoneCheck::Wrong;
    _note->setText(untouched || check.verdict == record::PhoneCheck::Good ? phoneHint
                                                                          : check.message);
    _note->setTextColor(wrong ? wrongColour : captionColour);
    phone->setTextColor(wrong ? wrongColour : QColor(Qt::black));
    const QRect last = tableView()->rectForRowAtIndexPath({0, PhoneRow});
    _note->setGeometry(20, last.bottom() + 12, 280, 60);
    _note->show();
    _note->raise();
}

bool ChangeContact::save()
{
    const auto text = [this](Row row) {
        return _fields[size_t(row)] ? _fields[size_t(row)]->text().trimmed() : QString();
    };
    const record::Contact contact{text(NameRow), text(WhoRow), text(PhoneRow)};
    if (!contact.isEmpty()) {
        const record::PhoneCheck check = record::checkPhone(contact.phone);
        if (check.verdict != record::PhoneCheck::Good) {
            const QString why =
                contact.phone.isEmpty()
                    ? QStringLiteral("Введите номер телефона: по нему позвонят, если с вами "
                                     "что-то случится.")
                    : check.message;
            auto* alert =
                new kit::AlertView(QStringLiteral("Номер не сохранён"), why, QStringLiteral("OK"));
            alert->show();
            return false;
        }
    }
    record::storeContact(_slot, contact);
    return finishSave();
}

} // namespace card
