// SPDX-License-Identifier: GPL-3.0-or-later
#include "Telephones.h"

#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/Window.h"
#include "kit/views/Button.h"
#include "kit/views/Image.h"
#include "kit/views/View.h"
#include "viewer/ReadingZoom.h"
#include "viewer/WebController.h"

namespace telephones {

Telephones::Telephones() = default;

Telephones::~Telephones()
{
    _viewer.reset();
}

void Telephones::loadView()
{
    // The screen's layout: the bar on top, the page below it at the left, and the four
    // service buttons in the strip the page leaves free on the right.
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("telephonesView"));
    view->resize(kit::Window::applicationFrame().size());
    view->setAutoFillBackground(true);
    view->setPalette(QPalette(QColor(0xe8, 0xe8, 0xe8)));

    _navBar = new kit::NavigationBar(view);
    _navBar->setObjectName(QStringLiteral("navBar"));
    kit::setFrame(_navBar, QRect(0, 0, kit::Window::width, kit::NavigationBar::barHeight));
    _navBar->setItems(&_navItem, QString());

    const struct {
        const char* name;
        const char* title;
        const char* picture;
        void (Telephones::*action)();
    } services[] = {
        {"gasButton", "Горгаз", "btnGas.png", &Telephones::onGasPressed},
        {"ambulanceButton", "Скорая", "btnEmerg.png", &Telephones::onAmbulancePressed},
        {"fireButton", "Пожарная", "btnFire.png", &Telephones::onFirePressed},
        {"policeButton", "Полиция", "btnPolice.png", &Telephones::onPolicePressed},
    };
    int y = kit::NavigationBar::barHeight + 4;
    for (const auto& service : services) {
        auto* button = new kit::Button(view);
        button->setObjectName(QString::fromLatin1(service.name));
        button->setBackgroundImage(kit::imageNamed(QString::fromLatin1(service.picture)));
        button->setAccessibleName(QString::fromUtf8(service.title));
        kit::setFrame(button, QRect(290, y, 30, 88));
        const auto action = service.action;
        button->addTarget(
            this, [this, action] { (this->*action)(); }, kit::ControlEvent::TouchUpInside);
        y += 90;
    }
    setView(view);
}

void Telephones::viewDidLoad()
{
    _zoom = new viewer::ZoomControl(this, this);
    onPolicePressed();
    _navItem.setRightBarButtonItem(_zoom->zoomButton());
}

void Telephones::selectService(const QString& title, const QColor& tint, const QString& page)
{
    _navItem.setTitle(title);
    _navBar->setTintColor(tint);
    openHtml(page);
}

void Telephones::onGasPressed()
{
    selectService(QStringLiteral("Горгаз"), kit::color(0.581, 0.352, 0.02, 1.0),
                  QStringLiteral("gas.html"));
}

void Telephones::onAmbulancePressed()
{
    selectService(QStringLiteral("Скорая"), kit::color(0.581, 0.581, 0.581, 1.0),
                  QStringLiteral("emerg.html"));
}

void Telephones::onFirePressed()
{
    selectService(QStringLiteral("Пожарная"), kit::color(0.58, 0.211, 0.211, 1.0),
                  QStringLiteral("fire.html"));
}

void Telephones::onPolicePressed()
{
    selectService(QStringLiteral("Полиция"), kit::color(0.313, 0.314, 0.58, 1.0),
                  QStringLiteral("police.html"));
}

void Telephones::openHtml(const QString& page)
{
    // The old viewer is no longer used; it goes once control is back in the event loop,
    // since a page of its own may have asked for this.
    if (_viewer) {
        removeChildViewController(_viewer.get());
        _viewer->view()->hide();
        _viewer.release()->deleteLater();
    }
    _viewer = std::make_unique<viewer::WebController>(viewer::pageUrl(page));
    kit::setFrame(_viewer->view(), QRect(0, _navBar->height(), 290, 370));
    _viewer->setFontSize(viewer::articleFontSize());
    kit::addSubview(view(), _viewer->view());
    addChildViewController(_viewer.get());
    _zoom->zoomSliderHide();
}

void Telephones::close()
{
    if (_zoom)
        _zoom->zoomSliderHide();
}

viewer::WebController* Telephones::zoomedViewer(viewer::ZoomControl&)
{
    return _viewer.get();
}

void Telephones::viewWillAppear(bool animated)
{
    onPolicePressed();
    kit::TabScreen::viewWillAppear(animated);
}

void Telephones::viewWillDisappear(bool animated)
{
    _zoom->zoomSliderHide();
    kit::TabScreen::viewWillDisappear(animated);
}

} // namespace telephones
