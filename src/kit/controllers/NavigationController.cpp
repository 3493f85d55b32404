// SPDX-License-Identifier: GPL-3.0-or-later
#include "NavigationController.h"

#include "NavigationBar.h"
#include "Window.h"

#include <QKeyEvent>
#include <QResizeEvent>

#include <functional>
#include <iterator>

namespace kit {
namespace {

// The container view: lays the bar and the top screen out whenever it is resized, and
// takes Escape that nothing inside wanted as the back button.
class NavigationView final : public QWidget {
public:
    NavigationView(std::function<void()> relayout, std::function<bool()> back)
        : _relayout(std::move(relayout)), _back(std::move(back))
    {
    }

protected:
    void resizeEvent(QResizeEvent*) override { _relayout(); }
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && _back())
            return;
        QWidget::keyPressEvent(event);
    }

private:
    std::function<void()> _relayout;
    std::function<bool()> _back;
};

} // namespace

NavigationController::NavigationController(std::unique_ptr<ViewController> root)
{
    root->setParentViewController(this);
    _stack.push_back(std::move(root));
}

NavigationController::~NavigationController() = default;

void NavigationController::loadView()
{
    auto* view = new NavigationView([this] { layout(); },
                                    [this] {
                                        if (_stack.size() < 2 || _barHidden)
                                            return false;
                                        popViewControllerAnimated(true);
                                        return true;
                                    });
    view->setObjectName(QStringLiteral("navigationView"));
    view->resize(Window::applicationFrame().size());
    _bar = new NavigationBar(view);
    _content = new QWidget(view);
    _content->setObjectName(QStringLiteral("navigationContent"));
    connect(_bar, &NavigationBar::backTapped, this, [this] { popViewControllerAnimated(true); });
    setView(view);
    layout();
    QWidget* top = topViewController()->view();
    top->setParent(_content);
    top->setGeometry(_content->rect());
    top->show();
    updateBar();
}

NavigationBar* NavigationController::navigationBar()
{
    view();
    return _bar;
}

std::vector<ViewController*> NavigationController::viewControllers() const
{
    std::vector<ViewController*> result;
    for (const auto& controller : _stack)
        result.push_back(controller.get());
    return result;
}

ViewController* NavigationController::topViewController() const
{
    return _stack.back().get();
}

void NavigationController::pushViewController(std::unique_ptr<ViewController> viewController,
                                              bool animated)
{
    ViewController* outgoing = topViewController();
    viewController->setParentViewController(this);
    ViewController* incoming = viewController.get();
    _stack.push_back(std::move(viewController));
    show(incoming, outgoing, animated);
}

void NavigationController::popViewControllerAnimated(bool animated)
{
    if (_stack.size() < 2)
        return;
    std::unique_ptr<ViewController> popped = std::move(_stack.back());
    _stack.pop_back();
    show(topViewController(), popped.get(), animated);
    popped->setParentViewController(nullptr);
    // The popped screen may be running this very call (a back action of its own).
    popped.release()->deleteLater();
}

void NavigationController::popToRootViewControllerAnimated(bool animated)
{
    if (_stack.size() < 2)
        return;
    std::vector<std::unique_ptr<ViewController>> popped(std::make_move_iterator(_stack.begin() + 1),
                                                        std::make_move_iterator(_stack.end()));
    _stack.resize(1);
    show(topViewController(), popped.back().get(), animated);
    for (std::unique_ptr<ViewController>& screen : popped) {
        screen->setParentViewController(nullptr);
        if (screen->isViewLoaded())
            screen->view()->hide();
        // One of them may be running this very call.
        screen.release()->deleteLater();
    }
}

void NavigationController::show(ViewController* incoming, ViewController* outgoing, bool animated)
{
    if (!isViewLoaded())
        return;
    if (_delegate)
        _delegate->willShowViewController(*this, incoming, animated);
    QWidget* incomingView = incoming->view();
    if (isShown()) {
        outgoing->viewWillDisappear(animated);
        incoming->viewWillAppear(animated);
    }
    incomingView->setParent(_content);
    incomingView->setGeometry(_content->rect());
    incomingView->show();
    incomingView->raise();
    if (outgoing->isViewLoaded())
        outgoing->view()->hide();
    updateBar();
    if (isShown()) {
        outgoing->viewDidDisappear(animated);
        incoming->viewDidAppear(animated);
    }
}

void NavigationController::setNavigationBarHidden(bool hidden, bool)
{
    if (_barHidden == hidden)
        return;
    _barHidden = hidden;
    layout();
}

void NavigationController::layout()
{
    if (!_bar)
        return;
    QWidget* container = view();
    const int barHeight = _barHidden ? 0 : NavigationBar::barHeight;
    _bar->setVisible(!_barHidden);
    _bar->setGeometry(0, 0, container->width(), NavigationBar::barHeight);
    _content->setGeometry(0, barHeight, container->width(), container->height() - barHeight);
    for (const auto& controller : _stack)
        if (controller->isViewLoaded() && controller->view()->parentWidget() == _content)
            controller->view()->setGeometry(_content->rect());
}

void NavigationController::updateBar()
{
    if (!_bar)
        return;
    const bool hasPrevious = _stack.size() > 1;
    const QString backTitle = hasPrevious ? _stack[_stack.size() - 2]->title() : QString();
    // A previous screen without a title still gets a back button.
    _bar->setItems(&topViewController()->navigationItem(),
                   hasPrevious ? (backTitle.isNull() ? QStringLiteral("") : backTitle) : QString());
}

void NavigationController::viewWillAppear(bool animated)
{
    view();
    if (_delegate)
        _delegate->willShowViewController(*this, topViewController(), animated);
    ViewController::viewWillAppear(animated);
}

std::vector<ViewController*> NavigationController::shownChildren() const
{
    return {topViewController()};
}

} // namespace kit
