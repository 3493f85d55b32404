#include "Telephones.h"

#include "kit/Window.h"

Telephones::Telephones() = default;

void Telephones::loadView()
{
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("telephonesView"));
    view->resize(kit::Window::applicationFrame().size());
    view->setAutoFillBackground(true);
    view->setPalette(QPalette(Qt::white));
    setView(view);
}

void Telephones::close()
{
    // Nothing on this screen changes while it is shown, so there is nothing to put back.
}
