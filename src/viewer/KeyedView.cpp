// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyedView.h"

#include <QKeyEvent>

namespace viewer {

KeyedView::KeyedView(const QString& name, std::function<bool(int key)> keyPressed)
    : _keyPressed(std::move(keyPressed))
{
    setObjectName(name);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
}

void KeyedView::keyPressEvent(QKeyEvent* event)
{
    const bool modified =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (event->isAutoRepeat() && !modified)
        return;
    if (modified || !_keyPressed(event->key()))
        QWidget::keyPressEvent(event);
}

} // namespace viewer
