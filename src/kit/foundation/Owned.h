// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

#include <utility>

namespace kit {

// Sole ownership of a QObject that may also sit in a Qt parent (a view in the
// view hierarchy): whichever of the two goes first, the object dies once.
template <class T> class Owned final {
public:
    Owned() = default;
    explicit Owned(T* object) : _object(object) {}
    ~Owned() { reset(); }

    Owned(Owned&& other) noexcept : _object(other.release()) {}
    Owned& operator=(Owned&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    void reset(T* object = nullptr)
    {
        T* old = _object.data();
        _object = object;
        if (old != object)
            delete old;
    }

    // Takes the object off the screen now and deletes it once control is back
    // in the event loop: safe from inside the object's own event handlers.
    void resetLater()
    {
        T* old = release();
        if (!old)
            return;
        // A view leaves the screen at once (without naming QWidget: this layer is Qt Core only).
        if constexpr (requires { old->hide(); }) {
            old->hide();
            old->setParent(nullptr);
        }
        old->deleteLater();
    }

    T* release()
    {
        T* object = _object.data();
        _object = nullptr;
        return object;
    }

    T* get() const { return _object.data(); }
    T* operator->() const { return _object.data(); }
    T& operator*() const { return *_object; }
    explicit operator bool() const { return !_object.isNull(); }

private:
    QPointer<T> _object;
};

} // namespace kit
