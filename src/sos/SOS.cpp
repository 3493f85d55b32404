#include "SOS.h"

#include "kit/Window.h"

SOS::SOS() = default;

void SOS::loadView()
{
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("sosView"));
    view->resize(kit::Window::applicationFrame().size());
    view->setAutoFillBackground(true);
    view->setPalette(QPalette(Qt::white));
    setView(view);
}

void SOS::close()
{
    // Nothing on this screen changes while it is shown, so there is nothing to put back.
}
