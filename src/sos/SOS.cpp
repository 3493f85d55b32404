// SPDX-License-Identifier: GPL-3.0-or-later
#include "SOS.h"

#include "EmergencyScreen.h"
#include "kit/controllers/Window.h"
#include "kit/views/Button.h"
#include "kit/views/Font.h"
#include "kit/views/Image.h"
#include "kit/views/ImageView.h"
#include "kit/views/Label.h"
#include "kit/views/ProgressView.h"
#include "kit/views/View.h"

#include <QPainter>

namespace sos {
namespace {

// The screen's ground: a soft gradient, red towards the bottom.
class SosBackground final : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QLinearGradient fill(0, 0, 0, height());
        fill.setColorAt(0, QColor(0xff, 0xff, 0xff));
        fill.setColorAt(1, QColor(0xf6, 0xdc, 0xdc));
        painter.fillRect(rect(), fill);
    }
};

} // namespace

SOS::SOS() = default;

SOS::~SOS() = default;

void SOS::loadView()
{
    // The screen's layout: a title, the help button with the ring that shows around it
    // while it is held, the progress of the hold and what to do.
    auto* view = new SosBackground();
    view->setObjectName(QStringLiteral("sosView"));
    view->resize(kit::Window::applicationFrame().size());

    auto* title = new kit::Label(view);
    title->setText(QStringLiteral("Экстренный вызов"));
    title->setFont(kit::boldSystemFont(22));
    title->setTextColor(QColor(0x8a, 0x08, 0x08));
    title->setAlignment(Qt::AlignCenter);
    kit::setFrame(title, QRect(0, 22, kit::Window::width, 30));

    // The ring and the pressed button are read at the first press: a start that opens on
    // this tab only needs the button at rest.
    _image = new kit::ImageView(QImage(), view);
    _image->setObjectName(QStringLiteral("sosIndicator"));
    kit::setFrame(_image, QRect(50, 66, 220, 220));
    _image->hide();

    _helpButton = new kit::Button(view);
    _helpButton->setObjectName(QStringLiteral("helpButton"));
    _helpButton->setBackgroundImage(kit::imageNamed(QStringLiteral("sosButton.png")));
    _helpButton->setAccessibleName(QStringLiteral("Помощь: удерживайте 3 секунды"));
    kit::setFrame(_helpButton, QRect(70, 86, 180, 180));
    _helpButton->addTarget(
        this, [this] { helpButtonPressed(); }, kit::ControlEvent::TouchDown);
    _helpButton->addTarget(
        this, [this] { helpButtonCanceled(); },
        kit::ControlEvent::TouchUpInside | kit::ControlEvent::TouchUpOutside);

    _progressBar = new kit::ProgressView(view);
    _progressBar->setObjectName(QStringLiteral("sosProgress"));
    kit::setFrame(_progressBar, QRect(60, 300, 200, 9));
    _progressBar->hide();
    _hold = std::make_unique<HoldToConfirm>(this, _progressBar, [this] { callHelp(); });

    auto* hint = new kit::Label(view);
    hint->setText(QStringLiteral(
        "Нажмите и удерживайте кнопку 3 секунды: на экране появится ваша медицинская "
        "карта и зазвучит сигнал. Номер экстренных служб — 112."));
    hint->setFont(kit::systemFont(14));
    hint->setTextColor(QColor(0x55, 0x55, 0x55));
    hint->setNumberOfLines(0);
    hint->setLineBreakMode(kit::LineBreakMode::WordWrap);
    hint->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    kit::setFrame(hint, QRect(20, 322, 280, 80));

    setView(view);
}

void SOS::helpButtonPressed()
{
    if (_image->image().isNull()) {
        _image->setImage(kit::imageNamed(QStringLiteral("sosIndicator.png")));
        _helpButton->setBackgroundImage(kit::imageNamed(QStringLiteral("sosButtonPressed.png")),
                                        kit::Button::State::Highlighted);
    }
    _image->show();
    _hold->begin();
}

void SOS::helpButtonCanceled()
{
    _image->hide();
    _progressBar->hide();
    _progressBar->setProgress(0);
    _hold->stop();
}

void SOS::callHelp()
{
    _image->hide();
    _progressBar->hide();
    _hold->stop();
    // One emergency card at a time: a second one is never laid over the first.
    if (modalViewController())
        return;
    auto emergency = std::make_unique<EmergencyScreen>();
    kit::setFrame(emergency->view(), QRect(0, 0, kit::Window::width, kit::Window::height));
    presentModalViewController(std::move(emergency), true);
}

void SOS::close()
{
    // The screen keeps no state that leaving the tab should undo.
}

} // namespace sos
