#include "TableView.h"

#include "TableViewCell.h"

#include <algorithm>
#include <cmath>

namespace kit {

TableView::TableView(QWidget* parent) : ScrollView(parent)
{
    setObjectName(QStringLiteral("tableView"));
    setBackgroundColor(Qt::white);
}

TableView::~TableView()
{
    // The cells belong to the data source, not to the table: hand back every one still here.
    for (QObject* child : contentView()->children())
        if (auto* cell = qobject_cast<TableViewCell*>(child)) {
            cell->hide();
            cell->setParent(nullptr);
        }
}

void TableView::setBackgroundColor(const QColor& color)
{
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    setPalette(colours);
}

void TableView::detach(TableViewCell* cell)
{
    // A row out of sight is only hidden: moving a widget between parents costs far more
    // than hiding it, and the row may come back at the next scroll or keystroke.
    if (cell->parentWidget() == contentView())
        cell->hide();
}

void TableView::setTableHeaderView(QWidget* view)
{
    if (_header && _header != view)
        _header->setParent(nullptr);
    _header = view;
    if (view) {
        view->setParent(contentView());
        view->show();
    }
    reloadData();
}

int TableView::numberOfRowsInSection(int section) const
{
    if (section < 0 || size_t(section) >= _sections.size())
        return 0;
    return int(_sections[size_t(section)].rowTops.size()) - 1;
}

void TableView::reloadData()
{
    for (const QPointer<TableViewCell>& cell : std::as_const(_visible))
        if (cell)
            detach(cell);
    _visible.clear();
    _highlighted.reset();
    _sections.clear();

    int y = _header ? _header->height() : 0;
    const int sections = _dataSource ? _dataSource->numberOfSectionsInTableView(*this) : 0;
    for (int s = 0; s < sections; ++s) {
        Section section;
        section.top = y;
        const int rows = _dataSource->numberOfRowsInSection(*this, s);
        section.rowTops.reserve(size_t(rows) + 1);
        for (int r = 0; r < rows; ++r) {
            section.rowTops.push_back(y);
            const float height = _delegate ? _delegate->heightForRowAtIndexPath(*this, {s, r}) : 44.0f;
            y += int(std::lround(height));
        }
        section.rowTops.push_back(y);
        _sections.push_back(std::move(section));
    }
    if (_selected && (_selected->section >= numberOfSections() || _selected->row >= numberOfRowsInSection(_selected->section)))
        _selected.reset();
    setContentSize(QSize(width(), y));
    layoutContent();
}

int TableView::flatIndex(IndexPath indexPath) const
{
    int index = 0;
    for (int s = 0; s < indexPath.section; ++s)
        index += numberOfRowsInSection(s);
    return index + indexPath.row;
}

QRect TableView::rectForRowAtIndexPath(IndexPath indexPath) const
{
    if (indexPath.section < 0 || indexPath.section >= numberOfSections() || indexPath.row < 0
        || indexPath.row >= numberOfRowsInSection(indexPath.section))
        return {};
    const Section& section = _sections[size_t(indexPath.section)];
    const int top = section.rowTops[size_t(indexPath.row)];
    return QRect(0, top, width(), section.rowTops[size_t(indexPath.row) + 1] - top);
}

std::optional<IndexPath> TableView::indexPathForRowAtPoint(QPoint contentPoint) const
{
    for (int s = 0; s < numberOfSections(); ++s) {
        const std::vector<int>& tops = _sections[size_t(s)].rowTops;
        if (tops.size() < 2 || contentPoint.y() < tops.front() || contentPoint.y() >= tops.back())
            continue;
        const auto after = std::upper_bound(tops.begin(), tops.end(), contentPoint.y());
        return IndexPath{s, int(after - tops.begin()) - 1};
    }
    return std::nullopt;
}

void TableView::layoutContent()
{
    if (_header)
        _header->setGeometry(0, 0, width(), _header->height());
    if (!_dataSource)
        return;
    const QRect visible = visibleRect();
    QHash<int, QPointer<TableViewCell>> stillVisible;
    int flat = 0;
    for (int s = 0; s < numberOfSections(); ++s) {
        const std::vector<int>& tops = _sections[size_t(s)].rowTops;
        const int rows = int(tops.size()) - 1;
        // Only the rows that meet the visible part of the content get cells.
        const int first = std::max(0, int(std::upper_bound(tops.begin(), tops.end(), visible.top()) - tops.begin()) - 1);
        for (int r = first; r < rows && tops[size_t(r)] <= visible.bottom(); ++r) {
            const int index = flat + r;
            QPointer<TableViewCell> cell = _visible.take(index);
            if (!cell) {
                cell = _dataSource->cellForRowAtIndexPath(*this, {s, r});
                if (!cell)
                    continue;
                if (cell->parentWidget() != contentView())
                    cell->setParent(contentView());
                cell->setSelected(_selected == IndexPath{s, r}, false);
            }
            cell->setGeometry(0, tops[size_t(r)], width(), tops[size_t(r) + 1] - tops[size_t(r)]);
            cell->show();
            stillVisible.insert(index, cell);
        }
        flat += rows;
    }
    // What is left scrolled out of sight.
    for (const QPointer<TableViewCell>& cell : std::as_const(_visible))
        if (cell)
            detach(cell);
    _visible = std::move(stillVisible);
}

TableViewCell* TableView::cellForRowAtIndexPath(IndexPath indexPath) const
{
    return _visible.value(flatIndex(indexPath)).data();
}

std::vector<TableViewCell*> TableView::visibleCells() const
{
    std::vector<std::pair<int, TableViewCell*>> ordered;
    for (auto it = _visible.cbegin(); it != _visible.cend(); ++it)
        if (it.value())
            ordered.emplace_back(it.key(), it.value().data());
    std::sort(ordered.begin(), ordered.end());
    std::vector<TableViewCell*> cells;
    for (const auto& [index, cell] : ordered)
        cells.push_back(cell);
    return cells;
}

void TableView::scrollToRowAtIndexPath(IndexPath indexPath)
{
    const QRect row = rectForRowAtIndexPath(indexPath);
    if (row.isNull())
        return;
    if (row.top() < contentOffset().y())
        setContentOffset(QPoint(0, row.top()));
    else if (row.bottom() > contentOffset().y() + height())
        setContentOffset(QPoint(0, row.bottom() - height() + 1));
}

void TableView::selectRowAtIndexPath(IndexPath indexPath, bool animated)
{
    if (_selected && *_selected != indexPath)
        deselectRowAtIndexPath(*_selected, animated);
    _selected = indexPath;
    if (TableViewCell* cell = cellForRowAtIndexPath(indexPath))
        cell->setSelected(true, animated);
}

void TableView::deselectRowAtIndexPath(IndexPath indexPath, bool animated)
{
    if (_selected != indexPath)
        return;
    _selected.reset();
    if (TableViewCell* cell = cellForRowAtIndexPath(indexPath))
        cell->setSelected(false, animated);
}

void TableView::pressed(QPoint position)
{
    const std::optional<IndexPath> row = indexPathForRowAtPoint(position + contentOffset());
    if (!row)
        return;
    _highlighted = row;
    if (TableViewCell* cell = cellForRowAtIndexPath(*row))
        cell->setSelected(true, false);
}

void TableView::unhighlight()
{
    if (!_highlighted)
        return;
    const IndexPath row = *_highlighted;
    _highlighted.reset();
    if (_selected != row)
        if (TableViewCell* cell = cellForRowAtIndexPath(row))
            cell->setSelected(false, false);
}

void TableView::pressCancelled()
{
    unhighlight();
}

void TableView::tapped(QPoint position)
{
    const std::optional<IndexPath> row = indexPathForRowAtPoint(position + contentOffset());
    const std::optional<IndexPath> pressedRow = _highlighted;
    unhighlight();
    if (!row || row != pressedRow)
        return;
    selectRowAtIndexPath(*row, false);
    if (_delegate)
        _delegate->didSelectRowAtIndexPath(*this, *row);
}

} // namespace kit
