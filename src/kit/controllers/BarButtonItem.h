// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QObject>

#include <functional>

namespace kit {

// A button for a navigation bar: a picture or a caption, and an action.
class BarButtonItem final : public QObject {
    Q_OBJECT

public:
    enum class Style { Plain, Bordered, Done };

    BarButtonItem(const QImage& image, Style style, std::function<void()> action,
                  QObject* parent = nullptr);
    BarButtonItem(const QString& title, Style style, std::function<void()> action,
                  QObject* parent = nullptr);

    QImage image() const { return _image; }
    // What a screen reader says for the button; its title when not set.
    QString accessibleName() const { return _accessibleName.isEmpty() ? _title : _accessibleName; }
    void setAccessibleName(const QString& name);
    QString title() const { return _title; }
    Style style() const { return _style; }
    bool isEnabled() const { return _enabled; }
    void setEnabled(bool enabled);
    // Runs the action, as a tap on the item's button does.
    void trigger();

signals:
    void changed();

private:
    QImage _image;
    QString _title;
    QString _accessibleName;
    Style _style;
    std::function<void()> _action;
    bool _enabled = true;
};

} // namespace kit
