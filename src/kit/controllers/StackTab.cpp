// SPDX-License-Identifier: GPL-3.0-or-later
#include "StackTab.h"

#include "Window.h"
#include "kit/views/View.h"

namespace kit {

StackTab::StackTab(const QString& viewName) : _viewName(viewName) {}

StackTab::~StackTab()
{
    // The stack's screens go before the view that holds their views.
    _stack.reset();
}

void StackTab::loadView()
{
    auto* view = new QWidget();
    view->setObjectName(_viewName);
    view->resize(Window::applicationFrame().size());
    view->setAutoFillBackground(true);
    view->setPalette(QPalette(Qt::white));
    setView(view);
}

NavigationController& StackTab::hostStack(std::unique_ptr<ViewController> root, int height)
{
    Q_ASSERT(!_stack);
    _stack = std::make_unique<NavigationController>(std::move(root));
    QWidget* stackView = _stack->view();
    setFrame(stackView, QRect(0, 0, Window::width, height));
    setAutoresizingMask(stackView, Autoresizing::FlexibleWidth | Autoresizing::FlexibleHeight);
    addSubview(view(), stackView);
    addChildViewController(_stack.get());
    return *_stack;
}

void StackTab::close()
{
    if (_stack)
        _stack->popToRootViewControllerAnimated(true);
}

} // namespace kit
