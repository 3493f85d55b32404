// SPDX-License-Identifier: GPL-3.0-or-later
#include "FocusRing.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>

namespace kit {

FocusRing::FocusRing()
{
    setObjectName(QStringLiteral("focusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

namespace {

QPointer<FocusRing>& theRing()
{
    static QPointer<FocusRing> ring;
    return ring;
}

} // namespace

FocusRing* FocusRing::installed()
{
    return theRing();
}

void FocusRing::install()
{
    QPointer<FocusRing>& ring = theRing();
    if (ring || !qApp)
        return;
    ring = new FocusRing();
    // Only focus the keyboard moved is shown: a click or a window opening moves it too.
    qApp->installEventFilter(ring);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, ring, [] { delete theRing().data(); });
}

void FocusRing::follow(QWidget* widget)
{
    if (_target)
        _target->removeEventFilter(this);
    _target = nullptr;
    // Text fields show their caret; a mouse or a touch does not need the ring.
    const bool ownsCaret = qobject_cast<QLineEdit*>(widget) ||
                           qobject_cast<QPlainTextEdit*>(widget) ||
                           qobject_cast<QAbstractSpinBox*>(widget);
    if (!widget || ownsCaret || !widget->window() || widget->window() == widget) {
        hide();
        return;
    }
    _target = widget;
    widget->installEventFilter(this);
    QWidget* window = widget->window();
    if (parentWidget() != window)
        setParent(window);
    place();
}

void FocusRing::place()
{
    if (!_target || !_target->isVisible()) {
        hide();
        return;
    }
    const QRect area(_target->mapTo(window(), QPoint(0, 0)), _target->size());
    setGeometry(area.adjusted(-3, -3, 3, 3).intersected(window()->rect()));
    show();
    raise();
    update();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        _tabPressed = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    } else if (event->type() == QEvent::KeyRelease) {
        _tabPressed = false;
    } else if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::TouchBegin) {
        // The person went back to the pointer: the outline goes until the next Tab.
        _tabPressed = false;
        if (_target)
            follow(nullptr);
    }
    if (event->type() == QEvent::FocusIn && watched->isWidgetType()) {
        // Qt gives the same reason when focus moves on because the focused control went
        // away (hidden, or its screen left): only a Tab the person pressed counts.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool byKeyboard =
            _tabPressed && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason);
        follow(byKeyboard ? static_cast<QWidget*>(watched) : nullptr);
    } else if (event->type() == QEvent::FocusOut && watched == _target) {
        follow(nullptr);
    }
    // The control moves with its parents too (a scroll view bringing it into view).
    const bool moved = event->type() == QEvent::Move || event->type() == QEvent::Resize;
    if (_target && moved && watched != _target && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isAncestorOf(_target)) {
        place();
    } else if (watched == _target) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            place();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x2a, 0x7a, 0xf0, 220), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 6, 6);
}

} // namespace kit
