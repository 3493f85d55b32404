// SPDX-License-Identifier: GPL-3.0-or-later
#include "EmergencyScreen.h"

#include "kit/controllers/Application.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/NavigationController.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/Timer.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/views/Button.h"
#include "kit/views/ColorView.h"
#include "kit/views/Font.h"
#include "kit/views/Image.h"
#include "kit/views/ImageView.h"
#include "kit/views/InkImageView.h"
#include "kit/views/Label.h"
#include "kit/views/ProgressView.h"
#include "kit/views/ScrollView.h"
#include "kit/views/TitledButton.h"
#include "kit/views/View.h"
#include "record/PersonalRecord.h"
#include "viewer/AddressPanel.h"
#include "viewer/AddressScreen.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace sos {
namespace {

// The card's lines, in the card's order: each field's caption above its value.
std::vector<record::Field> lineFields(record::EmergencyLine kind)
{
    std::vector<record::Field> fields;
    for (const record::FieldInfo& info : record::cardFields())
        if (info.emergency == kind)
            fields.push_back(info.field);
    return fields;
}

// A number's button: white on green, to be found and hit on a flashing red screen.
const kit::TitledButton::Look callLook = {
    {{0, QColor(0x2e, 0x9d, 0x46)}, {1, QColor(0x1b, 0x6e, 0x2e)}},
    {{0, QColor(0x1b, 0x6e, 0x2e)}, {1, QColor(0x0f, 0x4a, 0x1c)}},
    QColor(0x0c, 0x3b, 0x16),
    8,
};
constexpr int callHeight = 48;

// The captions' colour: near black, so that they keep a contrast of at least 4.5 : 1 on the
// darkest frame of the flashing (pure red, 4.7 : 1) as on the lightest (white, 19 : 1).
const QColor captionColour(0x11, 0x11, 0x11);

} // namespace

EmergencyScreen::EmergencyScreen() = default;

EmergencyScreen::~EmergencyScreen()
{
    // A screen that goes without being cancelled (the application quitting)
    // leaves no timer behind.
    _hold.reset();
    for (QPointer<kit::Timer>* timer : {&_timeUpdater, &_barUpdater, &_soundTimer})
        stop(*timer);
    _navCon.reset();
    if (_soundObject)
        kit::SystemSound::dispose(_soundObject);
}

void EmergencyScreen::stop(QPointer<kit::Timer>& timer)
{
    if (timer)
        timer->invalidate();
    timer = nullptr;
}

void EmergencyScreen::loadView()
{
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("emergencyView"));
    view->resize(kit::Window::width, kit::Window::height);
    // Its background view covers it whole, so nothing beneath the card is ever
    // repainted with it.
    view->setAttribute(Qt::WA_OpaquePaintEvent);
    setView(view);
}

void EmergencyScreen::viewDidLoad()
{
    if (kit::Application* application = kit::Application::sharedApplication())
        application->setIdleTimerDisabled(true);
    _pressed = false;
    buildCard();
    buildBar();
    _bgView = new kit::ColorView(Qt::white);
    _bgView->setObjectName(QStringLiteral("background"));
    kit::setFrame(_bgView, QRect(0, 0, kit::Window::width, kit::Window::height));
    kit::insertSubview(view(), _bgView, 0);
    fillCard();
    layout();
    startAlarm();
}

void EmergencyScreen::buildCard()
{
    _mainView = new kit::ScrollView();
    _mainView->setObjectName(QStringLiteral("emergencyCard"));
    QWidget* content = _mainView->contentView();

    _imageView = new kit::ImageView();
    _imageView->setObjectName(QStringLiteral("photo"));
    kit::setFrame(_imageView, QRect(20, 20, 66, 66));
    _imageView->setImage(kit::imageNamed(QStringLiteral("noPhoto.png")));
    kit::addSubview(content, _imageView);

    _name = new kit::Label();
    _name->setObjectName(QStringLiteral("name"));
    kit::setFrame(_name, QRect(94, 30, 206, 45));
    _name->setText(record::fieldInfo(record::Name).caption);
    kit::addSubview(content, _name);

    // Each line's height and place are set by the layout once the texts are in.
    for (const record::Field field : lineFields(record::EmergencyLine::Always)) {
        addCaption(record::captionLine(field));
        addValue();
    }
}

kit::Label* EmergencyScreen::makeCaption(const QString& text, const QString& name)
{
    auto* caption = new kit::Label();
    caption->setObjectName(name);
    kit::setFrame(caption, QRect(15, 0, 280, 22));
    caption->setFont(kit::fontWithName(QStringLiteral("Arial-ItalicMT"), 15));
    caption->setTextColor(captionColour);
    caption->setText(text);
    kit::addSubview(_mainView->contentView(), caption);
    return caption;
}

