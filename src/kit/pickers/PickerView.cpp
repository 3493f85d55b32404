// SPDX-License-Identifier: GPL-3.0-or-later
#include "PickerView.h"

#include "kit/controllers/Window.h"
#include "kit/views/Font.h"
#include "kit/views/Label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace kit {
namespace {

// How far a press must move before it turns the wheel instead of clicking a row.
constexpr int dragThreshold = 6;
// The angle one notch of a mouse wheel reports.
constexpr int notchAngle = 120;
// The frame shows this much above and below the wheels.
constexpr int verticalInset = 3;

PickerViewDelegate& fallbackDelegate()
{
    static PickerViewDelegate delegate;
    return delegate;
}

} // namespace

float PickerViewDelegate::widthForComponent(PickerView& pickerView, int)
{
    const int count = std::max(1, pickerView.numberOfComponents());
    const int room =
        pickerView.width() - 2 * PickerView::frameInset - (count - 1) * PickerView::componentGap;
    return std::max(0.0f, float(room) / float(count));
}

QWidget* PickerViewDelegate::viewForRow(PickerView& pickerView, int row, int component,
                                        QWidget* reusingView)
{
    auto* label = qobject_cast<Label*>(reusingView);
    if (!label) {
        label = new Label();
        label->setFont(boldSystemFont(20));
        label->setAlignment(Qt::AlignCenter);
        label->setContentsMargins(6, 0, 6, 0);
    }
    label->setText(titleForRow(pickerView, row, component));
    return label;
}

// One component: a white wheel whose rows move under the selection bar. The offset is
// how far the wheel has turned, in points; at rest it is the selected row times the row height.
class PickerWheel final : public QWidget {
    Q_OBJECT

public:
    PickerWheel(PickerView* picker, int component)
        : QWidget(picker), _picker(picker), _component(component)
    {
        setObjectName(QStringLiteral("pickerComponent%1").arg(component));
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    int component() const { return _component; }
    int rows() const { return _rows; }
    int selected() const { return _selected; }
    bool showsKeyboardFocus() const { return _keyboardFocus && hasFocus(); }

    // New counts from the data source; every view goes back to the spares to be offered again.
    void reload(int rows, double rowHeight)
    {
        for (const QPointer<QWidget>& view : std::as_const(_visible))
            park(view);
        _visible.clear();
        _rows = std::max(0, rows);
        _rowHeight = std::max(1.0, rowHeight);
        _selected = _rows == 0 ? -1 : std::clamp(_selected, 0, _rows - 1);
        _offset = std::max(0, _selected) * _rowHeight;
    }

    // The views came from a delegate that is gone.
    void dropViews()
    {
        for (const QPointer<QWidget>& view : std::as_const(_visible))
            delete view.data();
        for (const QPointer<QWidget>& view : _spare)
            delete view.data();
        _visible.clear();
        _spare.clear();
    }

    void select(int row)
    {
        if (_rows == 0)
            return;
        const int before = _selected;
        _selected = std::clamp(row, 0, _rows - 1);
        _offset = _selected * _rowHeight;
        layoutRows();
        if (_selected != before && QAccessible::isActive()) {
            QAccessibleValueChangeEvent event(this, accessibleValue());
            QAccessible::updateAccessibility(&event);
        }
    }

    // Settles on a row and, when it is another one, tells the delegate. Nothing may
    // follow the delegate's call: it may reload or discard the picker.
    void turnByUser(int row)
    {
        if (_rows == 0)
            return;
        const int before = _selected;
        select(row);
        if (_selected != before)
            _picker->rowDelegate().didSelectRow(*_picker, _selected, _component);
    }

    QWidget* viewForRow(int row) const { return _visible.value(row).data(); }

    QString accessibleValue() const
    {
        if (_selected < 0)
            return {};
        const QString title = _picker->rowDelegate().titleForRow(*_picker, _selected, _component);
        if (!title.isEmpty())
            return title;
        if (auto* label = qobject_cast<QLabel*>(viewForRow(_selected)))
            return label->text();
        return {};
    }

    // Gives views to the rows in sight and places them; rows that left sight give theirs up.
    void layoutRows()
    {
        const double firstTop = rowTop(0);
        int first = 0;
        int last = -1;
        if (_rows > 0 && height() > 0) {
            first = std::max(0, int(std::floor(-firstTop / _rowHeight)));
            last = std::min(_rows - 1, int(std::ceil((height() - firstTop) / _rowHeight)) - 1);
        }
        for (auto it = _visible.begin(); it != _visible.end();) {
            if (it.key() < first || it.key() > last || !it.value()) {
                park(it.value());
                it = _visible.erase(it);
            } else {
                ++it;
            }
        }
        for (int row = first; row <= last; ++row) {
            QPointer<QWidget> view = _visible.value(row);
            if (!view) {
                view = makeView(row);
                if (!view)
                    continue;
                _visible.insert(row, view);
            }
            view->setGeometry(0, int(std::lround(firstTop + row * _rowHeight)), width(),
                              int(std::lround(_rowHeight)));
            view->show();
        }
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::white); }
    void resizeEvent(QResizeEvent*) override { layoutRows(); }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton || _rows == 0) {
            event->ignore();
            return;
        }
        _pressed = true;
        _dragging = false;
        _pressY = event->position().y();
        _pressOffset = _offset;
        _pressRow = rowAt(_pressY);
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!_pressed)
            return;
        const double moved = event->position().y() - _pressY;
        if (!_dragging && std::abs(moved) > dragThreshold)
            _dragging = true;
        if (!_dragging || _rows == 0)
            return;
        _offset = std::clamp(_pressOffset - moved, 0.0, (_rows - 1) * _rowHeight);
        layoutRows();
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (!_pressed || event->button() != Qt::LeftButton)
            return;
        // Where the mouse was let go counts, whether or not a move reported it.
        mouseMoveEvent(event);
        _pressed = false;
        if (_dragging) {
            _dragging = false;
            turnByUser(int(std::lround(_offset / _rowHeight)));
            return;
        }
        const int row = rowAt(event->position().y());
        if (row >= 0 && row == _pressRow)
            turnByUser(row);
    }

    void wheelEvent(QWheelEvent* event) override
    {
        if (_rows == 0) {
            event->ignore();
            return;
        }
        // Fine-grained wheels report parts of a notch: a row turns once they add up to one.
        _wheelAngle += event->angleDelta().y();
        const int notches = _wheelAngle / notchAngle;
        _wheelAngle -= notches * notchAngle;
        if (notches != 0)
            turnByUser(_selected - notches);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        const int page = std::max(1, int(height() / _rowHeight));
        int row = _selected;
        switch (event->key()) {
        case Qt::Key_Up:
            row -= 1;
            break;
        case Qt::Key_Down:
            row += 1;
            break;
        case Qt::Key_PageUp:
            row -= page;
            break;
        case Qt::Key_PageDown:
            row += page;
            break;
        case Qt::Key_Home:
            row = 0;
            break;
        case Qt::Key_End:
            row = _rows - 1;
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
        }
        turnByUser(row);
    }

    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent*) override;

