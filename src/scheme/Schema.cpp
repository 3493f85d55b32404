#include "Schema.h"

#include "kit/Window.h"

Schema::Schema() = default;

void Schema::loadView()
{
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("schemaView"));
    view->resize(kit::Window::applicationFrame().size());
    view->setAutoFillBackground(true);
    view->setPalette(QPalette(Qt::white));
    setView(view);
}

void Schema::close()
{
    // Nothing on this screen changes while it is shown, so there is nothing to put back.
}
