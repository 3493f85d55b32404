// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFlags>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

namespace kit {

class Timer;

// The control events the screens listen to, with the phone's bit values, so masks
// read as there: ValueChanged | TouchDown is 4097, TouchUpInside | TouchUpOutside is 192.
enum class ControlEvent : unsigned {
    TouchDown = 1u << 0,
    TouchUpInside = 1u << 6,
    TouchUpOutside = 1u << 7,
    ValueChanged = 1u << 12,
};
Q_DECLARE_FLAGS(ControlEvents, ControlEvent)
Q_DECLARE_OPERATORS_FOR_FLAGS(ControlEvents)

// A view that turns a press into control events and sends each event to the
// target–action pairs registered for it, in registration order. The keyboard
// reaches it with Tab; the space bar presses it for as long as it is held (a
// hold counts as one, whatever the key's auto-repeat sends), Enter presses and
// lifts at once.
class Control : public QWidget {
    Q_OBJECT

public:
    explicit Control(QWidget* parent = nullptr);

    // The action runs while the target lives.
    void addTarget(QObject* target, std::function<void()> action, ControlEvents events);
    void sendActionsForControlEvents(ControlEvents events);
    // Every event some target is registered for.
    ControlEvents allControlEvents() const;

    bool isHighlighted() const { return _highlighted; }

protected:
    // How far beyond its bounds a lifted finger still counts as inside, as on the phone.
    static constexpr int touchSlop = 70;
    // How long after the space bar's release a press still continues the same hold.
    static constexpr double repeatGapSeconds = 0.1;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool isTouchInside(QPoint position) const;

    // Hooks for subclasses that follow the finger (a slider).
    virtual void beginTracking(QPoint) {}
    virtual void continueTracking(QPoint) {}
    virtual void endTracking(QPoint) {}

private:
    void press(QPoint position);
    void release(QPoint position, bool inside);
    void keyLifted();

    struct Registration {
        QPointer<QObject> target;
        std::function<void()> action;
        ControlEvents events;
    };
    std::vector<Registration> _registrations;
    bool _tracking = false;
    bool _highlighted = false;
    // The press being held is the space bar's, not the mouse's.
    bool _keyPress = false;
    // A space-bar release waiting to be told from auto-repeat: a held key sends
    // release and press pairs, and the desktop does not always mark them as repeats.
    QPointer<Timer> _pendingLift;
};

} // namespace kit
