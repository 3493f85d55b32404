// SPDX-License-Identifier: GPL-3.0-or-later
#include "View.h"

#include <QEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QWidget>

#include <algorithm>

namespace kit {
namespace {

// Watches a view's parent and passes its size changes on to the view.
class AutoresizingFollower final : public QObject {
public:
    AutoresizingFollower(QWidget* view, AutoresizingMask mask)
        : QObject(view), _view(view), _mask(mask)
    {
        view->installEventFilter(this);
        follow();
    }
    void setMask(AutoresizingMask mask) { _mask = mask; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == _view && event->type() == QEvent::ParentChange)
            follow();
        else if (watched == _parent && event->type() == QEvent::Resize && _view) {
            auto* resize = static_cast<QResizeEvent*>(event);
            const QSize old = resize->oldSize().isValid() ? resize->oldSize() : _lastParentSize;
            const QSize delta = resize->size() - old;
            QRect frame = _view->geometry();
            if (_mask & Autoresizing::FlexibleWidth)
                frame.setWidth(std::max(0, frame.width() + delta.width()));
            if (_mask & Autoresizing::FlexibleHeight)
                frame.setHeight(std::max(0, frame.height() + delta.height()));
            _view->setGeometry(frame);
            _lastParentSize = resize->size();
        }
        return false;
    }

private:
    void follow()
    {
        if (_parent)
            _parent->removeEventFilter(this);
        _parent = _view->parentWidget();
        if (_parent) {
            _parent->installEventFilter(this);
            _lastParentSize = _parent->size();
        }
    }

    QWidget* _view;
    QPointer<QWidget> _parent;
    AutoresizingMask _mask;
    QSize _lastParentSize;
};

} // namespace

void setAutoresizingMask(QWidget* view, AutoresizingMask mask)
{
    for (QObject* child : view->children()) {
        if (auto* follower = dynamic_cast<AutoresizingFollower*>(child)) {
            follower->setMask(mask);
            return;
        }
    }
    if (mask != Autoresizing::None)
        new AutoresizingFollower(view, mask);
}

void setFrame(QWidget* view, const QRect& frame)
{
    view->setGeometry(frame);
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

QColor color(double red, double green, double blue, double alpha)
{
    return QColor::fromRgbF(float(red), float(green), float(blue), float(alpha));
}

} // namespace kit
