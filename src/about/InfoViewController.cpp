// SPDX-License-Identifier: GPL-3.0-or-later
#include "InfoViewController.h"

#include "kit/controllers/Application.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/TabBar.h"
#include "kit/controllers/Window.h"
#include "kit/views/Button.h"
#include "kit/views/Font.h"
#include "kit/views/Image.h"
#include "kit/views/ImageView.h"
#include "kit/views/Label.h"
#include "kit/views/View.h"
#include "viewer/AddressScreen.h"

#include <QUrl>

namespace about {

const QString InfoViewController::supportAddress = QStringLiteral("support@tkl-apps.ru");
// The related applications are found by name in the App Store.
const QUrl
    InfoViewController::rovanAddress(QStringLiteral("https://apps.apple.com/ru/search?term=Rovan"));
const QUrl
    InfoViewController::pexAddress(QStringLiteral("https://apps.apple.com/ru/search?term=Pex"));
const QUrl
    InfoViewController::sulkaAddress(QStringLiteral("https://apps.apple.com/ru/search?term=Sulka"));

namespace {

void openURL(const QUrl& url)
{
    if (kit::Application* application = kit::Application::sharedApplication())
        application->openURL(url);
}

// Escapes for a URL every character that may not stand in one (each UTF-8 byte as
// %XX), keeping the URL's own punctuation, as the phone's
// stringByAddingPercentEscapesUsingEncoding: does.
QString percentEscaped(const QString& text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text, QByteArrayLiteral("!$&'()*+,/:;=?@")));
}

kit::Label* caption(QWidget* parent, const QString& text, const QRect& frame)
{
    auto* label = new kit::Label(parent);
    label->setText(text);
    label->setFont(kit::boldSystemFont(13));
    label->setTextColor(QColor(0x55, 0x55, 0x55));
    label->setAlignment(Qt::AlignCenter);
    kit::setFrame(label, frame);
    return label;
}

} // namespace

InfoViewController::InfoViewController()
{
    setTitle(QStringLiteral("О программе"));
    // The background picture goes beneath everything the screen's description made.
    auto* background = new kit::ImageView(kit::imageNamed(QStringLiteral("aboutBg.png")));
    background->setObjectName(QStringLiteral("aboutBackground"));
    kit::insertSubview(view(), background, 0);
}

void InfoViewController::loadView()
{
    // The screen's layout: the support address, the three related applications
    // and the developer's mark.
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("infoView"));
    // The room between the bar and the tab bar.
    view->resize(kit::Window::width, kit::Window::applicationFrame().height() -
                                         kit::NavigationBar::barHeight - kit::TabBar::barHeight);
    view->setAutoFillBackground(true);
    view->setPalette(QPalette(Qt::white));

    caption(view, QStringLiteral("Вопросы и предложения:"), QRect(0, 164, kit::Window::width, 20));
    auto* mail = new kit::Button(view);
    mail->setObjectName(QStringLiteral("supportMailButton"));
    mail->setTitle(supportAddress);
    mail->setAccessibleName(QStringLiteral("Написать в поддержку: ") + supportAddress);
    mail->setTitleColor(QColor(0x1a, 0x4d, 0xa8));
    mail->setUnderlined(true);
    kit::setFrame(mail, QRect(40, 184, 240, 30));
    mail->addTarget(
        this, [this] { writeToSupport(); }, kit::ControlEvent::TouchUpInside);

    caption(view, QStringLiteral("Другие наши приложения:"), QRect(0, 224, kit::Window::width, 20));
    const struct {
        const char* name;
        const char* title;
        const char* picture;
        void (InfoViewController::*action)();
        int x;
    } applications[] = {
        {"rovanButton", "Rovan", "appRovan.png", &InfoViewController::openRovan, 45},
        {"pexButton", "Pex", "appPex.png", &InfoViewController::openPex, 131},
        {"sulkaButton", "Sulka", "appSulka.png", &InfoViewController::openSulka, 217},
    };
    for (const auto& application : applications) {
        auto* button = new kit::Button(view);
        button->setObjectName(QString::fromLatin1(application.name));
        button->setImage(kit::imageNamed(QString::fromLatin1(application.picture)));
        button->setAccessibleName(QString::fromLatin1(application.title));
        kit::setFrame(button, QRect(application.x, 250, 57, 57));
        const auto action = application.action;
        button->addTarget(
            this, [this, action] { (this->*action)(); }, kit::ControlEvent::TouchUpInside);
        auto* name = caption(view, QString::fromLatin1(application.title),
                             QRect(application.x - 10, 308, 77, 18));
        name->setFont(kit::systemFont(12));
    }

    auto* mark = new kit::Button(view);
    mark->setObjectName(QStringLiteral("tklButton"));
    mark->setImage(kit::imageNamed(QStringLiteral("logoTkl.png")));
    mark->setAccessibleName(QStringLiteral("ТКЛ"));
    kit::setFrame(mark, QRect(130, 333, 60, 28));
    mark->addTarget(
        this, [this] { developerMarkTouched(); }, kit::ControlEvent::TouchUpInside);

    setView(view);
}

QUrl InfoViewController::supportMailUrl()
{
    const QString recipient =
        QStringLiteral("mailto:") + supportAddress + QStringLiteral("?subject=ТКЛ тех.поддержка");
    const QString body =
        QStringLiteral("&body=") + QStringLiteral("Приложение «Первая помощь».\nРазработчик: ТКЛ.");
    return QUrl(percentEscaped(recipient + body), QUrl::StrictMode);
}

void InfoViewController::writeToSupport()
{
    viewer::openAddress(supportMailUrl(), this);
}

void InfoViewController::openRovan()
{
    openURL(rovanAddress);
}

void InfoViewController::openPex()
{
    openURL(pexAddress);
}

void InfoViewController::openSulka()
{
    openURL(sulkaAddress);
}

void InfoViewController::developerMarkTouched() {}

} // namespace about
