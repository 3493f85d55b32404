#include "Telephones.h"

#include "app/KavelAppDelegate.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/Window.h"
#include "kit/views/Button.h"
#include "kit/views/Image.h"
#include "kit/views/View.h"
#include "viewer/WebController.h"
#include "viewer/ZoomControl.h"

Telephones::Telephones() = default;

Telephones::~Telephones()
{
    _webCon.reset();
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
    kit::setFrame(_navBar, QRect(0, 0, 320, kit::NavigationBar::barHeight));
    _navBar->setItems(&_navItem, QString());

    const struct {
        const char* name;
        const char* title;
        const char* picture;
        void (Telephones::*action)();
    } services[] = {
        {"gasButton", "Горгаз", "btnGas.png", &Telephones::onGasPressed},
        {"kavelButton", "Скорая", "btnEmerg.png", &Telephones::onKavelPressed},
        {"fireButton", "Пожарная", "btnFire.png", &Telephones::onFirePressed},
        {"policeButton", "Милиция", "btnPolice.png", &Telephones::onPolicePressed},
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
    _zoom = new ZoomControl([this] { return _webCon.get(); }, this);
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

void Telephones::onKavelPressed()
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
    selectService(QStringLiteral("Милиция"), kit::color(0.313, 0.314, 0.58, 1.0),
                  QStringLiteral("police.html"));
}

void Telephones::openHtml(const QString& page)
{
    // The old viewer is no longer used; it goes once control is back in the event loop,
    // since a page of its own may have asked for this.
    if (_webCon) {
        _webCon->view()->hide();
        _webCon.release()->deleteLater();
    }
    KavelAppDelegate* delegate = KavelAppDelegate::shared();
    _webCon = std::make_unique<WebController>(delegate ? delegate->urlForFile(page) : QUrl());
    kit::setFrame(_webCon->view(), QRect(0, _navBar->height(), 290, 370));
    _webCon->setFontSize(viewer::articleFontSize());
    _webCon->setType(LinkMode::ServicePage);
    kit::addSubview(view(), _webCon->view());
    _zoom->zoomSliderHide();
}

void Telephones::close()
{
    if (_zoom)
        _zoom->zoomSliderHide();
}

void Telephones::viewWillAppear(bool)
{
    onPolicePressed();
}

void Telephones::viewWillDisappear(bool)
{
    _zoom->zoomSliderHide();
}
