#pragma once

#include "kit/controllers/BarButtonItem.h"
#include "kit/foundation/Owned.h"
#include "kit/views/ImageView.h"
#include "kit/views/Slider.h"

#include <QObject>
#include <QPointer>

#include <functional>

class WebController;

// The reading zoom of the screens that show articles: a zoom button that floats
// a slider pane over the window; moving the slider restyles the article on show
// and stores the zoom; lifting the finger takes the pane away. A host supplies
// the viewer the slider restyles and calls zoomSliderHide() at its own moments.
class ZoomControl final : public QObject {
    Q_OBJECT

public:
    using CurrentViewer = std::function<WebController*()>;

    ZoomControl(CurrentViewer currentViewer, QObject* parent);

    kit::BarButtonItem* zoomButton() const { return _zoomButton; }
    kit::ImageView* sliderView() const { return _sliderView.get(); }
    kit::Slider* zoomSlider() const { return _zoomSlider; }

    void zoomButtonAction();
    void zoomSliderAction();
    void zoomSliderHide();

private:
    kit::Owned<kit::ImageView> _sliderView;
    kit::BarButtonItem* _zoomButton;
    QPointer<kit::Slider> _zoomSlider;
    CurrentViewer _currentViewer;
};
