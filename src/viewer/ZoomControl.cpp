// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZoomControl.h"

#include "FontScript.h"
#include "ReadingZoom.h"
#include "WebController.h"
#include "kit/controllers/Application.h"
#include "kit/controllers/Window.h"
#include "kit/views/Image.h"
#include "kit/views/View.h"

namespace viewer {

ZoomControl::ZoomControl(ZoomControlDelegate* delegate, QObject* parent)
    : QObject(parent), _delegate(delegate),
      _zoomButton(new kit::BarButtonItem(
          kit::imageNamed(QStringLiteral("iconBtnTextSize.png")),
          kit::BarButtonItem::Style::Bordered, [this] { zoomButtonAction(); }, this))
{
    _zoomButton->setObjectName(QStringLiteral("zoomButton"));
    _zoomButton->setAccessibleName(QStringLiteral("Размер текста"));
}

void ZoomControl::zoomButtonAction()
{
    zoomSliderHide();
    _zoomButton->setEnabled(false);
    createZoomSlider();
}

void ZoomControl::createZoomSlider()
{
    auto* pane = new kit::ImageView(kit::imageNamed(QStringLiteral("sliderBackPane.png")));
    pane->setObjectName(QStringLiteral("sliderPane"));
    _sliderView.reset(pane);
    pane->setUserInteractionEnabled(true);
    kit::setCenter(pane, QPoint(218, 82));

    auto* slider = new kit::Slider(pane);
    slider->setObjectName(QStringLiteral("zoomSlider"));
    slider->setAccessibleName(QStringLiteral("Размер текста"));
    _zoomSlider = slider;
    slider->setFrame(QRect(20, 20, 180, 10));
    slider->setBackgroundColor(Qt::transparent);
    slider->setMinimumValue(1.0f);
    slider->setMaximumValue(2.0f);
    slider->setContinuous(true);
    slider->setEnabled(true);
    slider->setAttribute(Qt::WA_TransparentForMouseEvents, false);

    slider->setValue(storedZoom(), false);

    // The size follows the finger from the moment it lands; lifting it, wherever, ends.
    slider->addTarget(
        this, [this] { zoomSliderAction(); },
        kit::ControlEvent::ValueChanged | kit::ControlEvent::TouchDown);
    slider->addTarget(
        this, [this] { zoomSliderHide(); },
        kit::ControlEvent::TouchUpInside | kit::ControlEvent::TouchUpOutside);

    slider->show();
    if (kit::Application* application = kit::Application::sharedApplication())
        if (kit::Window* keyWindow = application->keyWindow())
            keyWindow->addSubview(pane);
    // The arrow keys work on the slider as soon as it is up.
    slider->setFocus();
}

void ZoomControl::zoomSliderAction()
{
    if (!_zoomSlider)
        return;
    const float value = _zoomSlider->value();
    if (WebController* shown = _delegate ? _delegate->zoomedViewer(*this) : nullptr)
        if (kit::WebView* page = shown->webView())
            page->evaluateJavaScript(rescaleScript(value * baseFontSize));
    storeZoom(value);
}

void ZoomControl::zoomSliderHide()
{
    _zoomButton->setEnabled(true);
    // The pane may be hidden from inside its own slider's touch handling: let
    // it go once that returns.
    _sliderView.resetLater();
    _zoomSlider = nullptr;
}

} // namespace viewer
