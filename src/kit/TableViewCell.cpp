#include "TableViewCell.h"

#include "Label.h"

#include <QMouseEvent>
#include <QPainter>

namespace kit {
namespace {

// The phone's blue selection.
class Highlight final : public QWidget {
public:
    explicit Highlight(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QLinearGradient fill(0, 0, 0, height());
        fill.setColorAt(0, QColor(0x05, 0x8c, 0xf5));
        fill.setColorAt(1, QColor(0x01, 0x5e, 0xe6));
        painter.fillRect(rect(), fill);
    }
};

} // namespace

TableViewCell::TableViewCell(QWidget* parent) : QWidget(parent)
{
    resize(320, 44);
}

void TableViewCell::setBackgroundColor(const QColor& color)
{
    _backgroundColor = color;
    update();
}

void TableViewCell::paintEvent(QPaintEvent*)
{
    if (_backgroundColor.alpha() > 0)
        QPainter(this).fillRect(rect(), _backgroundColor);
}

void TableViewCell::setBackgroundView(QWidget* view)
{
    if (_backgroundView == view)
        return;
    delete _backgroundView;
    _backgroundView = view;
    if (!view)
        return;
    view->setParent(this);
    view->setGeometry(rect());
    view->setAttribute(Qt::WA_TransparentForMouseEvents);
    view->lower();
    view->show();
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
    // The highlight lies above the background view and beneath the content.
    if (_highlight)
        _highlight->lower();
    if (_backgroundView)
        _backgroundView->lower();
    for (Label* label : findChildren<Label*>())
        label->setHighlighted(selected);
}

void TableViewCell::resizeEvent(QResizeEvent*)
{
    if (_highlight)
        _highlight->setGeometry(rect());
    if (_backgroundView)
        _backgroundView->setGeometry(rect());
}

void TableViewCell::mousePressEvent(QMouseEvent* event)
{
    // The table decides what a press on a row means.
    event->ignore();
}

} // namespace kit
