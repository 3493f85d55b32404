#include "StackTab.h"

#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/Window.h"
#include "kit/views/View.h"

QColor barTint()
{
    return kit::color(0.541, 0.03, 0.03, 1.0);
}

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
    view->resize(kit::Window::applicationFrame().size());
    view->setAutoFillBackground(true);
    view->setPalette(QPalette(Qt::white));
    setView(view);
}

kit::NavigationController& StackTab::hostStack(std::unique_ptr<kit::ViewController> root,
                                               int height)
{
    Q_ASSERT(!_stack);
    _stack = std::make_unique<kit::NavigationController>(std::move(root));
    QWidget* stackView = _stack->view();
    kit::setFrame(stackView, QRect(0, 0, kit::Window::width, height));
    kit::setAutoresizingMask(stackView,
                             kit::Autoresizing::FlexibleWidth | kit::Autoresizing::FlexibleHeight);
    kit::addSubview(view(), stackView);
    forwardAppearanceTo(_stack.get());
    _stack->navigationBar()->setTintColor(barTint());
    return *_stack;
}

void StackTab::close()
{
    if (_stack)
        _stack->popToRootViewControllerAnimated(true);
}
