#include "ContentTable.h"

#include "app/KavelAppDelegate.h"
#include "content/ListLoader.h"
#include "kit/controllers/NavigationController.h"
#include "kit/controllers/Window.h"
#include "kit/tables/SearchBar.h"
#include "kit/views/View.h"
#include "viewer/WebController.h"

#include <algorithm>
#include <optional>

namespace {

// Ends each title in the searchable text: a noncharacter no title or search text holds.
const QChar titleEnd(0xFFFF);

} // namespace

ContentTable::ContentTable() = default;

ContentTable::~ContentTable()
{
    // The search display refers to the table screen as its delegate: it goes first.
    _searchDisplayController.reset();
}

void ContentTable::loadView()
{
    // The screen's layout: the table filling the screen with the search bar above its
    // first row, and the search display over them.
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("contentTableView"));
    view->resize(kit::Window::applicationFrame().size());
    _tableView = new kit::TableView(view);
    _tableView->setAccessibleName(QStringLiteral("Статьи"));
    _tableView->setGeometry(view->rect());
    kit::setAutoresizingMask(_tableView,
                             kit::Autoresizing::FlexibleWidth | kit::Autoresizing::FlexibleHeight);
    _tableView->setDataSource(this);
    _searchBar = new kit::SearchBar();
    _tableView->setTableHeaderView(_searchBar);
    _searchDisplayController = std::make_unique<kit::SearchDisplayController>(_searchBar, this);
    _searchDisplayController->setDelegate(this);
    _searchDisplayController->setSearchResultsDataSource(this);
    _searchDisplayController->setSearchResultsDelegate(this);
    setView(view);
}

void ContentTable::viewDidLoad()
{
    _tableView->setDelegate(this);

    _parser = loadList(QStringLiteral("Content"), QStringLiteral("xml"));

    _cells.clear();
    _searchableText.clear();
    _titleStarts.clear();
    _cells.reserve(size_t(_parser->elements().size()));
    _titleStarts.reserve(size_t(_parser->elements().size()) + 1);
    unsigned row = 0;
    for (const Record& record : _parser->elements()) {
        auto* cell = new ContentCell();
        cell->customizeWithDictionary(record, row);
        _titleStarts.push_back(_searchableText.size());
        _searchableText += cell->text().toCaseFolded();
        _searchableText += titleEnd;
        _cells.emplace_back(cell);
        ++row;
    }
    _titleStarts.push_back(_searchableText.size());
    _filteredCells.clear();
    _filteredCells.reserve(_cells.size());

    if (_savedSearchTerm) {
        _searchDisplayController->setActive(_searchWasActive, false);
        _searchBar->setSelectedScopeButtonIndex(_savedScopeButtonIndex);
        _searchBar->setText(*_savedSearchTerm);
        _savedSearchTerm.reset();
    }

    _tableView->reloadData();
    _tableView->setScrollEnabled(true);

    setTitle(QStringLiteral("Содержание"));
    _searchBar->setPlaceholderText(QStringLiteral("Поиск"));
}

void ContentTable::viewDidUnload()
{
    _filteredCells.clear();
    _searchDisplayController.reset();
    _tableView = nullptr;
    _searchBar = nullptr;
}

int ContentTable::numberOfRowsInSection(kit::TableView& tableView, int)
{
    if (_searchDisplayController &&
        &tableView == _searchDisplayController->searchResultsTableView())
        return int(_filteredCells.size());
    return int(_cells.size());
}

kit::TableViewCell* ContentTable::cellForRowAtIndexPath(kit::TableView& tableView,
                                                        kit::IndexPath indexPath)
{
    if (_searchDisplayController &&
        &tableView == _searchDisplayController->searchResultsTableView())
        return _filteredCells.at(size_t(indexPath.row));
    return _cells.at(size_t(indexPath.row)).get();
}

float ContentTable::heightForRowAtIndexPath(kit::TableView& tableView, kit::IndexPath indexPath)
{
    return static_cast<ContentCell*>(cellForRowAtIndexPath(tableView, indexPath))->height();
}

void ContentTable::didSelectRowAtIndexPath(kit::TableView& tableView, kit::IndexPath indexPath)
{
    auto* row = static_cast<ContentCell*>(cellForRowAtIndexPath(tableView, indexPath));
    // A record without a page has nothing to open: the row only lets go of its highlight.
    if (!row->hasLink()) {
        tableView.deselectRowAtIndexPath(indexPath, true);
        return;
    }
    KavelAppDelegate* delegate = KavelAppDelegate::shared();
    if (!delegate || !navigationController())
        return;
    auto article = std::make_unique<WebController>(delegate->urlForFile(row->link()));
    article->setFontSize(viewer::articleFontSize());
    _webController = article.get();
    navigationController()->pushViewController(std::move(article), true);
}

void ContentTable::filterContentForSearchText(const QString& searchText, const QString&)
{
    _filteredCells.clear();
    // An empty search text finds nothing.
    if (searchText.isEmpty() || searchText.contains(titleEnd))
        return;
    // The same test as a case-insensitive search of each title, done on the titles folded in
    // advance: after a match the scan goes on at the next title, so each row counts once.
    const QString folded = searchText.toCaseFolded();
    qsizetype from = 0;
    for (;;) {
        const qsizetype found = _searchableText.indexOf(folded, from);
        if (found < 0)
            break;
        const auto next = std::upper_bound(_titleStarts.begin(), _titleStarts.end(), found);
        const size_t row = size_t(next - _titleStarts.begin()) - 1;
        _filteredCells.push_back(_cells[row].get());
        from = *next;
    }
}

QString ContentTable::scopeTitle(int index) const
{
    return _searchBar ? _searchBar->scopeButtonTitles().value(index) : QString();
}

bool ContentTable::shouldReloadTableForSearchString(kit::SearchDisplayController&,
                                                    const QString& searchString)
{
    filterContentForSearchText(searchString, scopeTitle(_searchBar->selectedScopeButtonIndex()));
    return true;
}

bool ContentTable::shouldReloadTableForSearchScope(kit::SearchDisplayController&, int searchOption)
{
    filterContentForSearchText(_searchBar->text(), scopeTitle(searchOption));
    return true;
}

void ContentTable::willEndSearch(kit::SearchDisplayController&)
{
    if (_tableView)
        _tableView->reloadData();
}

void ContentTable::deselectItem()
{
    if (!_tableView)
        return;
    if (const std::optional<kit::IndexPath> selected = _tableView->indexPathForSelectedRow())
        _tableView->deselectRowAtIndexPath(*selected, true);
}

void ContentTable::viewDidDisappear(bool)
{
    if (!_searchDisplayController)
        return;
    _searchWasActive = _searchDisplayController->isActive();
    _savedSearchTerm = _searchBar->text();
    _savedScopeButtonIndex = _searchBar->selectedScopeButtonIndex();
}
