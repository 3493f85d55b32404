// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/controllers/TabScreen.h"
#include "kit/controllers/ViewController.h"
#include "viewer/ZoomControl.h"

#include <memory>

namespace kit {
class NavigationBar;
} // namespace kit

namespace viewer {
class WebController;
} // namespace viewer

namespace telephones {

// The emergency services tab: a navigation bar, four service buttons and, below
// the bar, the chosen service's page. Each service retitles and recolours the bar;
// the police page is shown whenever the tab comes into view.
class Telephones final : public kit::TabScreen, public viewer::ZoomControlDelegate {
    Q_OBJECT

public:
    Telephones();
    ~Telephones() override;

    void onGasPressed();
    void onAmbulancePressed();
    void onFirePressed();
    void onPolicePressed();
    // Replaces the embedded viewer with a new one on a page of the bundle.
    void openHtml(const QString& page);

    void close() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    viewer::WebController* zoomedViewer(viewer::ZoomControl& zoom) override;

    kit::NavigationBar* navBar() const { return _navBar; }
    // The chosen service's page, below the bar.
    viewer::WebController* viewer() const { return _viewer.get(); }
    viewer::ZoomControl* zoom() const { return _zoom; }

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    void selectService(const QString& title, const QColor& tint, const QString& page);

    kit::NavigationBar* _navBar = nullptr;
    kit::NavigationItem _navItem;
    std::unique_ptr<viewer::WebController> _viewer;
    viewer::ZoomControl* _zoom = nullptr;
};

} // namespace telephones
