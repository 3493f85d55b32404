#include "ZoomControl.h"

#include "FontScript.h"
#include "WebController.h"
#include "app/KavelAppDelegate.h"
#include "kit/views/Image.h"

ZoomControl::ZoomControl(CurrentViewer currentViewer, QObject* parent)
    : QObject(parent),
      _zoomButton(new kit::BarButtonItem(
          kit::imageNamed(QStringLiteral("iconBtnTextSize.png")),
          kit::BarButtonItem::Style::Bordered, [this] { zoomButtonAction(); }, this)),
      _currentViewer(std::move(currentViewer))
{
    _zoomButton->setObjectName(QStringLiteral("zoomButton"));
    _zoomButton->setAccessibleName(QStringLiteral("Размер текста"));
}

void ZoomControl::zoomButtonAction()
{
    zoomSliderHide();
    _zoomButton->setEnabled(false);
    if (KavelAppDelegate* delegate = KavelAppDelegate::shared())
        delegate->createZoomSlider(
            this, _zoomSlider, _sliderView, [this] { zoomSliderAction(); },
            [this] { zoomSliderHide(); });
}

void ZoomControl::zoomSliderAction()
{
    if (!_zoomSlider)
        return;
    const float value = _zoomSlider->value();
    if (WebController* shown = _currentViewer ? _currentViewer() : nullptr)
        if (kit::WebView* page = shown->webView())
            page->evaluateJavaScript(viewer::fontScript(value * viewer::baseFontSize));
    if (KavelAppDelegate* delegate = KavelAppDelegate::shared())
        delegate->setDefaultArticleZoom(value);
}

void ZoomControl::zoomSliderHide()
{
    _zoomButton->setEnabled(true);
    // The pane may be hidden from inside its own slider's touch handling: let
    // it go once that returns.
    _sliderView.resetLater();
    _zoomSlider = nullptr;
}
