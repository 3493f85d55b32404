#include "Control.h"

#include <QMouseEvent>

namespace kit {

Control::Control(QWidget* parent) : QWidget(parent) {}

void Control::addTarget(QObject* target, std::function<void()> action, ControlEvents events)
{
    _registrations.push_back({target, std::move(action), events});
}

ControlEvents Control::allControlEvents() const
{
    ControlEvents mask = 0;
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

void Control::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        event->ignore();
        return;
    }
    const QPointer<Control> self(this);
    _tracking = true;
    _highlighted = true;
    update();
    sendActionsForControlEvents(ControlEvent::TouchDown);
    if (self)
        beginTracking(event->position().toPoint());
}

void Control::mouseMoveEvent(QMouseEvent* event)
{
    if (!_tracking)
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
    if (!_tracking || event->button() != Qt::LeftButton)
        return;
    const QPointer<Control> self(this);
    const QPoint position = event->position().toPoint();
    _tracking = false;
    _highlighted = false;
    update();
    endTracking(position);
    if (!self)
        return;
    sendActionsForControlEvents(isTouchInside(position) ? ControlEvent::TouchUpInside
                                                        : ControlEvent::TouchUpOutside);
}

} // namespace kit
