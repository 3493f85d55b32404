#include "View.h"

#include <QWidget>

namespace kit {

void setFrame(QWidget* view, const QRect& frame)
{
    view->setGeometry(frame);
}

QRect frame(const QWidget* view)
{
    return view->geometry();
}

void setCenter(QWidget* view, QPoint center)
{
    const QSize size = view->size();
    view->move(center.x() - size.width() / 2, center.y() - size.height() / 2);
}

void addSubview(QWidget* parent, QWidget* view)
{
    if (view->parentWidget() != parent)
        view->setParent(parent);
    view->raise();
    view->show();
}

void insertSubview(QWidget* parent, QWidget* view, int index)
{
    QList<QWidget*> siblings;
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && widget != view && !widget->isWindow())
            siblings.append(widget);
    }
    if (view->parentWidget() != parent)
        view->setParent(parent);
    if (index <= 0 || siblings.isEmpty())
        view->lower();
    else if (index >= siblings.size())
        view->raise();
    else
        view->stackUnder(siblings.at(index));
    view->show();
}

void removeFromSuperview(QWidget* view)
{
    view->hide();
    view->setParent(nullptr);
}

QColor color(double red, double green, double blue, double alpha)
{
    return QColor::fromRgbF(float(red), float(green), float(blue), float(alpha));
}

} // namespace kit
