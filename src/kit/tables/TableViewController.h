// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TableView.h"
#include "kit/controllers/ViewController.h"

namespace kit {

// A screen whose view is one table, of which it is the data source and the
// delegate. The table is reloaded whenever the screen is about to appear.
class TableViewController : public ViewController,
                            public TableViewDataSource,
                            public TableViewDelegate {
    Q_OBJECT

public:
    explicit TableViewController(TableViewStyle style = TableViewStyle::Plain);

    TableView* tableView();

    void viewWillAppear(bool animated) override;

protected:
    void loadView() override;

private:
    TableViewStyle _style;
};

} // namespace kit
