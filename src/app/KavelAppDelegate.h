#pragma once

#include "kit/controllers/Application.h"
#include "kit/controllers/TabBarController.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Owned.h"
#include "kit/views/ImageView.h"
#include "kit/views/Label.h"
#include "kit/views/Slider.h"
#include "kit/views/TextMeasure.h"

#include <QObject>
#include <QPointer>
#include <QUrl>

#include <functional>
#include <memory>

// The application's delegate: launches the application, chooses the starting
// tab from the owner's card, closes the tab being left at every switch, and
// carries the services every screen shares.
class KavelAppDelegate final : public QObject,
                               public kit::ApplicationDelegate,
                               public kit::TabBarControllerDelegate {
    Q_OBJECT

public:
    KavelAppDelegate();
    ~KavelAppDelegate() override;

    // The application's delegate, as screens reach it.
    static KavelAppDelegate* shared();

    kit::Window* window() const { return _window.get(); }
    void setWindow(std::unique_ptr<kit::Window> window);
    kit::TabBarController* tabBarController() const { return _tabBarController.get(); }
    void setTabBarController(std::unique_ptr<kit::TabBarController> tabBarController);

    void applicationDidFinishLaunching(kit::Application& application) override;
    bool shouldSelectViewController(kit::TabBarController& tabBarController,
                                    kit::ViewController* viewController) override;
    void didSelectViewController(kit::TabBarController& tabBarController,
                                 kit::ViewController* viewController) override;

    // A file URL for a path relative to the resource directory; existence is not checked.
    QUrl urlForFile(const QString& name) const;
    // The stored article zoom, 1.0 when none is stored.
    float defaultArticleZoom() const;
    // Stores the zoom as "%f" text and flushes the store at once.
    void setDefaultArticleZoom(float zoom);
    // Floats a new zoom slider in its pane over the key window, showing the stored
    // zoom. The pane goes to the caller's sliderView, which owns it; the slider lives
    // inside it. onValueChanged runs when the finger lands and at every movement,
    // onTouch when the finger lifts, wherever it lifts.
    void createZoomSlider(QObject* target, QPointer<kit::Slider>& slider,
                          kit::Owned<kit::ImageView>& sliderView,
                          std::function<void()> onValueChanged, std::function<void()> onTouch);

    // The height a label's text needs at the label's current width, plus 8.
    static float getLabelHeight(const kit::Label& label);
    static float calculateHeightOfTextFromWidth(const QString& text, const QFont& font, float width,
                                                kit::LineBreakMode lineBreakMode);

private:
    // Destroyed in reverse order: the tab bar controller first, then the window.
    std::unique_ptr<kit::Window> _window;
    std::unique_ptr<kit::TabBarController> _tabBarController;
};
