// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewController.h"

#include "Application.h"
#include "BarButtonItem.h"
#include "NavigationController.h"
#include "TabBarController.h"
#include "Window.h"
#include "kit/views/View.h"

namespace kit {
namespace {

const char controllerProperty[] = "kit.viewController";

} // namespace

void NavigationItem::setTitle(const QString& title)
{
    if (_title == title)
        return;
    _title = title;
    emit changed();
}

void NavigationItem::setRightBarButtonItem(BarButtonItem* item)
{
    if (_rightBarButtonItem == item)
        return;
    _rightBarButtonItem = item;
    emit changed();
}

ViewController::ViewController() = default;

ViewController::~ViewController() = default;

QWidget* ViewController::view()
{
    if (!_view) {
        loadView();
        if (!_view)
            setView(new QWidget());
        viewDidLoad();
    }
    return _view.get();
}

void ViewController::loadView()
{
    auto* view = new QWidget();
    view->resize(Window::applicationFrame().size());
    setView(view);
}

void ViewController::setView(QWidget* view)
{
    view->setProperty(controllerProperty, QVariant::fromValue<QObject*>(this));
    _view.reset(view);
}

ViewController& ViewController::topmostViewController()
{
    ViewController* top = this;
    while (top->modalViewController())
        top = top->modalViewController();
    return *top;
}

ViewController* ViewController::controllerOfView(const QWidget* view)
{
    if (!view)
        return nullptr;
    auto* controller =
        qobject_cast<ViewController*>(view->property(controllerProperty).value<QObject*>());
    return controller && controller->_view.get() == view ? controller : nullptr;
}

NavigationController* ViewController::navigationController() const
{
    for (ViewController* parent = _parent; parent; parent = parent->_parent)
        if (auto* navigation = qobject_cast<NavigationController*>(parent))
            return navigation;
    return nullptr;
}

TabBarController* ViewController::tabBarController() const
{
    for (ViewController* parent = _parent; parent; parent = parent->_parent)
        if (auto* tabs = qobject_cast<TabBarController*>(parent))
            return tabs;
    return nullptr;
}

bool ViewController::presentModalViewController(std::unique_ptr<ViewController> viewController,
                                                bool animated)
{
    if (_modal || !viewController)
        return false;
    Application* application = Application::sharedApplication();
    Window* window = application ? application->keyWindow() : nullptr;
    if (!window)
        return false;
    _modal = std::move(viewController);
    _modal->setParentViewController(this);
    QWidget* shown = _modal->view();
    viewWillDisappear(animated);
    _modal->viewWillAppear(animated);
    kit::addSubview(window, shown);
    window->beginModal(shown);
    viewDidDisappear(animated);
    _modal->viewDidAppear(animated);
    return true;
}

void ViewController::dismissModalViewControllerAnimated(bool animated)
{
    if (!_modal) {
        // The presented screen asks its presenter.
        if (_parent && _parent->_modal.get() == this)
            _parent->dismissModalViewControllerAnimated(animated);
        return;
    }
    std::unique_ptr<ViewController> leaving = std::move(_modal);
    leaving->viewWillDisappear(animated);
    viewWillAppear(animated);
    if (leaving->isViewLoaded()) {
        if (Application* application = Application::sharedApplication())
            if (Window* window = application->keyWindow())
                window->endModal(leaving->view());
        leaving->view()->hide();
    }
    leaving->viewDidDisappear(animated);
    viewDidAppear(animated);
    leaving->setParentViewController(nullptr);
    // The presented screen may be running this very call from one of its own timers or buttons.
    leaving.release()->deleteLater();
}

void ViewController::addChildViewController(ViewController* child)
{
    if (!child || child == this)
        return;
    removeChildViewController(child);
    child->setParentViewController(this);
    _children.emplace_back(child);
}

void ViewController::removeChildViewController(ViewController* child)
{
    std::erase_if(_children,
                  [child](const QPointer<ViewController>& held) { return !held || held == child; });
    if (child && child->_parent == this)
        child->setParentViewController(nullptr);
}

std::vector<ViewController*> ViewController::shownChildren() const
{
    std::vector<ViewController*> shown;
    for (const QPointer<ViewController>& child : _children)
        if (child)
            shown.push_back(child);
    return shown;
}

bool ViewController::hasUnsavedChanges() const
{
    for (ViewController* child : shownChildren())
        if (child->hasUnsavedChanges())
            return true;
    return false;
}

bool ViewController::saveChanges()
{
    for (ViewController* child : shownChildren())
        if (child->hasUnsavedChanges() && !child->saveChanges())
            return false;
    return true;
}

void ViewController::viewWillAppear(bool animated)
{
    _shown = true;
    for (ViewController* child : shownChildren())
        child->viewWillAppear(animated);
}

void ViewController::viewDidAppear(bool animated)
{
    for (ViewController* child : shownChildren())
        child->viewDidAppear(animated);
}

void ViewController::viewWillDisappear(bool animated)
{
    for (ViewController* child : shownChildren())
        child->viewWillDisappear(animated);
}

void ViewController::viewDidDisappear(bool animated)
{
    _shown = false;
    for (ViewController* child : shownChildren())
        child->viewDidDisappear(animated);
}

} // namespace kit
