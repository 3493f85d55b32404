// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/controllers/ViewController.h"
#include "kit/foundation/Owned.h"
#include "kit/tables/TableView.h"
#include "kit/views/Button.h"
#include "record/CardFields.h"
#include "record/WalletCard.h"

#include <QPointer>

#include <array>
#include <optional>

namespace card {

// The card screen: the owner's photo and name in a header, and below them the
// six rows of the card, then a section for the emergency services (allergies,
// medicines, the people to call), always in editing mode: an empty field carries an
// add control, a filled one a delete control. Touching a row, its add control, the
// photo or the name opens the field's editor. The rows are the card's fields as their
// table places them; nothing of the card is kept here: every row and both buttons are
// read from the store when shown. "Печать" on the bar prints the card for the wallet.
class CardScreen final : public kit::ViewController,
                         public kit::TableViewDataSource,
                         public kit::TableViewDelegate {
    Q_OBJECT

public:
    CardScreen();
    ~CardScreen() override;

    kit::TableView* tableView() const { return _tableView; }
    kit::Button* imageButton() const { return _imageButton; }
    kit::Button* nameButton() const { return _nameButton; }
    kit::BarButtonItem* printButton() const { return _printButton; }

    static constexpr int cardSection = 0;
    static constexpr int emergencySection = 1;
    // Where a field's row is; none for the fields of the header.
    static std::optional<kit::IndexPath> indexPathOf(record::Field field);
    // The field a row shows.
    static std::optional<record::Field> fieldAt(kit::IndexPath indexPath);

    // Opens the editor of a field on top of the card.
    void openEditor(record::Field field);
    // Opens the print dialog for the card for the wallet; an empty card asks first.
    void print();

    void viewDidAppear(bool animated) override;

    int numberOfSectionsInTableView(kit::TableView&) override { return 2; }
    int numberOfRowsInSection(kit::TableView&, int section) override;
    QString titleForHeaderInSection(kit::TableView&, int section) override;
    kit::TableViewCell* cellForRowAtIndexPath(kit::TableView& tableView,
                                              kit::IndexPath indexPath) override;
    kit::TableViewCellEditingStyle editingStyleForRowAtIndexPath(kit::TableView&,
                                                                 kit::IndexPath indexPath) override;
    void commitEditingStyle(kit::TableView& tableView, kit::TableViewCellEditingStyle style,
                            kit::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(kit::TableView&, kit::IndexPath indexPath) override;

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    void printCard(record::WalletCard card);

    QPointer<kit::TableView> _tableView;
    QPointer<kit::Button> _imageButton;
    QPointer<kit::Button> _nameButton;
    QPointer<kit::BarButtonItem> _printButton;
    // A row's cell, by the field it shows.
    std::array<kit::Owned<kit::TableViewCell>, record::Photo + 1> _cells;
};

} // namespace card