kit::Label* EmergencyScreen::addCaption(const QString& text)
{
    kit::Label* caption = makeCaption(text, QStringLiteral("caption%1").arg(_captions.size()));
    _captions.push_back(caption);
    return caption;
}

kit::Label* EmergencyScreen::addValue()
{
    auto* value = new kit::Label();
    value->setObjectName(QStringLiteral("value%1").arg(_values.size()));
    kit::setFrame(value, QRect(20, 0, 280, 22));
    value->setNumberOfLines(0);
    value->setLineBreakMode(kit::LineBreakMode::WordWrap);
    value->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    kit::addSubview(_mainView->contentView(), value);
    _values.push_back(value);
    return value;
}

void EmergencyScreen::buildBar()
{
    // The card scrolls under a bar that shows how long it has been up; the cancel button and
    // the progress of its hold lie over the bar.
    auto card = std::make_unique<kit::ViewController>();
    _viewCon = card.get();
    _viewCon->setView(_mainView);
    _navCon = std::make_unique<kit::NavigationController>(std::move(card));
    kit::setFrame(_navCon->view(), QRect(0, 0, kit::Window::width, kit::Window::height));
    _navCon->navigationBar()->setTintColor(Qt::white);
    // The time stays dark on every frame: white would fade into the red.
    _navCon->navigationBar()->setAlwaysDarkTitle(true);
    kit::addSubview(view(), _navCon->view());
    addChildViewController(_navCon.get());

    _cancel = new kit::Button();
    _cancel->setObjectName(QStringLiteral("cancelButton"));
    kit::setFrame(_cancel, QRect(10, 7, 71, 30));
    _cancel->setImage(kit::imageNamed(QStringLiteral("btnCancel.png")));
    _cancel->setTitle(QStringLiteral("Отмена"));
    // After the title, which names the button too: a screen reader says how it works.
    _cancel->setAccessibleName(QStringLiteral("Отмена: удерживайте 3 секунды"));
    _cancel->addTarget(
        this, [this] { touchesBegin(); }, kit::ControlEvent::TouchDown);
    _cancel->addTarget(
        this, [this] { touchesEnd(); },
        kit::ControlEvent::TouchUpInside | kit::ControlEvent::TouchUpOutside);
    kit::addSubview(view(), _cancel);

    _progress = new kit::ProgressView();
    kit::setFrame(_progress, QRect(90, 18, 220, 9));
    kit::addSubview(view(), _progress);
    _progress->hide();
    _hold = std::make_unique<HoldToConfirm>(this, _progress, [this] { cancelPressed(); });
}

void EmergencyScreen::fillCard()
{
    kit::UserDefaults::standardUserDefaults().refresh();
    if (const std::optional<QString> name = record::storedText(record::Name))
        _name->setText(record::shownPart(*name));
    const std::vector<record::Field> always = lineFields(record::EmergencyLine::Always);
    for (size_t i = 0; i < always.size(); ++i)
        _values[i]->setText(record::shownPart(record::storedText(always[i]).value_or(QString())));
    for (const record::Field field : lineFields(record::EmergencyLine::WhenFilled)) {
        const std::optional<QString> stored = record::storedText(field);
        if (!stored || stored->trimmed().isEmpty())
            continue;
        addCaption(record::captionLine(field));
        addValue()->setText(record::shownPart(*stored));
    }
    addContacts();
    const QImage photo = record::decodePhoto(
        kit::UserDefaults::standardUserDefaults().objectForKey(record::OWN_IMAGE).toByteArray());
    if (!photo.isNull()) {
        _imageView->setImage(photo);
        _imageView->resize(photo.deviceIndependentSize().toSize());
    }
}

void EmergencyScreen::addContacts()
{
    const std::vector<record::Contact> contacts = record::storedContacts();
    if (contacts.empty())
        return;
    QWidget* content = _mainView->contentView();
    _contactsCaption =
        makeCaption(record::captionLine(record::Contacts), QStringLiteral("contactsCaption"));
    for (const record::Contact& contact : contacts) {
        const int index = int(_callButtons.size());
        auto* name = new kit::Label();
        name->setObjectName(QStringLiteral("contactName%1").arg(index));
        name->setNumberOfLines(0);
        name->setLineBreakMode(kit::LineBreakMode::WordWrap);
        name->setText(record::shownPart(record::contactTitle(contact)));
        kit::setFrame(name, QRect(20, 0, 280, 22));
        kit::addSubview(content, name);
        _contactNames.push_back(name);

        // The number as written, as large as fits the button (cut with "…" where even the
        // smallest size does not); a contact without one has none to call.
        const QString written = record::shownPart(contact.phone, 100);
        int size = 22;
        while (size > 14 &&
               QFontMetrics(kit::boldSystemFont(size)).horizontalAdvance(written) > 260)
            size -= 2;
        const QString number =
            QFontMetrics(kit::boldSystemFont(size)).elidedText(written, Qt::ElideRight, 260);
        auto* button = new kit::TitledButton(number, callLook);
        button->setObjectName(QStringLiteral("callButton%1").arg(index));
        button->setAccessibleName(QStringLiteral("Позвонить: %1, %2").arg(name->text(), number));
        button->setFont(kit::boldSystemFont(size));
        kit::setFrame(button, QRect(20, 0, 280, callHeight));
        button->addTarget(
            this, [this, index] { call(index); }, kit::ControlEvent::TouchUpInside);
        button->setHidden(contact.phone.trimmed().isEmpty());
        kit::addSubview(content, button);
        _callButtons.push_back(button);
        _numbers.push_back(contact.phone);
    }
}

