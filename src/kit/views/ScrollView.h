// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace kit {

class ScrollIndicator;

// A view whose content can be larger than itself and is moved by a content
// offset: the wheel and dragging with the mouse scroll it, a thin indicator
// shows where the view is. Subviews go into contentView().
class ScrollView : public QWidget {
    Q_OBJECT

public:
    explicit ScrollView(QWidget* parent = nullptr);

    QWidget* contentView() const { return _content; }
    QSize contentSize() const { return _contentSize; }
    void setContentSize(const QSize& size);
    QPoint contentOffset() const { return _offset; }
    void setContentOffset(const QPoint& offset);
    void setScrollEnabled(bool enabled) { _scrollEnabled = enabled; }
    // The part of the content on screen, in content coordinates.
    QRect visibleRect() const { return QRect(_offset, size()); }
    // Scrolls as little as brings a rectangle of the content on screen.
    void scrollRectToVisible(const QRect& rect);

signals:
    void scrolled();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // A press the view does not turn into a drag: taps on rows and the like.
    virtual void tapped(QPoint) {}
    virtual void pressed(QPoint) {}
    virtual void pressCancelled() {}
    // Called whenever the offset or the size changes.
    virtual void layoutContent() {}

private:
    QPoint clamped(QPoint offset) const;
    void place();

    QWidget* _content;
    ScrollIndicator* _indicator;
    QSize _contentSize;
    QPoint _offset;
    bool _scrollEnabled = true;
    bool _tracking = false;
    bool _dragging = false;
    QPoint _pressPosition;
    QPoint _pressOffset;
};

} // namespace kit
