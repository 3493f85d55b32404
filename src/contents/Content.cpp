#include "Content.h"

#include "kit/Window.h"

Content::Content() = default;

void Content::loadView()
{
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("contentView"));
    view->resize(kit::Window::applicationFrame().size());
    view->setAutoFillBackground(true);
    view->setPalette(QPalette(Qt::white));
    setView(view);
}

void Content::close()
{
    // Nothing on this screen changes while it is shown, so there is nothing to put back.
}
