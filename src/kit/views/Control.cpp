// SPDX-License-Identifier: GPL-3.0-or-later
#include "Control.h"

#include "kit/foundation/Timer.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace kit {

Control::Control(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::TabFocus);
}

void Control::addTarget(QObject* target, std::function<void()> action, ControlEvents events)
{
    _registrations.push_back({target, std::move(action), events});
}

ControlEvents Control::allControlEvents() const
{
    ControlEvents mask;
    for (const Registration& registration : _registrations)
        mask |= registration.events;
    return mask;
}

void Control::sendActionsForControlEvents(ControlEvents events)
{
    // An action may destroy this control (hiding the pane it lives in): stop then.
    const QPointer<Control> self(this);
    const std::vector<Registration> registrations = _registrations;
    for (const Registration& registration : registrations) {
        if (!self)
            return;
        if ((registration.events & events) && registration.target && registration.action)
            registration.action();
    }
}

bool Control::isTouchInside(QPoint position) const
{
    return rect().adjusted(-touchSlop, -touchSlop, touchSlop, touchSlop).contains(position);
}

void Control::press(QPoint position)
{
    const QPointer<Control> self(this);
    _tracking = true;
    _highlighted = true;
    update();
    sendActionsForControlEvents(ControlEvent::TouchDown);
    if (self)
        beginTracking(position);
}

void Control::release(QPoint position, bool inside)
{
    const QPointer<Control> self(this);
    _tracking = false;
    _keyPress = false;
    _highlighted = false;
    update();
    endTracking(position);
    if (!self)
        return;
    sendActionsForControlEvents(inside ? ControlEvent::TouchUpInside
                                       : ControlEvent::TouchUpOutside);
}

void Control::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled() || _tracking) {
        event->ignore();
        return;
    }
    press(event->position().toPoint());
}

void Control::mouseMoveEvent(QMouseEvent* event)
{
    if (!_tracking || _keyPress)
        return;
    const bool inside = isTouchInside(event->position().toPoint());
    if (inside != _highlighted) {
        _highlighted = inside;
        update();
    }
    continueTracking(event->position().toPoint());
}

void Control::mouseReleaseEvent(QMouseEvent* event)
{
    if (!_tracking || _keyPress || event->button() != Qt::LeftButton)
        return;
    const QPoint position = event->position().toPoint();
    release(position, isTouchInside(position));
}

void Control::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool space = key == Qt::Key_Space;
    if (!space && key != Qt::Key_Return && key != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    // A held key repeats; the press is its first event only. A press that follows a
    // release at once is the same key still held.
    if (space && _pendingLift) {
        _pendingLift->invalidate();
        _pendingLift = nullptr;
        return;
    }
    if (!isEnabled() || event->isAutoRepeat() || _tracking)
        return;
    const QPointer<Control> self(this);
    _keyPress = true;
    press(rect().center());
    if (self && !space && _tracking)
        release(rect().center(), true);
}

void Control::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || !_tracking || !_keyPress) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    // An auto-repeated press comes within the same moment; wait that long for it.
    if (!_pendingLift)
        _pendingLift =
            Timer::scheduledTimer(repeatGapSeconds, false, this, [this] { keyLifted(); });
}

void Control::keyLifted()
{
    _pendingLift = nullptr;
    if (_tracking && _keyPress)
        release(rect().center(), true);
}

void Control::focusOutEvent(QFocusEvent* event)
{
    // Focus taken away in the middle of a key press: the finger slid off.
    if (_pendingLift) {
        _pendingLift->invalidate();
        _pendingLift = nullptr;
    }
    if (_tracking && _keyPress)
        release(rect().center(), false);
    QWidget::focusOutEvent(event);
}

} // namespace kit