private:
    // Where row 0's top is now, in wheel coordinates: the selected row sits centred in the bar.
    double rowTop(int row) const
    {
        const double barCentre = _picker->height() / 2.0 - y();
        return barCentre - _rowHeight / 2 - _offset + row * _rowHeight;
    }

    int rowAt(double y) const
    {
        const int row = int(std::floor((y - rowTop(0)) / _rowHeight));
        return row >= 0 && row < _rows ? row : -1;
    }

    void park(QWidget* view)
    {
        if (!view)
            return;
        view->hide();
        _spare.emplace_back(view);
    }

    QWidget* makeView(int row)
    {
        QPointer<QWidget> offered;
        while (!offered && !_spare.empty()) {
            offered = _spare.back();
            _spare.pop_back();
        }
        QWidget* view = _picker->rowDelegate().viewForRow(*_picker, row, _component, offered);
        if (offered && view != offered) {
            // Kept when nothing came back, so it can be offered again; otherwise the
            // delegate chose not to reuse it, and it is ours to discard.
            if (view)
                delete offered.data();
            else
                _spare.push_back(offered);
        }
        if (!view)
            return nullptr;
        if (view->parentWidget() != this)
            view->setParent(this);
        // The wheel turns whatever row is under the mouse.
        view->setAttribute(Qt::WA_TransparentForMouseEvents);
        return view;
    }

    PickerView* _picker;
    int _component;
    int _rows = 0;
    double _rowHeight = 44;
    int _selected = -1;
    double _offset = 0;
    QHash<int, QPointer<QWidget>> _visible; // by row
    std::vector<QPointer<QWidget>> _spare;
    bool _pressed = false;
    bool _dragging = false;
    double _pressY = 0;
    double _pressOffset = 0;
    int _pressRow = -1;
    int _wheelAngle = 0;
    bool _keyboardFocus = false;
};

