// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableViewCell.h"

#include "kit/controllers/Window.h"
#include "kit/views/Control.h"
#include "kit/views/Font.h"
#include "kit/views/Label.h"
#include "kit/views/TitledButton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace kit {
namespace {

// Grouped rows sit in a white box inset from the table's sides.
constexpr int groupedInset = 10;
constexpr int groupedRadius = 8;
constexpr int editingControlWidth = 36;
constexpr int accessoryWidth = 20;
constexpr int contentPadding = 10;

const QColor groupedBorder(0xa7, 0xab, 0xb0);
const QColor groupedSeparator(0xd9, 0xd9, 0xd9);

// The phone's blue selection, in the shape of the row's ground.
class Highlight final : public QWidget {
public:
    explicit Highlight(TableViewCell* cell) : QWidget(cell), _cell(cell)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient fill(0, 0, 0, height());
        fill.setColorAt(0, QColor(0x05, 0x8c, 0xf5));
        fill.setColorAt(1, QColor(0x01, 0x5e, 0xe6));
        painter.fillPath(_cell->groundPath(), fill);
    }

private:
    TableViewCell* _cell;
};

// The chevron at a row's right end: grey, white on the highlight.
class Accessory final : public QWidget {
public:
    explicit Accessory(TableViewCell* cell) : QWidget(cell), _cell(cell)
    {
        setObjectName(QStringLiteral("disclosureIndicator"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(_cell->isSelected() ? QColor(Qt::white) : QColor(0x80, 0x80, 0x80), 3,
                            Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        const QPointF centre = QRectF(rect()).center();
        painter.drawPolyline(QPolygonF(
            {centre + QPointF(-3, -5.5), centre + QPointF(2.5, 0), centre + QPointF(-3, 5.5)}));
    }

private:
    TableViewCell* _cell;
};

// The red minus or green plus at a row's left end; the minus turns upright while
// the row asks for the delete to be confirmed.
class EditingControl final : public Control {
public:
    EditingControl(TableViewCellEditingStyle style, QWidget* parent)
        : Control(parent), _style(style)
    {
        const bool insert = style == TableViewCellEditingStyle::Insert;
        setObjectName(insert ? QStringLiteral("insertControl") : QStringLiteral("deleteControl"));
        setAccessibleName(insert ? QStringLiteral("Добавить") : QStringLiteral("Удалить"));
    }
    TableViewCellEditingStyle style() const { return _style; }
    void setUpright(bool upright)
    {
        _upright = upright;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPointF centre(width() / 2.0, height() / 2.0);
        const double r = 11;
        const bool insert = _style == TableViewCellEditingStyle::Insert;
        const QColor base = insert ? QColor(0x2f, 0xb4, 0x2f) : QColor(0xe0, 0x1e, 0x1e);
        QRadialGradient fill(centre - QPointF(0, r / 2), r * 1.6);
        fill.setColorAt(0, base.lighter(140));
        fill.setColorAt(1, isHighlighted() ? base.darker(140) : base);
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(fill);
        painter.drawEllipse(centre, r, r);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        if (insert || !_upright)
            painter.drawRect(QRectF(centre.x() - 6, centre.y() - 1.5, 12, 3));
        if (insert || _upright)
            painter.drawRect(QRectF(centre.x() - 1.5, centre.y() - 6, 3, 12));
    }

private:
    TableViewCellEditingStyle _style;
    bool _upright = false;
};

// The red button that carries out a delete.
const TitledButton::Look confirmationLook = {
    {{0, QColor(0xe8, 0x4a, 0x4a)}, {1, QColor(0xc4, 0x10, 0x10)}},
    {{0, QColor(0xb0, 0x10, 0x10)}, {1, QColor(0x80, 0x00, 0x00)}},
    QColor(0x70, 0x00, 0x00),
    5,
};

} // namespace

TableViewCell::TableViewCell(QWidget* parent)
    : QWidget(parent), _confirmationTitle(QStringLiteral("Удалить"))
{
    resize(Window::width, 44);
}

Label* TableViewCell::textLabel()
{
    if (!_textLabel) {
        _textLabel = new Label(this);
        _textLabel->setObjectName(QStringLiteral("textLabel"));
        _textLabel->setFont(boldSystemFont(17));
        _textLabel->setLineBreakMode(LineBreakMode::TailTruncation);
        _textLabel->setHighlighted(_selected);
        _textLabel->show();
        layoutSubviews();
    }
    return _textLabel;
}

void TableViewCell::setBackgroundColor(const QColor& color)
{
    _backgroundColor = color;
    update();
}

void TableViewCell::setEditingAccessoryType(TableViewCellAccessoryType type)
{
    _editingAccessoryType = type;
    layoutSubviews();
}

TableViewCellAccessoryType TableViewCell::shownAccessory() const
{
    if (_confirming)
        return TableViewCellAccessoryType::None;
    return _editing ? _editingAccessoryType : TableViewCellAccessoryType::None;
}

void TableViewCell::setGroupedPosition(GroupedPosition position)
{
    if (_groupedPosition == position)
        return;
    _groupedPosition = position;
    layoutSubviews();
    update();
}

void TableViewCell::setEditing(bool editing, TableViewCellEditingStyle style)
{
    if (!editing)
        style = TableViewCellEditingStyle::None;
    if (_editing == editing && _editingStyle == style)
        return;
    _editing = editing;
    _editingStyle = style;
    _confirming = false;
    updateEditingControl();
    layoutSubviews();
}

void TableViewCell::setDeleteConfirmationTitle(const QString& title)
{
    if (_confirmationTitle == title)
        return;
    _confirmationTitle = title;
    delete _confirmation;
    layoutSubviews();
}

void TableViewCell::setShowingDeleteConfirmation(bool showing)
{
    showing = showing && _editingStyle == TableViewCellEditingStyle::Delete;
    if (_confirming == showing)
        return;
    _confirming = showing;
    if (showing && !_confirmation) {
        auto* button = new TitledButton(_confirmationTitle, confirmationLook, this);
        button->setObjectName(QStringLiteral("deleteConfirmationButton"));
        button->setFont(boldSystemFont(15));
        button->resize(button->fontMetrics().horizontalAdvance(_confirmationTitle) + 20, 30);
        _confirmation = button;
        _confirmation->addTarget(
            this, [this] { emit deleteConfirmationTapped(); }, ControlEvent::TouchUpInside);
    }
    if (auto* control = static_cast<EditingControl*>(_editingControl.data()))
        control->setUpright(showing);
    layoutSubviews();
}

void TableViewCell::updateEditingControl()
{
    const auto* current = static_cast<EditingControl*>(_editingControl.data());
    if (current && current->style() != _editingStyle)
        delete _editingControl;
    if (_editingStyle != TableViewCellEditingStyle::None && !_editingControl) {
        auto* control = new EditingControl(_editingStyle, this);
        control->addTarget(
            this, [this] { emit editingControlTapped(); }, ControlEvent::TouchUpInside);
        _editingControl = control;
    }
}

QRect TableViewCell::groundRect() const
{
    if (_groupedPosition == GroupedPosition::None)
        return rect();
    return rect().adjusted(groupedInset, 0, -groupedInset, 0);
}

QPainterPath TableViewCell::groundPath() const
{
    QPainterPath path;
    const QRectF box = QRectF(groundRect()).adjusted(0.5, 0, -0.5, 0);
    const bool roundTop =
        _groupedPosition == GroupedPosition::Single || _groupedPosition == GroupedPosition::Top;
    const bool roundBottom =
        _groupedPosition == GroupedPosition::Single || _groupedPosition == GroupedPosition::Bottom;
    if (_groupedPosition == GroupedPosition::None || (!roundTop && !roundBottom)) {
        path.addRect(box);
        return path;
    }
    const QRectF inner = box.adjusted(0, roundTop ? 0.5 : 0, 0, roundBottom ? -0.5 : 0);
    const double r = groupedRadius;
    path.moveTo(inner.left(), inner.top() + (roundTop ? r : 0));
    if (roundTop) {
        path.quadTo(inner.topLeft(), QPointF(inner.left() + r, inner.top()));
        path.lineTo(inner.right() - r, inner.top());
        path.quadTo(inner.topRight(), QPointF(inner.right(), inner.top() + r));
    } else {
        path.lineTo(inner.topRight());
    }
    if (roundBottom) {
        path.lineTo(inner.right(), inner.bottom() - r);
        path.quadTo(inner.bottomRight(), QPointF(inner.right() - r, inner.bottom()));
        path.lineTo(inner.left() + r, inner.bottom());
        path.quadTo(inner.bottomLeft(), QPointF(inner.left(), inner.bottom() - r));
    } else {
        path.lineTo(inner.bottomRight());
        path.lineTo(inner.bottomLeft());
    }
    path.closeSubpath();
    return path;
}

QRect TableViewCell::contentRect() const
{
    QRect content = groundRect();
    if (_editingControl)
        content.setLeft(content.left() + editingControlWidth);
    if (shownAccessory() != TableViewCellAccessoryType::None)
        content.setRight(content.right() - accessoryWidth);
    if (_confirming && _confirmation)
        content.setRight(_confirmation->x() - 5);
    return content;
}

void TableViewCell::layoutSubviews()
{
    const QRect ground = groundRect();
    if (_editingControl) {
        _editingControl->setGeometry(ground.left(), 0, editingControlWidth, height());
        _editingControl->show();
    }
    if (_confirmation) {
        _confirmation->move(ground.right() - contentPadding - _confirmation->width() + 1,
                            (height() - _confirmation->height()) / 2);
        _confirmation->setVisible(_confirming);
        _confirmation->raise();
    }
    if (shownAccessory() != TableViewCellAccessoryType::None) {
        if (!_accessory)
            _accessory = new Accessory(this);
        _accessory->setGeometry(ground.right() - accessoryWidth - 4, 0, accessoryWidth, height());
        _accessory->show();
        _accessory->raise();
    } else if (_accessory) {
        _accessory->hide();
    }
    if (_textLabel) {
        const QRect content = contentRect();
        _textLabel->setGeometry(
            content.adjusted(_editingControl ? 0 : contentPadding, 0, -contentPadding, 0));
    }
}

void TableViewCell::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (_groupedPosition == GroupedPosition::None) {
        if (_backgroundColor.alpha() > 0)
            painter.fillRect(rect(), _backgroundColor);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath ground = groundPath();
    painter.fillPath(ground, _backgroundColor.alpha() > 0 ? _backgroundColor : QColor(Qt::white));
    painter.setPen(QPen(groupedBorder, 1));
    painter.drawPath(ground);
    if (_groupedPosition == GroupedPosition::Top || _groupedPosition == GroupedPosition::Middle) {
        // Rows of one box are parted by a light line.
        const QRectF box = QRectF(groundRect()).adjusted(0.5, 0, -0.5, -0.5);
        painter.setPen(QPen(groupedSeparator, 1));
        painter.drawLine(QPointF(box.left() + 1, box.bottom()),
                         QPointF(box.right() - 1, box.bottom()));
    }
}

void TableViewCell::setSelected(bool selected, bool)
{
    if (_selected == selected)
        return;
    _selected = selected;
    if (!_highlight && selected) {
        _highlight = new Highlight(this);
        _highlight->setGeometry(rect());
    }
    if (_highlight)
        _highlight->setVisible(selected);
    // The highlight lies beneath the content.
    if (_highlight)
        _highlight->lower();
    for (Label* label : findChildren<Label*>())
        label->setHighlighted(selected);
    if (_accessory)
        _accessory->update();
}

void TableViewCell::resizeEvent(QResizeEvent*)
{
    if (_highlight)
        _highlight->setGeometry(rect());
    layoutSubviews();
}

void TableViewCell::mousePressEvent(QMouseEvent* event)
{
    // The table decides what a press on a row means.
    event->ignore();
}

} // namespace kit
