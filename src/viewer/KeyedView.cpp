// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyedView.h"

#include <QKeyEvent>
#include <QShortcut>

namespace viewer {

KeyedView::KeyedView(const QString& name, std::function<bool(int key)> keyPressed)
    : _keyPressed(std::move(keyPressed))
{
    setObjectName(name);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    // Escape reaches the screen wherever the focus is inside it, also from a page shown over
    // it (the web engine keeps the keys it is given).
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    escape->setAutoRepeat(false);
    QObject::connect(escape, &QShortcut::activated, this, [this] { _keyPressed(Qt::Key_Escape); });
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
