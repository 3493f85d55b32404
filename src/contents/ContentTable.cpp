// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContentTable.h"

#include "articlelist/ListLoader.h"
#include "kit/controllers/NavigationController.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Bundle.h"
#include "kit/tables/SearchBar.h"
#include "kit/views/View.h"
#include "viewer/HelpBand.h"
#include "viewer/ReadingZoom.h"
#include "viewer/WebController.h"

#include <optional>

namespace contents {

ContentTable::ContentTable() = default;

ContentTable::~ContentTable()
{
    // The search display refers to the table screen as its delegate: it goes first.
    _searchDisplayController.reset();
}

bool ContentTable::isResults(const kit::TableView& tableView) const
{
    return _searchDisplayController &&
           &tableView == _searchDisplayController->searchResultsTableView();
}

void ContentTable::loadView()
{
    // The screen's layout: the table filling the screen with the search bar above its
    // first row, and the search display over them.
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("contentTableView"));
    view->resize(kit::Window::applicationFrame().size());
    // Above the list, the way into the step-by-step help: a band, not a row, so the list
    // and its search are as they were.
    _helpBand = new viewer::HelpBand(view);
    kit::setFrame(_helpBand, QRect(0, 0, view->width(), viewer::HelpBand::bandHeight));
    kit::setAutoresizingMask(_helpBand, kit::Autoresizing::FlexibleWidth);
    _tableView = new kit::TableView(view);
    _tableView->setAccessibleName(QStringLiteral("Статьи"));
    _tableView->setGeometry(view->rect().adjusted(0, viewer::HelpBand::bandHeight, 0, 0));
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

    _list = articlelist::loadList(QStringLiteral("Content"), QStringLiteral("xml"));

    _cells.clear();
    _cells.reserve(size_t(_list->records().size()));
    QStringList titles;
    unsigned row = 0;
    for (const articlelist::Record& record : _list->records()) {
        auto* cell = new ContentCell();
        cell->customizeWithDictionary(record, row);
        titles << cell->text();
        _cells.emplace_back(cell);
        ++row;
    }
    _titleSearch.setTitles(titles);
    // The page that tells how to call for help: what a search that finds nothing offers.
    _callRow.reset();
    for (size_t row = 0; row < _cells.size(); ++row)
        if (_cells[row]->link() == QLatin1String("call.html"))
            _callRow = row;
    _filteredCells.clear();
    _filteredCells.reserve(_cells.size());
    _filteredRows.clear();
    _resultCells.clear();
    _resultCells.resize(_cells.size());

    _tableView->reloadData();
    _tableView->setScrollEnabled(true);

    setTitle(QStringLiteral("Содержание"));
    _searchBar->setPlaceholderText(QStringLiteral("Поиск"));
}

int ContentTable::numberOfSectionsInTableView(kit::TableView& tableView)
{
    return isResults(tableView) && !_textResults.empty() ? 2 : 1;
}

QString ContentTable::titleForHeaderInSection(kit::TableView& tableView, int section)
{
    if (!isResults(tableView))
        return {};
    if (section == 0 && _nothingFound)
        return QStringLiteral("Ничего не найдено");
    return section == 1 ? QStringLiteral("В тексте статей") : QString();
}

int ContentTable::numberOfRowsInSection(kit::TableView& tableView, int section)
{
    if (isResults(tableView)) {
        if (_nothingFound)
            return _callRow ? 1 : 0;
        return section == 1 ? int(_textResults.size()) : int(_filteredCells.size());
    }
    return int(_cells.size());
}

kit::TableViewCell* ContentTable::cellForRowAtIndexPath(kit::TableView& tableView,
                                                        kit::IndexPath indexPath)
{
    if (isResults(tableView)) {
        if (indexPath.section == 1)
            return textResultCell(indexPath.row);
        return resultCell(listRowOf(tableView, indexPath));
    }
    return _cells.at(size_t(indexPath.row)).get();
}

ContentCell* ContentTable::resultCell(size_t row)
{
    kit::Owned<ContentCell>& cell = _resultCells.at(row);
    if (!cell) {
        cell.reset(new ContentCell());
        cell->customizeWithDictionary(_list->records().at(qsizetype(row)), unsigned(row));
    }
    return cell.get();
}

size_t ContentTable::listRowOf(const kit::TableView& tableView, kit::IndexPath indexPath) const
{
    if (!isResults(tableView))
        return size_t(indexPath.row);
    // Nothing found: the one row is the page on calling for help.
    return _nothingFound ? _callRow.value_or(0) : _filteredRows.at(size_t(indexPath.row));
}