// Over the wheels: their cylinder shading, the selection bar and the keyboard focus ring.
class PickerGlass final : public QWidget {
public:
    explicit PickerGlass(PickerView* picker) : QWidget(picker), _picker(picker)
    {
        setObjectName(QStringLiteral("pickerSelectionBar"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const std::vector<PickerWheel*>& wheels = _picker->_wheels;
        if (wheels.empty())
            return;
        QPainter painter(this);
        for (const PickerWheel* wheel : wheels) {
            const QRect area = wheel->geometry();
            // Rows fade as they turn away towards the top and the bottom.
            QLinearGradient shade(area.topLeft(), area.bottomLeft());
            shade.setColorAt(0.0, QColor(0x1e, 0x20, 0x2a, 200));
            shade.setColorAt(0.1, QColor(0x1e, 0x20, 0x2a, 95));
            shade.setColorAt(0.36, QColor(0x1e, 0x20, 0x2a, 0));
            shade.setColorAt(0.64, QColor(0x1e, 0x20, 0x2a, 0));
            shade.setColorAt(0.9, QColor(0x1e, 0x20, 0x2a, 95));
            shade.setColorAt(1.0, QColor(0x1e, 0x20, 0x2a, 200));
            painter.fillRect(area, shade);
            if (wheel->showsKeyboardFocus()) {
                painter.setPen(QPen(QColor(0x3b, 0x7d, 0xe0), 2));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(QRectF(area).adjusted(1, 1, -1, -1));
            }
        }

        const int left = wheels.front()->geometry().left() - 3;
        const int right = wheels.back()->geometry().right() + 3;
        const QRectF bar(left, (height() - PickerView::selectionBarHeight) / 2.0, right - left + 1,
                         PickerView::selectionBarHeight);
        QLinearGradient glass(bar.topLeft(), bar.bottomLeft());
        // Light enough that the selected row's text stays as dark as the others.
        glass.setColorAt(0.0, QColor(0xe4, 0xe9, 0xff, 90));
        glass.setColorAt(0.5, QColor(0xa8, 0xb6, 0xf0, 55));
        glass.setColorAt(0.51, QColor(0x8c, 0x9e, 0xe6, 60));
        glass.setColorAt(1.0, QColor(0x7c, 0x8e, 0xdc, 80));
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0x50, 0x58, 0x78, 210), 1));
        painter.setBrush(glass);
        painter.drawRoundedRect(bar.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    }

private:
    PickerView* _picker;
};

void PickerWheel::focusInEvent(QFocusEvent* event)
{
    // The ring is for keyboard users; a click shows where focus is by itself.
    _keyboardFocus =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    _picker->_glass->update();
}

void PickerWheel::focusOutEvent(QFocusEvent*)
{
    _keyboardFocus = false;
    _picker->_glass->update();
}

PickerView::PickerView(QWidget* parent) : QWidget(parent), _glass(new PickerGlass(this))
{
    // Screen readers hear each wheel's name and the title of its selected row.
    static const bool accessible = [] {
        QAccessible::installFactory([](const QString&, QObject* object) -> QAccessibleInterface* {
            auto* wheel = qobject_cast<PickerWheel*>(object);
            if (!wheel)
                return nullptr;
            class WheelAccessible final : public QAccessibleWidget {
            public:
                explicit WheelAccessible(PickerWheel* wheel)
                    : QAccessibleWidget(wheel, QAccessible::SpinBox)
                {
                }
                QString text(QAccessible::Text kind) const override
                {
                    if (kind == QAccessible::Value)
                        return static_cast<PickerWheel*>(widget())->accessibleValue();
                    return QAccessibleWidget::text(kind);
                }
            };
            return new WheelAccessible(wheel);
        });
        return true;
    }();
    Q_UNUSED(accessible);
    setObjectName(QStringLiteral("pickerView"));
    resize(Window::width, 216);
}

PickerView::~PickerView()
{
    // The wheels go while the picker is whole: focus moving between them may ask for
    // accessible values. The delegate may be half destroyed already (it often owns the
    // picker), so it is asked nothing more.
    _dataSource = nullptr;
    _delegate = nullptr;
    for (PickerWheel* wheel : std::exchange(_wheels, {}))
        delete wheel;
}

PickerViewDelegate& PickerView::rowDelegate() const
{
    return _delegate ? *_delegate : fallbackDelegate();
}

