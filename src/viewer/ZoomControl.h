// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/controllers/BarButtonItem.h"
#include "kit/foundation/Owned.h"
#include "kit/views/ImageView.h"
#include "kit/views/Slider.h"

#include <QObject>
#include <QPointer>

namespace viewer {

class WebController;
class ZoomControl;

// What a zoom control asks of the screen that hosts it.
class ZoomControlDelegate {
public:
    virtual ~ZoomControlDelegate() = default;
    // The viewer the slider restyles, none when no article is shown.
    virtual WebController* zoomedViewer(ZoomControl& zoom) = 0;
};

// The reading zoom of the screens that show articles: a zoom button that floats a slider
// pane over the window; moving the slider restyles the article on show and stores the
// zoom; lifting the finger takes the pane away. A host says which viewer the slider
// restyles and calls zoomSliderHide() at its own moments.
class ZoomControl final : public QObject {
    Q_OBJECT

public:
    ZoomControl(ZoomControlDelegate* delegate, QObject* parent);

    kit::BarButtonItem* zoomButton() const { return _zoomButton; }
    kit::ImageView* sliderView() const { return _sliderView.get(); }
    kit::Slider* zoomSlider() const { return _zoomSlider; }

    void zoomButtonAction();
    void zoomSliderAction();
    void zoomSliderHide();

private:
    // Floats a new slider in its pane over the key window, showing the stored zoom.
    void createZoomSlider();

    ZoomControlDelegate* _delegate;
    kit::Owned<kit::ImageView> _sliderView;
    kit::BarButtonItem* _zoomButton;
    QPointer<kit::Slider> _zoomSlider;
};

} // namespace viewer
