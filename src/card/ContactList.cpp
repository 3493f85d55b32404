// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContactList.h"

#include "ChangeContact.h"
#include "kit/controllers/NavigationController.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/views/Label.h"
#include "record/CardStore.h"

#include <algorithm>
#include <memory>

namespace card {

ContactList::ContactList() : kit::TableViewController(kit::TableViewStyle::Grouped)
{
    setTitle(record::fieldInfo(record::Contacts).editorTitle);
}

void ContactList::viewDidLoad()
{
    tableView()->setAccessibleName(record::fieldInfo(record::Contacts).caption);
    tableView()->setEditing(true, false);
    tableView()->setAllowsSelectionDuringEditing(true);
}

void ContactList::viewWillAppear(bool animated)
{
    // What another copy of the application saved meanwhile shows too.
    kit::UserDefaults::standardUserDefaults().refresh();
    readContacts();
    kit::TableViewController::viewWillAppear(animated);
}

void ContactList::readContacts()
{
    _filled.clear();
    for (int slot = 0; slot < record::contactCount; ++slot)
        if (!record::storedContact(slot).isEmpty())
            _filled.push_back(slot);
}

int ContactList::slotOfRow(int row) const
{
    if (row >= 0 && row < int(_filled.size()))
        return _filled[size_t(row)];
    for (int slot = 0; slot < record::contactCount; ++slot)
        if (std::find(_filled.begin(), _filled.end(), slot) == _filled.end())
            return slot;
    return -1;
}

int ContactList::numberOfRowsInSection(kit::TableView&, int)
{
    const int filled = int(_filled.size());
    return filled < record::contactCount ? filled + 1 : filled;
}

QString ContactList::titleForHeaderInSection(kit::TableView&, int)
{
    return record::fieldInfo(record::Contacts).editorHeader;
}

kit::TableViewCell* ContactList::cellForRowAtIndexPath(kit::TableView&, kit::IndexPath indexPath)
{
    if (indexPath.row < 0 || indexPath.row >= record::contactCount)
        return nullptr;
    kit::Owned<kit::TableViewCell>& cell = _cells[size_t(indexPath.row)];
    if (!cell.get()) {
        cell.reset(new kit::TableViewCell());
        cell->setObjectName(QStringLiteral("Cell"));
        cell->setEditingAccessoryType(kit::TableViewCellAccessoryType::DisclosureIndicator);
    }
    const bool filled = indexPath.row < int(_filled.size());
    QString text = QStringLiteral("Добавить контакт");
    if (filled) {
        const record::Contact contact = record::storedContact(_filled[size_t(indexPath.row)]);
        text = record::shownPart(record::contactTitle(contact));
        if (!contact.phone.isEmpty() && text != contact.phone)
            text += QStringLiteral(": ") + record::shownPart(contact.phone);
    }
    cell->textLabel()->setText(text);
    cell->textLabel()->setTextColor(filled ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80));
    cell->setAccessibleName(text);
    return cell.get();
}

kit::TableViewCellEditingStyle ContactList::editingStyleForRowAtIndexPath(kit::TableView&,
                                                                          kit::IndexPath indexPath)
{
    return indexPath.row < int(_filled.size()) ? kit::TableViewCellEditingStyle::Delete
                                               : kit::TableViewCellEditingStyle::Insert;
}

void ContactList::commitEditingStyle(kit::TableView& tableView,
                                     kit::TableViewCellEditingStyle style, kit::IndexPath indexPath)
{
    if (style == kit::TableViewCellEditingStyle::Insert) {
        openContact(indexPath.row);
        return;
    }
    record::storeContact(slotOfRow(indexPath.row), {});
    record::synchronizeCard();
    readContacts();
    tableView.reloadData();
}

void ContactList::didSelectRowAtIndexPath(kit::TableView&, kit::IndexPath indexPath)
{
    openContact(indexPath.row);
}

void ContactList::openContact(int row)
{
    const int slot = slotOfRow(row);
    kit::NavigationController* stack = navigationController();
    if (slot < 0 || !stack)
        return;
    stack->pushViewController(std::make_unique<ChangeContact>(slot), true);
}

} // namespace card
