#include "KavelAppDelegate.h"

#include "MainInterface.h"
#include "TabScreen.h"
#include "card/CardStore.h"
#include "card/PersonalRecord.h"
#include "kit/controllers/TabBar.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/views/Control.h"
#include "kit/views/Image.h"
#include "kit/views/ImageView.h"
#include "kit/views/Label.h"
#include "kit/views/Slider.h"
#include "kit/views/View.h"

#include <QDir>

#include <algorithm>
#include <cmath>

#include <limits>
#include <optional>

namespace {

const QString STORED_ZOOM = QStringLiteral("STORED_ZOOM");

} // namespace

KavelAppDelegate::KavelAppDelegate() = default;

KavelAppDelegate::~KavelAppDelegate()
{
    _tabBarController.reset();
    _window.reset();
}

KavelAppDelegate* KavelAppDelegate::shared()
{
    kit::Application* application = kit::Application::sharedApplication();
    return application ? dynamic_cast<KavelAppDelegate*>(application->delegate()) : nullptr;
}

void KavelAppDelegate::setWindow(std::unique_ptr<kit::Window> window)
{
    _window = std::move(window);
}

void KavelAppDelegate::setTabBarController(std::unique_ptr<kit::TabBarController> tabBarController)
{
    _tabBarController = std::move(tabBarController);
}

void KavelAppDelegate::applicationDidFinishLaunching(kit::Application&)
{
    kit::TabBar* tabBar = _tabBarController->tabBar();

    auto* background = new kit::ImageView(kit::imageNamed(QStringLiteral("bottomPanelBg.png")));
    background->setObjectName(QStringLiteral("tabBarBackground"));
    kit::setFrame(background, QRect(0, 0, tabBar->width(), tabBar->height()));
    kit::insertSubview(tabBar, background, 0);

    _tabBarController->setSelectedIndex(CardTab);

    kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    bool complete = true;
    for (const QString& key : record::completenessKeys) {
        if (!defaults.stringForKey(key)) {
            complete = false;
            break;
        }
    }
    if (complete)
        _tabBarController->setSelectedIndex(SosTab);

    _window->addSubview(_tabBarController->view());
    record::reportUnreadableCard();
}

bool KavelAppDelegate::shouldSelectViewController(kit::TabBarController& tabBarController,
                                                  kit::ViewController*)
{
    if (auto* leaving = qobject_cast<TabScreen*>(tabBarController.selectedViewController()))
        leaving->close();
    return true;
}

void KavelAppDelegate::didSelectViewController(kit::TabBarController&, kit::ViewController*) {}

QUrl KavelAppDelegate::urlForFile(const QString& name) const
{
    return QUrl::fromLocalFile(QDir(kit::Bundle::mainBundle().bundlePath()).filePath(name));
}

float KavelAppDelegate::defaultArticleZoom() const
{
    const std::optional<QString> stored =
        kit::UserDefaults::standardUserDefaults().stringForKey(STORED_ZOOM);
    if (!stored)
        return 1.0f;
    // Only a number within the slider's range means a zoom; anything else a hand or a
    // damaged file left there reads as the default or the nearest end.
    bool number = false;
    const float zoom = stored->toFloat(&number);
    if (!number || !std::isfinite(zoom))
        return 1.0f;
    return std::clamp(zoom, 1.0f, 2.0f);
}

void KavelAppDelegate::setDefaultArticleZoom(float zoom)
{
    kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    defaults.setObject(QString::asprintf("%f", double(zoom)), STORED_ZOOM);
    defaults.synchronize();
}

void KavelAppDelegate::createZoomSlider(QObject* target, QPointer<kit::Slider>& slider,
                                        kit::Owned<kit::ImageView>& sliderView,
                                        std::function<void()> onValueChanged,
                                        std::function<void()> onTouch)
{
    auto* pane = new kit::ImageView(kit::imageNamed(QStringLiteral("sliderBackPane.png")));
    pane->setObjectName(QStringLiteral("sliderPane"));
    sliderView.reset(pane);
    pane->setUserInteractionEnabled(true);
    kit::setCenter(pane, QPoint(218, 82));

    auto* newSlider = new kit::Slider(pane);
    newSlider->setObjectName(QStringLiteral("zoomSlider"));
    newSlider->setAccessibleName(QStringLiteral("Размер текста"));
    slider = newSlider;
    newSlider->setFrame(QRect(20, 20, 180, 10));
    newSlider->setBackgroundColor(Qt::transparent);
    newSlider->setMinimumValue(1.0f);
    newSlider->setMaximumValue(2.0f);
    newSlider->setContinuous(true);
    newSlider->setEnabled(true);
    newSlider->setAttribute(Qt::WA_TransparentForMouseEvents, false);

    newSlider->setValue(defaultArticleZoom(), false);

    newSlider->addTarget(target, std::move(onValueChanged),
                         kit::ControlEvent::ValueChanged | kit::ControlEvent::TouchDown);
    newSlider->addTarget(target, std::move(onTouch),
                         kit::ControlEvent::TouchUpInside | kit::ControlEvent::TouchUpOutside);

    newSlider->show();
    if (kit::Application* application = kit::Application::sharedApplication())
        if (kit::Window* keyWindow = application->keyWindow())
            keyWindow->addSubview(pane);
    // The arrow keys work on the slider as soon as it is up.
    newSlider->setFocus();
}

float KavelAppDelegate::getLabelHeight(const kit::Label& label)
{
    return calculateHeightOfTextFromWidth(label.text(), label.font(), float(label.width()),
                                          label.lineBreakMode()) +
           8.0f;
}

float KavelAppDelegate::calculateHeightOfTextFromWidth(const QString& text, const QFont& font,
                                                       float width,
                                                       kit::LineBreakMode lineBreakMode)
{
    const QSizeF size = kit::sizeWithFont(
        text, font, QSizeF(width, std::numeric_limits<float>::max()), lineBreakMode);
    return float(size.height());
}
