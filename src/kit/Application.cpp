#include "Application.h"

#include "Window.h"

namespace kit {
namespace {

Application* sharedInstance = nullptr;

} // namespace

Application::Application()
{
    Q_ASSERT(!sharedInstance);
    sharedInstance = this;
}

Application::~Application()
{
    if (sharedInstance == this)
        sharedInstance = nullptr;
}

Application* Application::sharedApplication()
{
    return sharedInstance;
}

Window* Application::keyWindow() const
{
    return _keyWindow.data();
}

void Application::setKeyWindow(Window* window)
{
    _keyWindow = window;
}

} // namespace kit
