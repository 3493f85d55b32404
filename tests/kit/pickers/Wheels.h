// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Finding a picker's wheels and what they show, for the pickers' tests.

#include "kit/views/Label.h"

#include <QWidget>

#include <cstdlib>

inline QWidget* wheelOf(const QWidget& picker, int component)
{
    return picker.findChild<QWidget*>(QStringLiteral("pickerComponent%1").arg(component));
}

inline QWidget* wheelNamed(const QWidget& picker, const QString& name)
{
    for (QWidget* wheel : picker.findChildren<QWidget*>())
        if (wheel->objectName().startsWith(QLatin1String("pickerComponent")) &&
            wheel->accessibleName() == name)
            return wheel;
    return nullptr;
}

// The text of the row drawn centred in the selection bar, found by where the rows are.
inline QString textInBar(const QWidget& picker, int component)
{
    const QWidget* wheel = wheelOf(picker, component);
    for (const kit::Label* label : wheel->findChildren<kit::Label*>()) {
        const QRect placed(label->mapTo(&picker, QPoint(0, 0)), label->size());
        if (!label->isHidden() && std::abs(placed.center().y() - picker.height() / 2) <= 1)
            return label->text();
    }
    return {};
}

// A point in a wheel, rows away from the middle of the selection bar.
inline QPoint rowsFromBar(const QWidget& picker, int component, int rows)
{
    const QWidget* wheel = wheelOf(picker, component);
    return {wheel->width() / 2, picker.height() / 2 - wheel->y() + rows * 44};
}
