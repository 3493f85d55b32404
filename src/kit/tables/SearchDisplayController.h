// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SearchBar.h"
#include "TableView.h"

#include <QObject>
#include <QPointer>

namespace kit {

class SearchDisplayController;
class ViewController;

class SearchDisplayDelegate {
public:
    virtual ~SearchDisplayDelegate() = default;
    // Asked at every change of the search text; true reloads the results table.
    virtual bool shouldReloadTableForSearchString(SearchDisplayController&, const QString&)
    {
        return true;
    }
    virtual void willEndSearch(SearchDisplayController&) {}
};

// Runs a search over a screen: once the search bar is touched it becomes
// active, dims the screen below the bar and, while there is search text, lays
// a results table over it. Cancel ends the search.
class SearchDisplayController final : public QObject {
    Q_OBJECT

public:
    // The search bar and the screen stay their owners'.
    SearchDisplayController(SearchBar* searchBar, ViewController* contentsController);
    ~SearchDisplayController() override;

    SearchBar* searchBar() const { return _searchBar; }
    TableView* searchResultsTableView() const { return _results; }
    bool isActive() const { return _active; }
    void setActive(bool active, bool animated);

    void setDelegate(SearchDisplayDelegate* delegate) { _delegate = delegate; }
    void setSearchResultsDataSource(TableViewDataSource* dataSource);
    void setSearchResultsDelegate(TableViewDelegate* delegate);

private:
    void textChanged(const QString& text);
    void place();

    QPointer<SearchBar> _searchBar;
    QPointer<ViewController> _contents;
    SearchDisplayDelegate* _delegate = nullptr;
    QPointer<QWidget> _dimming;
    QPointer<TableView> _results;
    bool _active = false;
};

} // namespace kit
