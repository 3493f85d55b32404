#pragma once

#include "PersonalRecord.h"
#include "kit/controllers/ViewController.h"
#include "kit/foundation/Owned.h"
#include "kit/tables/TableView.h"
#include "kit/views/Button.h"

#include <QPointer>

#include <array>

// The card screen: the owner's photo and name in a header, and below them the
// six rows of the card, always in editing mode: an empty field carries an add
// control, a filled one a delete control. Touching a row, its add control, the
// photo or the name opens the field's editor. Nothing of the card is kept here:
// every row and both buttons are read from the store when shown.
class MapWindow final : public kit::ViewController,
                        public kit::TableViewDataSource,
                        public kit::TableViewDelegate {
    Q_OBJECT

public:
    MapWindow();
    ~MapWindow() override;

    kit::TableView* tableView() const { return _tableView; }
    kit::Button* imageButton() const { return _imageButton; }
    kit::Button* nameButton() const { return _nameButton; }

    void changeImage();
    void changeName();
    // Opens the editor of a field (its number) on top of the card.
    void doAction(record::Field field);

    void viewDidAppear(bool animated) override;

    int numberOfRowsInSection(kit::TableView&, int) override { return 6; }
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
    QPointer<kit::TableView> _tableView;
    QPointer<kit::Button> _imageButton;
    QPointer<kit::Button> _nameButton;
    std::array<kit::Owned<kit::TableViewCell>, 6> _cells;
};
