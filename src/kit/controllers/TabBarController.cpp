// SPDX-License-Identifier: GPL-3.0-or-later
#include "TabBarController.h"

#include "TabBar.h"
#include "Window.h"

namespace kit {

TabBarController::TabBarController() = default;

TabBarController::~TabBarController() = default;

void TabBarController::loadView()
{
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("tabBarControllerView"));
    const QRect frame = Window::applicationFrame();
    view->setGeometry(frame);
    _content = new QWidget(view);
    _content->setObjectName(QStringLiteral("tabContent"));
    _content->setGeometry(0, 0, frame.width(), frame.height() - TabBar::barHeight);
    _tabBar = new TabBar(view);
    _tabBar->setGeometry(0, frame.height() - TabBar::barHeight, frame.width(), TabBar::barHeight);
    connect(_tabBar, &TabBar::tapped, this, &TabBarController::userTapped);
    setView(view);

    std::vector<TabBarItem> items;
    for (const auto& controller : _controllers)
        items.push_back(controller->tabBarItem());
    _tabBar->setItems(items);
    _tabBar->setSelectedIndex(_selected);
}

TabBar* TabBarController::tabBar()
{
    view();
    return _tabBar;
}

void TabBarController::setViewControllers(
    std::vector<std::unique_ptr<ViewController>> viewControllers)
{
    _controllers = std::move(viewControllers);
    for (const auto& controller : _controllers)
        controller->setParentViewController(this);
    _selected = _controllers.empty() ? -1 : 0;
    if (_tabBar) {
        std::vector<TabBarItem> items;
        for (const auto& controller : _controllers)
            items.push_back(controller->tabBarItem());
        _tabBar->setItems(items);
        _tabBar->setSelectedIndex(_selected);
    }
}

std::vector<ViewController*> TabBarController::viewControllers() const
{
    std::vector<ViewController*> result;
    for (const auto& controller : _controllers)
        result.push_back(controller.get());
    return result;
}

ViewController* TabBarController::selectedViewController() const
{
    return _selected >= 0 && size_t(_selected) < _controllers.size()
               ? _controllers[size_t(_selected)].get()
               : nullptr;
}

void TabBarController::place(ViewController* controller)
{
    QWidget* child = controller->view();
    child->setParent(_content);
    child->setGeometry(_content->rect());
    child->show();
    child->raise();
}

void TabBarController::setSelectedIndex(int index)
{
    if (index < 0 || size_t(index) >= _controllers.size() || index == _selected)
        return;
    ViewController* outgoing = selectedViewController();
    ViewController* incoming = _controllers[size_t(index)].get();
    _selected = index;
    if (_tabBar)
        _tabBar->setSelectedIndex(index);
    if (!isShown())
        return;
    incoming->view();
    if (outgoing)
        outgoing->viewWillDisappear(false);
    incoming->viewWillAppear(false);
    place(incoming);
    if (outgoing && outgoing->isViewLoaded())
        outgoing->view()->hide();
    if (outgoing)
        outgoing->viewDidDisappear(false);
    incoming->viewDidAppear(false);
}

void TabBarController::userTapped(int index)
{
    ViewController* target = index >= 0 && size_t(index) < _controllers.size()
                                 ? _controllers[size_t(index)].get()
                                 : nullptr;
    if (!target)
        return;
    if (_delegate && !_delegate->shouldSelectViewController(*this, target))
        return;
    setSelectedIndex(index);
    if (_delegate)
        _delegate->didSelectViewController(*this, target);
}

void TabBarController::viewWillAppear(bool animated)
{
    view();
    ViewController* selected = selectedViewController();
    if (selected)
        selected->view();
    ViewController::viewWillAppear(animated);
    if (!selected)
        return;
    place(selected);
    for (const auto& controller : _controllers)
        if (controller.get() != selected && controller->isViewLoaded())
            controller->view()->hide();
}

std::vector<ViewController*> TabBarController::shownChildren() const
{
    if (ViewController* selected = selectedViewController())
        return {selected};
    return {};
}

} // namespace kit