PickerWheel* PickerView::wheel(int component) const
{
    return component >= 0 && size_t(component) < _wheels.size() ? _wheels[size_t(component)]
                                                                : nullptr;
}

void PickerView::setDataSource(PickerViewDataSource* dataSource)
{
    _dataSource = dataSource;
    reloadAllComponents();
}

void PickerView::setDelegate(PickerViewDelegate* delegate)
{
    if (delegate == _delegate)
        return;
    for (PickerWheel* wheel : _wheels)
        wheel->dropViews();
    _delegate = delegate;
    reloadAllComponents();
}

void PickerView::reloadWheel(PickerWheel* wheel)
{
    const int component = wheel->component();
    const int rows = _dataSource ? _dataSource->numberOfRowsInComponent(*this, component) : 0;
    wheel->reload(rows, rowDelegate().rowHeightForComponent(*this, component));
}

void PickerView::reloadAllComponents()
{
    const size_t count =
        size_t(_dataSource ? std::max(0, _dataSource->numberOfComponentsInPickerView(*this)) : 0);
    while (_wheels.size() > count) {
        // Later: this may run inside one of the wheel's own event handlers.
        PickerWheel* gone = _wheels.back();
        _wheels.pop_back();
        gone->hide();
        gone->setObjectName(QString());
        gone->deleteLater();
    }
    while (_wheels.size() < count) {
        auto* wheel = new PickerWheel(this, int(_wheels.size()));
        if (!_wheels.empty())
            setTabOrder(_wheels.back(), wheel);
        wheel->show();
        _wheels.push_back(wheel);
    }
    // Rows first: laying the wheels out asks for the views of rows in sight.
    for (PickerWheel* wheel : _wheels)
        reloadWheel(wheel);
    layoutWheels();
}

void PickerView::reloadComponent(int component)
{
    if (PickerWheel* reloaded = wheel(component)) {
        reloadWheel(reloaded);
        reloaded->layoutRows();
    }
}

int PickerView::numberOfRowsInComponent(int component) const
{
    const PickerWheel* shown = wheel(component);
    return shown ? shown->rows() : 0;
}

void PickerView::layoutWheels()
{
    std::vector<int> widths;
    int total = 0;
    for (size_t i = 0; i < _wheels.size(); ++i) {
        widths.push_back(
            std::max(0, int(std::lround(rowDelegate().widthForComponent(*this, int(i))))));
        total += widths.back() + (i > 0 ? componentGap : 0);
    }
    int x = (width() - total) / 2;
    for (size_t i = 0; i < _wheels.size(); ++i) {
        const QRect area(x, verticalInset, widths[i], std::max(0, height() - 2 * verticalInset));
        _wheels[i]->setGeometry(area);
        // Now, not at its resize event: a hidden picker gets that only when shown.
        _wheels[i]->layoutRows();
        x += widths[i] + componentGap;
    }
    _glass->setGeometry(rect());
    _glass->raise();
    _glass->update();
    update();
}

void PickerView::selectRow(int row, int component, bool)
{
    if (PickerWheel* turned = wheel(component))
        turned->select(row);
}

int PickerView::selectedRowInComponent(int component) const
{
    const PickerWheel* shown = wheel(component);
    return shown ? shown->selected() : -1;
}

QWidget* PickerView::viewForRow(int row, int component) const
{
    const PickerWheel* shown = wheel(component);
    return shown ? shown->viewForRow(row) : nullptr;
}

void PickerView::setAccessibleNameForComponent(int component, const QString& name)
{
    if (PickerWheel* named = wheel(component))
        named->setAccessibleName(name);
}

void PickerView::userSelectRow(int row, int component)
{
    if (PickerWheel* turned = wheel(component))
        turned->turnByUser(row);
}

void PickerView::resizeEvent(QResizeEvent*)
{
    layoutWheels();
}

void PickerView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient frame(0, 0, 0, height());
    frame.setColorAt(0.0, QColor(0x8f, 0x92, 0xa0));
    frame.setColorAt(0.5, QColor(0x4e, 0x51, 0x60));
    frame.setColorAt(0.51, QColor(0x3e, 0x41, 0x4f));
    frame.setColorAt(1.0, QColor(0x26, 0x28, 0x31));
    painter.fillRect(rect(), frame);
    // A dark edge where each wheel sinks into the frame.
    for (const PickerWheel* wheel : _wheels)
        painter.fillRect(wheel->geometry().adjusted(-1, -1, 1, 1), QColor(0x16, 0x17, 0x1d));
}

} // namespace kit

#include "PickerView.moc"
