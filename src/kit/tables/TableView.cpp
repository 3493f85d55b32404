// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableView.h"

#include "kit/views/Font.h"
#include "kit/views/Label.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kit {
namespace {

// Room above a grouped section: its header text, or a plain gap.
constexpr int groupedTitledHeader = 46;
constexpr int groupedGap = 10;
constexpr int plainTitledHeader = 22;

// The grouped table's ground: fine upright stripes of blue-grey.
const QPixmap& groupedGround()
{
    static const QPixmap tile = [] {
        QPixmap stripes(7, 1);
        QPainter painter(&stripes);
        painter.fillRect(0, 0, 7, 1, QColor(0xc5, 0xcc, 0xd4));
        painter.fillRect(0, 0, 4, 1, QColor(0xcb, 0xd2, 0xd8));
        return stripes;
    }();
    return tile;
}

} // namespace

TableView::TableView(QWidget* parent, TableViewStyle style) : ScrollView(parent), _style(style)
{
    setObjectName(QStringLiteral("tableView"));
    setFocusPolicy(Qt::TabFocus);
    if (style == TableViewStyle::Plain)
        setBackgroundColor(Qt::white);
}

void TableView::paintEvent(QPaintEvent* event)
{
    if (_style == TableViewStyle::Grouped)
        QPainter(this).drawTiledPixmap(rect(), groupedGround());
    ScrollView::paintEvent(event);
}

void TableView::setEditing(bool editing, bool)
{
    if (_editing == editing)
        return;
    _editing = editing;
    reloadData();
}