void EmergencyScreen::call(int index)
{
    if (index < 0 || index >= int(_numbers.size()))
        return;
    const QUrl address(record::telephoneAddress(_numbers[size_t(index)]));
    if (viewer::handToDesktop(address))
        return;
    // No dialler here: the number, as its owner wrote it, in a panel over the card, which
    // goes on flashing and sounding around it.
    closeNumberPanel();
    auto* panel = new viewer::AddressPanel(address, _numbers[size_t(index)].trimmed(),
                                           viewer::AddressPanel::Look::Floating, view());
    const int height = viewer::AddressPanel::heightFor(viewer::AddressPanel::Look::Floating);
    kit::setFrame(panel,
                  QRect(20, (kit::Window::height - height) / 2 + 10, panel->width(), height));
    panel->show();
    panel->raise();
    _numberPanel = panel;
    _panelCaller = _callButtons[size_t(index)];
    connect(panel, &viewer::AddressPanel::done, this, &EmergencyScreen::closeNumberPanel);
    if (kit::Window* window = kit::Application::sharedApplication()
                                  ? kit::Application::sharedApplication()->keyWindow()
                                  : nullptr)
        window->beginModal(panel);
}

void EmergencyScreen::closeNumberPanel()
{
    if (!_numberPanel)
        return;
    if (kit::Application* application = kit::Application::sharedApplication())
        if (kit::Window* window = application->keyWindow())
            window->endModal(_numberPanel);
    _numberPanel->hide();
    _numberPanel->deleteLater();
    _numberPanel = nullptr;
    // The keyboard goes back to the button that called.
    if (_panelCaller)
        _panelCaller->setFocus(Qt::OtherFocusReason);
}

void EmergencyScreen::layout()
{
    kit::Label* first = _captions[0];
    kit::setFrame(first, QRect(15, 94, 280, int(std::lround(kit::fittingHeight(*first)))));
    for (size_t i = 0; i < _captions.size(); ++i) {
        kit::Label* caption = _captions[i];
        kit::Label* value = _values[i];
        if (i > 0) {
            const QRect previousCaption = _captions[i - 1]->geometry();
            const QRect previousValue = _values[i - 1]->geometry();
            const int bottom = std::max(previousCaption.y() + previousCaption.height(),
                                        previousValue.y() + previousValue.height());
            kit::setFrame(caption, QRect(15, bottom + 8 + 4, 280, 22));
        }
        const QRect frame = caption->geometry();
        kit::setFrame(value, QRect(20, frame.y() + frame.height() - 3, 280, value->height()));
        kit::setFrame(value,
                      QRect(20, value->y(), 280, int(std::lround(kit::fittingHeight(*value)))));
    }
    const QRect last = _values.back()->geometry();
    int bottom = last.y() + last.height();
    if (_contactsCaption)
        bottom = layoutContacts(bottom);
    _mainView->setContentSize(QSize(view()->width(), bottom + 40));
    flatten();
}

int EmergencyScreen::layoutContacts(int top)
{
    kit::setFrame(_contactsCaption, QRect(15, top + 8 + 4, 280, 22));
    int bottom = _contactsCaption->y() + _contactsCaption->height() - 3;
    for (size_t i = 0; i < _contactNames.size(); ++i) {
        kit::Label* name = _contactNames[i];
        kit::setFrame(name, QRect(20, bottom, 280, int(std::lround(kit::fittingHeight(*name)))));
        bottom = name->y() + name->height();
        kit::TitledButton* button = _callButtons[i];
        if (!button->isHidden()) {
            kit::setFrame(button, QRect(20, bottom, 280, callHeight));
            bottom = button->y() + callHeight + 10;
        }
    }
    return bottom;
}

