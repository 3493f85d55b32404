// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableViewController.h"

#include "kit/controllers/Window.h"

namespace kit {

TableViewController::TableViewController(TableViewStyle style) : _style(style) {}

TableView* TableViewController::tableView()
{
    return static_cast<TableView*>(view());
}

void TableViewController::loadView()
{
    auto* table = new TableView(nullptr, _style);
    table->resize(Window::applicationFrame().size());
    table->setDataSource(this);
    table->setDelegate(this);
    setView(table);
}

void TableViewController::viewWillAppear(bool animated)
{
    tableView()->reloadData();
    ViewController::viewWillAppear(animated);
}

} // namespace kit
