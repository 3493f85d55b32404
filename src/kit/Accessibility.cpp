// SPDX-License-Identifier: GPL-3.0-or-later
#include "Accessibility.h"

#include "kit/tables/TableViewCell.h"
#include "kit/views/Label.h"
#include "kit/views/Slider.h"

#include <QAccessibleWidget>

namespace kit {
namespace {

// A view that reads out as a given role; without a name of its own, a row reads
// out the texts of its labels.
class ViewInterface final : public QAccessibleWidget {
public:
    ViewInterface(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QString text(QAccessible::Text kind) const override
    {
        QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty() && role() == QAccessible::ListItem) {
            QStringList parts;
            for (const Label* label : widget()->findChildren<Label*>())
                if (label->isVisible() && !label->text().isEmpty())
                    parts << label->text();
            text = parts.join(QLatin1Char(' '));
        }
        return text;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (role() == QAccessible::Button)
            state.focusable = widget()->focusPolicy() != Qt::NoFocus;
        return state;
    }
};

QAccessibleInterface* factory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (qobject_cast<Slider*>(widget))
        return new ViewInterface(widget, QAccessible::Slider);
    if (qobject_cast<Control*>(widget))
        return new ViewInterface(widget, QAccessible::Button);
    if (qobject_cast<TableViewCell*>(widget))
        return new ViewInterface(widget, QAccessible::ListItem);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(factory);
}

} // namespace kit