void EmergencyScreen::flatten()
{
    // The card never changes once laid out, while its background flashes a hundred times a
    // second: drawn once into one picture, each flash copies the inked parts of that picture
    // instead of repainting every label. The labels stay, hidden, as what the card is made of.
    // The numbers' buttons stay live above the picture, to be pressed and focused; at rest
    // their faces are part of the picture, and they paint themselves only while pressed.
    QWidget* content = _mainView->contentView();
    const qreal ratio = view()->devicePixelRatioF();
    QImage layer((QSizeF(content->size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(ratio);
    layer.fill(Qt::transparent);
    for (kit::TitledButton* button : _callButtons)
        button->setRestingFaceBeneath(false);
    content->render(&layer, QPoint(), QRegion(), QWidget::DrawChildren);
    std::vector<kit::TitledButton*> live;
    for (kit::TitledButton* button : _callButtons)
        if (!button->isHidden())
            live.push_back(button);
    for (QObject* child : content->children())
        if (auto* widget = qobject_cast<QWidget*>(child))
            widget->hide();
    auto* picture = new kit::InkImageView(layer, content);
    picture->setObjectName(QStringLiteral("cardPicture"));
    // The picture paints the flashing colour under its ink: opaque, it hides the views
    // beneath it, which a flash then does not repaint.
    picture->setBackgroundColor(_bgView->backgroundColor());
    _picture = picture;
    // The bar and the picture now cover the whole card: the background view only keeps the
    // colour, and is not painted a hundred times a second beneath them.
    _bgView->hide();
    // What the picture shows, for a screen reader.
    QStringList spoken{_name->text()};
    for (size_t i = 0; i < _captions.size(); ++i)
        spoken << _captions[i]->text() + QLatin1Char(' ') + _values[i]->text();
    if (_contactsCaption) {
        spoken << _contactsCaption->text();
        for (size_t i = 0; i < _contactNames.size(); ++i)
            spoken << _contactNames[i]->text() + QLatin1Char(' ') + _numbers[i];
    }
    picture->setAccessibleName(spoken.join(QLatin1Char('\n')));
    picture->setGeometry(QRect(QPoint(0, 0), content->size()));
    picture->show();
    for (kit::TitledButton* button : live) {
        button->setRestingFaceBeneath(true);
        button->show();
        button->raise();
    }
}

void EmergencyScreen::startAlarm()
{
    _soundRefURL =
        kit::Bundle::mainBundle().urlForResource(QStringLiteral("alarm"), QStringLiteral("aif"));
    _soundObject = kit::SystemSound::create(_soundRefURL);

    _timeUpdater = kit::Timer::scheduledTimer(1.0, true, this, [this] { increaseTime(); });
    _barUpdater =
        kit::Timer::scheduledTimer(double(0.01f), true, this, [this] { updateBarColor(); });
    _soundTimer = kit::Timer::scheduledTimer(10.0, true, this, [this] { playSound(); });
    playSound();
}

void EmergencyScreen::playSound()
{
    kit::SystemSound::play(_soundObject);
}

void EmergencyScreen::increaseTime()
{
    _elapsed += 1.0;
    if (_pressed) {
        _viewCon->setTitle(QString(QLatin1String("")));
        return;
    }
    const double t = _elapsed;
    const auto hours = unsigned(t / 3600);
    const auto minutes = unsigned((t - hours * 3600.0) / 60);
    const auto seconds = unsigned(t - hours * 3600.0 - minutes * 60.0);
    _viewCon->setTitle(QString::asprintf("%02u:%02u:%02u", hours, minutes, seconds));
}

void EmergencyScreen::updateBarColor()
{
    if (_fIntensity >= 1.0f)
        _incr = false;
    if (_fIntensity <= 0.0f)
        _incr = true;
    // At the turning points the intensity may lie just outside 0 to 1: the
    // colour takes the nearest value.
    const float component = std::clamp(_fIntensity, 0.0f, 1.0f);
    const QColor colour = QColor::fromRgbF(1.0f, component, component, 1.0f);
    _navCon->navigationBar()->setTintColor(colour);
    _bgView->setBackgroundColor(colour);
    _picture->setBackgroundColor(colour);
    if (_incr)
        _fIntensity += 0.06f;
    else
        _fIntensity -= 0.06f;
}

void EmergencyScreen::touchesBegin()
{
    _pressed = true;
    _viewCon->setTitle(QString(QLatin1String("")));
    _hold->begin();
}

void EmergencyScreen::touchesEnd()
{
    _pressed = false;
    _progress->hide();
    _progress->setProgress(0);
    _hold->stop();
}

void EmergencyScreen::cancelPressed()
{
    _progress->hide();
    _hold->stop();
    stop(_soundTimer);
    stop(_timeUpdater);
    stop(_barUpdater);
    if (kit::Application* application = kit::Application::sharedApplication())
        application->setIdleTimerDisabled(false);
    if (kit::ViewController* presenter = parentViewController())
        presenter->dismissModalViewControllerAnimated(true);
}

} // namespace sos
