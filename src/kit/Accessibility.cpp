// SPDX-License-Identifier: GPL-3.0-or-later
#include "Accessibility.h"

#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/TabBar.h"
#include "kit/tables/TableView.h"
#include "kit/tables/TableViewCell.h"
#include "kit/views/Label.h"
#include "kit/views/Slider.h"

#include <QAbstractButton>

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
        // A navigation bar reads as the screen's title; a tab as its title.
        if (kind == QAccessible::Name && text.isEmpty()) {
            if (auto* bar = qobject_cast<NavigationBar*>(widget()))
                return bar->title();
            if (auto* tab = qobject_cast<QAbstractButton*>(widget());
                tab && role() == QAccessible::PageTab)
                return tab->text();
        }
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
        if (role() == QAccessible::Button || role() == QAccessible::PageTab)
            state.focusable = widget()->focusPolicy() != Qt::NoFocus;
        // The tab shown is the selected one.
        if (role() == QAccessible::PageTab)
            if (auto* bar = qobject_cast<TabBar*>(widget()->parentWidget()))
                state.selected = bar->buttonAt(bar->selectedIndex()) == widget();
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
    // A table is a list of its rows.
    if (qobject_cast<TableView*>(widget))
        return new ViewInterface(widget, QAccessible::List);
    // The tab bar's buttons are tabs, the bar their list; a navigation bar reads its title.
    if (qobject_cast<TabBar*>(widget))
        return new ViewInterface(widget, QAccessible::PageTabList);
    if (qobject_cast<QAbstractButton*>(widget) && qobject_cast<TabBar*>(widget->parentWidget()))
        return new ViewInterface(widget, QAccessible::PageTab);
    if (qobject_cast<NavigationBar*>(widget))
        return new ViewInterface(widget, QAccessible::ToolBar);
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
