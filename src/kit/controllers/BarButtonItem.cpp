// SPDX-License-Identifier: GPL-3.0-or-later
#include "BarButtonItem.h"

namespace kit {

BarButtonItem::BarButtonItem(const QImage& image, Style style, std::function<void()> action,
                             QObject* parent)
    : QObject(parent), _image(image), _style(style), _action(std::move(action))
{
}

BarButtonItem::BarButtonItem(const QString& title, Style style, std::function<void()> action,
                             QObject* parent)
    : QObject(parent), _title(title), _style(style), _action(std::move(action))
{
}

void BarButtonItem::setAccessibleName(const QString& name)
{
    _accessibleName = name;
    emit changed();
}

void BarButtonItem::setEnabled(bool enabled)
{
    if (_enabled == enabled)
        return;
    _enabled = enabled;
    emit changed();
}

void BarButtonItem::trigger()
{
    if (_enabled && _action)
        _action();
}

} // namespace kit
