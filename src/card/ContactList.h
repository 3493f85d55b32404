// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/foundation/Owned.h"
#include "kit/tables/TableViewController.h"
#include "record/PersonalRecord.h"

#include <array>

namespace card {

// The people to call: a row for each stored contact with a delete control, then, while
// fewer than three are stored, a row with an add control. Touching a row opens the
// contact's editor; the list is read from the store whenever it is shown.
class ContactList final : public kit::TableViewController {
    Q_OBJECT

public:
    ContactList();

    // The contact slot (0 to 2) a row stands for: the stored contacts in order, then the
    // first empty slot for the add row.
    int slotOfRow(int row) const;
    void openContact(int row);

    int numberOfRowsInSection(kit::TableView&, int) override;
    QString titleForHeaderInSection(kit::TableView&, int) override;
    kit::TableViewCell* cellForRowAtIndexPath(kit::TableView& tableView,
                                              kit::IndexPath indexPath) override;
    kit::TableViewCellEditingStyle editingStyleForRowAtIndexPath(kit::TableView&,
                                                                 kit::IndexPath indexPath) override;
    void commitEditingStyle(kit::TableView& tableView, kit::TableViewCellEditingStyle style,
                            kit::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(kit::TableView&, kit::IndexPath indexPath) override;

    void viewWillAppear(bool animated) override;

protected:
    void viewDidLoad() override;

private:
    void readContacts();

    // The slots holding a contact, in order; read when the list is shown.
    std::vector<int> _filled;
    std::array<kit::Owned<kit::TableViewCell>, record::contactCount> _cells;
};

} // namespace card
