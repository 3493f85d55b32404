// SPDX-License-Identifier: GPL-3.0-or-later
#include "SearchDisplayController.h"

#include "SearchBar.h"
#include "TableView.h"
#include "kit/controllers/ViewController.h"

#include <QEvent>
#include <QMouseEvent>

#include <algorithm>
#include <functional>

namespace kit {
namespace {

// The dark veil over the screen while the search has no text yet; a tap on it ends the search.
class Dimming final : public QWidget {
public:
    explicit Dimming(std::function<void()> tapped) : _tapped(std::move(tapped))
    {
        setObjectName(QStringLiteral("searchDimming"));
        setAutoFillBackground(true);
        QPalette colours = palette();
        colours.setColor(QPalette::Window, QColor(0, 0, 0, 200));
        setPalette(colours);
    }

protected:
    void mouseReleaseEvent(QMouseEvent*) override { _tapped(); }

private:
    std::function<void()> _tapped;
};

} // namespace

SearchDisplayController::SearchDisplayController(SearchBar* searchBar,
                                                 ViewController* contentsController)
    : _searchBar(searchBar), _contents(contentsController)
{
    _results = new TableView();
    _results->setObjectName(QStringLiteral("searchResultsTableView"));
    _results->setAccessibleName(QStringLiteral("Результаты поиска"));
    _results->hide();
    _dimming = new Dimming([this] { setActive(false, true); });
    _dimming->hide();
    connect(searchBar, &SearchBar::editingBegan, this, [this] { setActive(true, true); });
    connect(searchBar, &SearchBar::cancelClicked, this, [this] { setActive(false, true); });
    connect(searchBar, &SearchBar::textChanged, this, &SearchDisplayController::textChanged);
}

SearchDisplayController::~SearchDisplayController()
{
    delete _results.data();
    delete _dimming.data();
}

void SearchDisplayController::setSearchResultsDataSource(TableViewDataSource* dataSource)
{
    _results->setDataSource(dataSource);
}

void SearchDisplayController::setSearchResultsDelegate(TableViewDelegate* delegate)
{
    _results->setDelegate(delegate);
}

void SearchDisplayController::place()
{
    if (!_contents || !_contents->isViewLoaded() || !_searchBar)
        return;
    QWidget* host = _contents->view();
    // Below the search bar, wherever the screen has it (a band may lie above the list).
    int top = SearchBar::barHeight;
    if (host->isAncestorOf(_searchBar))
        top = std::max(0, _searchBar->mapTo(host, QPoint(0, _searchBar->height())).y());
    const QRect below(0, top, host->width(), std::max(0, host->height() - top));
    for (QWidget* overlay :
         {static_cast<QWidget*>(_dimming.data()), static_cast<QWidget*>(_results.data())}) {
        if (overlay->parentWidget() != host)
            overlay->setParent(host);
        overlay->setGeometry(below);
    }
    const bool hasText = !_searchBar->text().isEmpty();
    _dimming->setVisible(_active && !hasText);
    _results->setVisible(_active && hasText);
    _dimming->raise();
    _results->raise();
}

void SearchDisplayController::setActive(bool active, bool)
{
    if (_active == active)
        return;
    if (!active && _delegate)
        _delegate->willEndSearch(*this);
    _active = active;
    if (_searchBar) {
        _searchBar->setShowsCancelButton(active);
        if (!active) {
            _searchBar->resignFirstResponder();
            _searchBar->setText(QString());
        }
    }
    // The bar goes to the top of the screen while the search runs.
    if (active && _searchBar) {
        for (QWidget* ancestor = _searchBar->parentWidget(); ancestor;
             ancestor = ancestor->parentWidget()) {
            if (auto* table = qobject_cast<TableView*>(ancestor)) {
                table->setContentOffset(QPoint(0, 0));
                break;
            }
        }
    }
    place();
}

void SearchDisplayController::textChanged(const QString& text)
{
    if (!_active)
        return;
    if (!_delegate || _delegate->shouldReloadTableForSearchString(*this, text))
        _results->reloadData();
    place();
}

} // namespace kit
