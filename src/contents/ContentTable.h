// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ContentCell.h"
#include "TextResultCell.h"
#include "articlelist/ListReader.h"
#include "kit/controllers/ViewController.h"
#include "kit/foundation/Owned.h"
#include "kit/tables/SearchDisplayController.h"
#include "kit/tables/TableView.h"
#include "search/ArticleSearch.h"
#include "search/TitleSearch.h"
#include "viewer/WebController.h"

#include <QPointer>

#include <memory>
#include <optional>
#include <vector>

namespace kit {
class SearchBar;
}

namespace viewer {
class HelpBand;
}

namespace contents {

// The table of contents: one row per record of Content.xml, narrowed by a
// title search, each row opening its article in a viewer pushed on the stack.
// Under the title search's rows the results show a second section, "В тексте
// статей": the other articles whose text or keywords match, best first, each
// opening its article at the match.
class ContentTable final : public kit::ViewController,
                           public kit::TableViewDataSource,
                           public kit::TableViewDelegate,
                           public kit::SearchDisplayDelegate {
    Q_OBJECT

public:
    ContentTable();
    ~ContentTable() override;

    // The viewer most recently opened from the list; the navigation stack owns it.
    viewer::WebController* openedViewer() const { return _openedViewer; }

    kit::TableView* tableView() const { return _tableView; }
    viewer::HelpBand* helpBand() const { return _helpBand; }
    kit::SearchBar* searchBar() const { return _searchBar; }
    kit::SearchDisplayController* searchDisplayController() const
    {
        return _searchDisplayController.get();
    }
    const std::vector<kit::Owned<ContentCell>>& cells() const { return _cells; }
    const std::vector<ContentCell*>& filteredCells() const { return _filteredCells; }
    // Whether the current search found nothing (its results then offer the page on calling
    // for help).
    bool nothingFound() const { return _nothingFound; }
    // The text section's articles for the current search, best first.
    const std::vector<search::Hit>& textResults() const { return _textResults; }
    // The search of the articles' text, once the first search has started it.
    search::ArticleSearch* textSearch() const { return _textSearch.get(); }

    // Fills the filtered rows (the titles that hold the search text, letter case aside)
    // and the text section.
    void filterContentForSearchText(const QString& searchText);
    // Clears the main list's selection (not the search results').
    void deselectItem();

    int numberOfSectionsInTableView(kit::TableView& tableView) override;
    QString titleForHeaderInSection(kit::TableView& tableView, int section) override;
    int numberOfRowsInSection(kit::TableView& tableView, int section) override;
    kit::TableViewCell* cellForRowAtIndexPath(kit::TableView& tableView,
                                              kit::IndexPath indexPath) override;
    float heightForRowAtIndexPath(kit::TableView& tableView, kit::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(kit::TableView& tableView, kit::IndexPath indexPath) override;

    bool shouldReloadTableForSearchString(kit::SearchDisplayController& controller,
                                          const QString& searchString) override;
    void willEndSearch(kit::SearchDisplayController& controller) override;

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    bool isResults(const kit::TableView& tableView) const;
    // Starts the index of the articles' text at the first search that has something to find.
    void startTextSearch(const QString& searchText);
    void textSearchReady();
    TextResultCell* textResultCell(int index);
    ContentCell* resultCell(size_t row);
    // The list row a results row stands for.
    size_t listRowOf(const kit::TableView& tableView, kit::IndexPath indexPath) const;
    void openArticle(size_t row, const QStringList& highlight);

    std::unique_ptr<articlelist::ListReader> _list;
    QPointer<viewer::WebController> _openedViewer;
    std::vector<kit::Owned<ContentCell>> _cells;
    std::vector<ContentCell*> _filteredCells;
    // The list rows of the filtered cells.
    std::vector<size_t> _filteredRows;
    // The results table's own rows for the title section, made when first shown: a row is
    // a widget, and one widget cannot stand in two tables at once (the list lays its rows
    // out again when it comes back into view, under the results).
    std::vector<kit::Owned<ContentCell>> _resultCells;
    search::TitleSearch _titleSearch;
    std::unique_ptr<search::ArticleSearch> _textSearch;
    std::vector<search::Hit> _textResults;
    std::vector<kit::Owned<TextResultCell>> _textCells;
    // A search that found nothing: the results say so and offer the page on calling for help.
    bool _nothingFound = false;
    std::optional<size_t> _callRow;

    kit::TableView* _tableView = nullptr;
    viewer::HelpBand* _helpBand = nullptr;
    kit::SearchBar* _searchBar = nullptr;
    std::unique_ptr<kit::SearchDisplayController> _searchDisplayController;
};

} // namespace contents