Label* TableView::headerLabelForSection(int section) const
{
    if (section < 0 || section >= numberOfSections())
        return nullptr;
    return _sections[size_t(section)].header;
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
    _confirming.reset();
    _keyboardRow.reset();
    for (const Section& section : _sections)
        delete section.header;
    _sections.clear();

    const bool grouped = _style == TableViewStyle::Grouped;
    int y = _header ? _header->height() : 0;
    const int sections = _dataSource ? _dataSource->numberOfSectionsInTableView(*this) : 0;
    for (int s = 0; s < sections; ++s) {
        Section section;
        section.top = y;
        const QString title = _dataSource->titleForHeaderInSection(*this, s);
        if (!title.isEmpty()) {
            auto* header = new Label(contentView());
            header->setObjectName(QStringLiteral("sectionHeader"));
            header->setText(title);
            header->setFont(boldSystemFont(17));
            header->setTextColor(grouped ? QColor(0x4c, 0x56, 0x6c) : QColor(0x3a, 0x3a, 0x3a));
            header->setGeometry(grouped ? 20 : 10, y + (grouped ? 14 : 0),
                                width() - (grouped ? 40 : 20), grouped ? 24 : plainTitledHeader);
            header->show();
            section.header = header;
            y += grouped ? groupedTitledHeader : plainTitledHeader;
        } else if (grouped) {
            y += groupedGap;
        }
        const int rows = _dataSource->numberOfRowsInSection(*this, s);
        section.rowTops.reserve(size_t(rows) + 1);
        for (int r = 0; r < rows; ++r) {
            section.rowTops.push_back(y);
            const float height =
                _delegate ? _delegate->heightForRowAtIndexPath(*this, {s, r}) : 44.0f;
            y += int(std::lround(height));
        }
        section.rowTops.push_back(y);
        _sections.push_back(std::move(section));
        if (grouped)
            y += groupedGap;
    }
    // A reload starts with no row selected, as on the phone.
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
    if (indexPath.section < 0 || indexPath.section >= numberOfSections() || indexPath.row < 0 ||
        indexPath.row >= numberOfRowsInSection(indexPath.section))
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
    for (const Section& section : _sections)
        if (section.header)
            section.header->resize(width() - 2 * section.header->x(), section.header->height());
    if (!_dataSource)
        return;
    const QRect visible = visibleRect();
    QHash<int, QPointer<TableViewCell>> stillVisible;
    int flat = 0;
    for (int s = 0; s < numberOfSections(); ++s) {
        const std::vector<int>& tops = _sections[size_t(s)].rowTops;
        const int rows = int(tops.size()) - 1;
        // Only the rows that meet the visible part of the content get cells.
        const int first = std::max(
            0, int(std::upper_bound(tops.begin(), tops.end(), visible.top()) - tops.begin()) - 1);
        for (int r = first; r < rows && tops[size_t(r)] <= visible.bottom(); ++r) {
            const int index = flat + r;
            QPointer<TableViewCell> cell = _visible.take(index);
            if (!cell) {
                cell = _dataSource->cellForRowAtIndexPath(*this, {s, r});
                if (!cell)
                    continue;
                if (cell->parentWidget() != contentView())
                    cell->setParent(contentView());
                prepareCell(cell, {s, r}, rows);
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

void TableView::prepareCell(TableViewCell* cell, IndexPath indexPath, int rows)
{
    using Position = TableViewCell::GroupedPosition;
    Position position = Position::None;
    if (_style == TableViewStyle::Grouped)
        position = rows == 1                   ? Position::Single
                   : indexPath.row == 0        ? Position::Top
                   : indexPath.row == rows - 1 ? Position::Bottom
                                               : Position::Middle;
    cell->setGroupedPosition(position);
    TableViewCellEditingStyle style = TableViewCellEditingStyle::None;
    if (_editing)
        style = _delegate ? _delegate->editingStyleForRowAtIndexPath(*this, indexPath)
                          : TableViewCellEditingStyle::Delete;
    cell->setEditing(_editing, style);
    if (style == TableViewCellEditingStyle::Delete && _delegate)
        cell->setDeleteConfirmationTitle(
            _delegate->titleForDeleteConfirmationButtonForRowAtIndexPath(*this, indexPath));
    cell->setShowingDeleteConfirmation(false);
    cell->setSelected(_selected == indexPath, false);
    // A cell may be shown by more than one table over its life; each asks it only for its own rows.
    connect(cell, &TableViewCell::editingControlTapped, this, &TableView::editingControlTapped,
            Qt::UniqueConnection);
    connect(cell, &TableViewCell::deleteConfirmationTapped, this,
            &TableView::deleteConfirmationTapped, Qt::UniqueConnection);
}

std::optional<IndexPath> TableView::indexPathForVisibleCell(const TableViewCell* cell) const
{
    for (auto it = _visible.cbegin(); it != _visible.cend(); ++it)
        if (it.value() == cell) {
            int flat = it.key();
            for (int s = 0; s < numberOfSections(); ++s) {
                const int rows = numberOfRowsInSection(s);
                if (flat < rows)
                    return IndexPath{s, flat};
                flat -= rows;
            }
        }
    return std::nullopt;
}

void TableView::editingControlTapped()
{
    auto* cell = qobject_cast<TableViewCell*>(sender());
    const std::optional<IndexPath> row = indexPathForVisibleCell(cell);
    if (!row || !_editing)
        return;
    if (cell->editingStyle() == TableViewCellEditingStyle::Insert) {
        endDeleteConfirmation();
        if (_dataSource)
            _dataSource->commitEditingStyle(*this, TableViewCellEditingStyle::Insert, *row);
        return;
    }
    // A touch of the minus asks for confirmation, a second one takes the question back.
    const bool wasConfirming = _confirming == row;
    endDeleteConfirmation();
    if (!wasConfirming) {
        _confirming = row;
        cell->setShowingDeleteConfirmation(true);
    }
}

void TableView::deleteConfirmationTapped()
{
    auto* cell = qobject_cast<TableViewCell*>(sender());
    const std::optional<IndexPath> row = indexPathForVisibleCell(cell);
    if (!row || row != _confirming)
        return;
    endDeleteConfirmation();
    if (_dataSource)
        _dataSource->commitEditingStyle(*this, TableViewCellEditingStyle::Delete, *row);
}

bool TableView::endDeleteConfirmation()
{
    if (!_confirming)
        return false;
    if (TableViewCell* cell = cellForRowAtIndexPath(*_confirming))
        cell->setShowingDeleteConfirmation(false);
    _confirming.reset();
    return true;
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
    if (_confirming || (_editing && !_allowsSelectionDuringEditing))
        return;
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
    // While a delete waits for confirmation a touch elsewhere only takes the question back.
    if (endDeleteConfirmation())
        return;
    if (!row || row != pressedRow)
        return;
    selectRowAtIndexPath(*row, false);
    if (_delegate)
        _delegate->didSelectRowAtIndexPath(*this, *row);
}

void TableView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool down = key == Qt::Key_Down;
    if ((down || key == Qt::Key_Up) && numberOfSections() > 0) {
        // Rows in reading order across sections.
        std::vector<IndexPath> rows;
        for (int s = 0; s < numberOfSections(); ++s)
            for (int r = 0; r < numberOfRowsInSection(s); ++r)
                rows.push_back({s, r});
        if (rows.empty())
            return;
        std::ptrdiff_t at = -1;
        if (_keyboardRow)
            at = std::find(rows.begin(), rows.end(), *_keyboardRow) - rows.begin();
        at = std::clamp<std::ptrdiff_t>(at < 0 ? 0 : at + (down ? 1 : -1), 0,
                                        std::ptrdiff_t(rows.size()) - 1);
        if (_keyboardRow && _keyboardRow != _selected)
            if (TableViewCell* cell = cellForRowAtIndexPath(*_keyboardRow))
                cell->setSelected(false, false);
        _keyboardRow = rows[size_t(at)];
        scrollToRowAtIndexPath(*_keyboardRow);
        if (TableViewCell* cell = cellForRowAtIndexPath(*_keyboardRow))
            cell->setSelected(true, false);
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && _keyboardRow &&
        (!_editing || _allowsSelectionDuringEditing)) {
        const IndexPath row = *_keyboardRow;
        _keyboardRow.reset();
        selectRowAtIndexPath(row, false);
        if (_delegate)
            _delegate->didSelectRowAtIndexPath(*this, row);
        return;
    }
    ScrollView::keyPressEvent(event);
}

void TableView::focusOutEvent(QFocusEvent* event)
{
    if (_keyboardRow && _keyboardRow != _selected)
        if (TableViewCell* cell = cellForRowAtIndexPath(*_keyboardRow))
            cell->setSelected(false, false);
    _keyboardRow.reset();
    ScrollView::focusOutEvent(event);
}

} // namespace kit
