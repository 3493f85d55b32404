// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddressScreen.h"

#include "AddressPanel.h"

#include "kit/controllers/Application.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/NavigationController.h"
#include "kit/controllers/StatusStrip.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Log.h"
#include "kit/views/Font.h"
#include "kit/views/Label.h"
#include "kit/views/TitledButton.h"
#include "kit/views/View.h"

namespace viewer {

bool handToDesktop(const QUrl& url)
{
    kit::Application* application = kit::Application::sharedApplication();
    if (application && application->canOpenURL(url) && application->openURL(url))
        return true;
    kit::log(QStringLiteral("No application here opens %1: addresses; shown to copy.")
                 .arg(url.scheme()));
    return false;
}

void openAddress(const QUrl& url, kit::ViewController* presenter)
{
    if (!handToDesktop(url) && presenter)
        presenter->presentModalViewController(std::make_unique<AddressScreen>(url), true);
}

AddressScreen::AddressScreen(const QUrl& url) : _url(url)
{
    setTitle(isTelephone() ? QStringLiteral("Звонок") : QStringLiteral("Письмо"));
}

AddressScreen::~AddressScreen()
{
    // The stack's screens go before the view that holds their views.
    _stack.reset();
}

QString AddressScreen::shownText(const QUrl& url)
{
    return url.path(QUrl::FullyDecoded).trimmed();
}

bool AddressScreen::isTelephone() const
{
    return _url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) != 0;
}

void AddressScreen::loadView()
{
    // The screen has a status strip of its own: it may be shown over a screen that covers
    // the window's (the emergency card).
    const QRect area = kit::Window::applicationFrame();
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("addressScreen"));
    kit::setFrame(view, QRect(0, 0, area.width(), area.bottom() + 1));
    auto* strip = new kit::StatusStrip(view);
    strip->setGeometry(0, 0, area.width(), area.top());

    _panel = new AddressPanel(_url, shownText(_url), AddressPanel::Look::Page);
    auto content = std::make_unique<kit::ViewController>();
    content->setTitle(title());
    content->setView(_panel);
    auto* doneItem = new kit::BarButtonItem(QStringLiteral("Готово"),
                                            kit::BarButtonItem::Style::Done, [this] { done(); });
    doneItem->setParent(content.get());
    content->navigationItem().setRightBarButtonItem(doneItem);
    _stack = std::make_unique<kit::NavigationController>(std::move(content));
    kit::setFrame(_stack->view(), area);
    kit::addSubview(view, _stack->view());
    addChildViewController(_stack.get());
    setView(view);
}

kit::Label* AddressScreen::captionLabel() const
{
    return _panel ? _panel->captionLabel() : nullptr;
}

kit::Label* AddressScreen::addressLabel() const
{
    return _panel ? _panel->addressLabel() : nullptr;
}

kit::TitledButton* AddressScreen::copyButton() const
{
    return _panel ? _panel->copyButton() : nullptr;
}

kit::Label* AddressScreen::copiedLabel() const
{
    return _panel ? _panel->copiedLabel() : nullptr;
}

void AddressScreen::copy()
{
    if (_panel)
        _panel->copy();
}

void AddressScreen::done()
{
    dismissModalViewControllerAnimated(true);
}

} // namespace viewer