TextResultCell* ContentTable::textResultCell(int index)
{
    const search::Hit& hit = _textResults.at(size_t(index));
    if (_textCells.size() <= size_t(index))
        _textCells.resize(size_t(index) + 1);
    kit::Owned<TextResultCell>& cell = _textCells[size_t(index)];
    if (!cell)
        cell.reset(new TextResultCell());
    const QString title = _cells.at(size_t(hit.article))->text();
    if (cell->title() != title || cell->snippet() != hit.snippet)
        cell->setResult(title, hit.snippet);
    return cell.get();
}

float ContentTable::heightForRowAtIndexPath(kit::TableView& tableView, kit::IndexPath indexPath)
{
    if (isResults(tableView) && indexPath.section == 1)
        return textResultCell(indexPath.row)->height();
    // A result's row is as tall as its row in the list; its own cell is made only if shown.
    return _cells.at(listRowOf(tableView, indexPath))->height();
}

void ContentTable::didSelectRowAtIndexPath(kit::TableView& tableView, kit::IndexPath indexPath)
{
    if (isResults(tableView) && indexPath.section == 1) {
        const search::Hit& hit = _textResults.at(size_t(indexPath.row));
        openArticle(size_t(hit.article), hit.words);
        return;
    }
    const size_t row = listRowOf(tableView, indexPath);
    // A record without a page has nothing to open: the row only lets go of its highlight.
    if (!_cells.at(row)->hasLink()) {
        tableView.deselectRowAtIndexPath(indexPath, true);
        return;
    }
    openArticle(row, {});
}

void ContentTable::openArticle(size_t row, const QStringList& highlight)
{
    if (!navigationController() || row >= _cells.size() || !_cells[row]->hasLink())
        return;
    auto article = std::make_unique<viewer::WebController>(viewer::pageUrl(_cells[row]->link()));
    article->setFontSize(viewer::articleFontSize());
    // Opened from the text section: the page shows where the match is.
    if (!highlight.isEmpty())
        article->setHighlightedText(highlight.first());
    _openedViewer = article.get();
    navigationController()->pushViewController(std::move(article), true);
}

void ContentTable::filterContentForSearchText(const QString& searchText)
{
    startTextSearch(searchText);
    search::Results results =
        search::findArticles(_titleSearch, _textSearch.get(), searchText, search::textResultLimit);
    _filteredCells.clear();
    for (size_t row : results.titles)
        _filteredCells.push_back(_cells[row].get());
    _filteredRows = std::move(results.titles);
    _textResults = std::move(results.texts);
    // Said only once the text has been searched too (its index takes tens of milliseconds to
    // build at the first search), so it never flashes up before the results.
    const bool searched = !_textSearch ||
                          _textSearch->state() == search::ArticleSearch::State::Ready ||
                          _textSearch->state() == search::ArticleSearch::State::Unavailable;
    _nothingFound = !searchText.trimmed().isEmpty() && _filteredRows.empty() &&
                    _textResults.empty() && searched;
}

void ContentTable::startTextSearch(const QString& searchText)
{
    if (_textSearch || searchText.trimmed().isEmpty() || !_list)
        return;
    _textSearch = std::make_unique<search::ArticleSearch>();
    connect(_textSearch.get(), &search::ArticleSearch::ready, this, &ContentTable::textSearchReady);
    _textSearch->build(search::listedArticles(_list->records()),
                       kit::Bundle::mainBundle().bundlePath());
}

void ContentTable::textSearchReady()
{
    // The keystrokes made while the index was built get their text section now.
    if (!_searchDisplayController || !_searchDisplayController->isActive() || !_searchBar ||
        _searchBar->text().isEmpty())
        return;
    filterContentForSearchText(_searchBar->text());
    // The title section is as it was: a row opened from it stays highlighted.
    kit::TableView* results = _searchDisplayController->searchResultsTableView();
    const std::optional<kit::IndexPath> selected = results->indexPathForSelectedRow();
    results->reloadData();
    if (selected && selected->section == 0)
        results->selectRowAtIndexPath(*selected, false);
}

bool ContentTable::shouldReloadTableForSearchString(kit::SearchDisplayController&,
                                                    const QString& searchString)
{
    filterContentForSearchText(searchString);
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

} // namespace contents
