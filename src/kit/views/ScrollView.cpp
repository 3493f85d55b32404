// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrollView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace kit {

// The thin bar at the right edge that shows which part of the content is on screen.
class ScrollIndicator final : public QWidget {
public:
    explicit ScrollIndicator(ScrollView* scrollView) : QWidget(scrollView), _scrollView(scrollView)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const int content = _scrollView->contentSize().height();
        const int visible = _scrollView->height();
        if (content <= visible || visible <= 0)
            return;
        const double length = std::max(24.0, double(visible) * visible / content);
        const double travel = visible - length - 4;
        const double position =
            2 + travel * _scrollView->contentOffset().y() / double(content - visible);
        // The knob is drawn once per length and then copied: an antialiased shape is
        // rasterised on worker threads, too dear for a view repainted with a flashing screen.
        const int knobLength = int(length);
        const qreal ratio = devicePixelRatioF();
        if (_knob.deviceIndependentSize().height() != knobLength ||
            _knob.devicePixelRatio() != ratio) {
            _knob = QImage(QSize(3, knobLength) * ratio, QImage::Format_ARGB32_Premultiplied);
            _knob.setDevicePixelRatio(ratio);
            _knob.fill(Qt::transparent);
            QPainter knob(&_knob);
            knob.setRenderHint(QPainter::Antialiasing);
            knob.setPen(Qt::NoPen);
            knob.setBrush(QColor(0, 0, 0, 110));
            knob.drawRoundedRect(QRectF(0, 0, 3, knobLength), 1.5, 1.5);
        }
        QPainter(this).drawImage(QPoint(width() - 5, int(position)), _knob);
    }

public:
    // Only the strip at the right edge: a view over the whole scroll view would be
    // repainted with everything beneath it.
    static constexpr int stripWidth = 7;
    void follow(const QRect& scrollArea)
    {
        setGeometry(scrollArea.width() - stripWidth, 0, stripWidth, scrollArea.height());
    }

private:
    ScrollView* _scrollView;
    QImage _knob;
};

namespace {

// How far a press must move before it becomes a drag instead of a tap.
constexpr int dragThreshold = 6;

} // namespace

ScrollView::ScrollView(QWidget* parent)
    : QWidget(parent), _content(new QWidget(this)), _indicator(new ScrollIndicator(this))
{
    _content->setObjectName(QStringLiteral("scrollContent"));
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    place();
    // A control of the content that takes the keyboard's focus (Tab) comes into view.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && _content->isAncestorOf(now))
            scrollRectToVisible(QRect(now->mapTo(_content, QPoint(0, 0)), now->size()));
    });
}

void ScrollView::setContentSize(const QSize& size)
{
    _contentSize = size;
    _offset = clamped(_offset);
    place();
}

void ScrollView::setContentOffset(const QPoint& offset)
{
    const QPoint next = clamped(offset);
    if (next == _offset)
        return;
    _offset = next;
    place();
    emit scrolled();
}

QPoint ScrollView::clamped(QPoint offset) const
{
    const int maxX = std::max(0, _contentSize.width() - width());
    const int maxY = std::max(0, _contentSize.height() - height());
    return {std::clamp(offset.x(), 0, maxX), std::clamp(offset.y(), 0, maxY)};
}

void ScrollView::place()
{
    _content->setGeometry(-_offset.x(), -_offset.y(), std::max(width(), _contentSize.width()),
                          std::max(height(), _contentSize.height()));
    _indicator->follow(rect());
    _indicator->raise();
    _indicator->update();
    layoutContent();
}

void ScrollView::scrollRectToVisible(const QRect& rect)
{
    QPoint offset = _offset;
    if (rect.bottom() >= offset.y() + height())
        offset.setY(rect.bottom() + 1 - height());
    if (rect.top() < offset.y())
        offset.setY(rect.top());
    setContentOffset(offset);
}

void ScrollView::resizeEvent(QResizeEvent*)
{
    _offset = clamped(_offset);
    place();
}

void ScrollView::wheelEvent(QWheelEvent* event)
{
    if (!_scrollEnabled) {
        event->ignore();
        return;
    }
    const QPoint pixels = event->pixelDelta();
    const QPoint steps = event->angleDelta() / 8;
    const int dy = !pixels.isNull() ? pixels.y() : steps.y() * 3;
    const QPoint before = _offset;
    setContentOffset(_offset - QPoint(0, dy));
    event->setAccepted(_offset != before);
}

void ScrollView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    _tracking = true;
    _dragging = false;
    _pressPosition = event->position().toPoint();
    _pressOffset = _offset;
    pressed(_pressPosition);
}

void ScrollView::mouseMoveEvent(QMouseEvent* event)
{
    if (!_tracking)
        return;
    const QPoint moved = event->position().toPoint() - _pressPosition;
    if (!_dragging && _scrollEnabled && std::abs(moved.y()) > dragThreshold) {
        _dragging = true;
        pressCancelled();
    }
    if (_dragging)
        setContentOffset(_pressOffset - QPoint(0, moved.y()));
}

void ScrollView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!_tracking || event->button() != Qt::LeftButton)
        return;
    _tracking = false;
    if (!_dragging)
        tapped(event->position().toPoint());
    _dragging = false;
}

} // namespace kit
