#pragma once

#include "HoldToConfirm.h"
#include "kit/controllers/ViewController.h"
#include "kit/platform/SystemSound.h"

#include <QPointer>
#include <QUrl>

#include <array>
#include <memory>

namespace kit {
class Button;
class ColorView;
class ImageView;
class Label;
class NavigationController;
class ProgressView;
class ScrollView;
class Timer;
} // namespace kit

// The emergency card over the whole window: the owner's photo and medical data
// under a navigation bar that shows how long the card has been up. It sounds an
// alarm every 10 seconds, flashes red and white, keeps the screen from locking,
// and closes only when "Отмена" is held for 3 seconds.
class EmergencyScreen final : public kit::ViewController {
    Q_OBJECT

public:
    EmergencyScreen();
    ~EmergencyScreen() override;

    // The cancel gesture and the alarm's steps.
    void touchesBegin();
    void touchesEnd();
    void cancelPressed();
    void increaseTime();
    void updateBarColor();
    void playSound();

    // What the card shows, for the screens' tests.
    kit::NavigationController* navCon() const { return _navCon.get(); }
    kit::ScrollView* mainView() const { return _mainView; }
    kit::ColorView* bgView() const { return _bgView; }
    kit::ImageView* imageView() const { return _imageView; }
    kit::Label* nameLabel() const { return _name; }
    kit::ProgressView* progress() const { return _progress; }
    kit::Button* cancelButton() const { return _cancel; }
    // Caption and value of a field, in card order: address, birthday, weight, blood, illness, note.
    kit::Label* caption(int index) const { return _captions[size_t(index)]; }
    kit::Label* value(int index) const { return _values[size_t(index)]; }
    float intensity() const { return _fIntensity; }

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    void buildCard();
    void buildBar();
    void fillCard();
    void startAlarm();
    void layout();
    void flatten();
    static void stop(QPointer<kit::Timer>& timer);

    std::unique_ptr<kit::NavigationController> _navCon;
    kit::ViewController* _viewCon = nullptr;
    kit::ScrollView* _mainView = nullptr;
    kit::ColorView* _bgView = nullptr;
    kit::ImageView* _imageView = nullptr;
    kit::Label* _name = nullptr;
    std::array<kit::Label*, 6> _captions{};
    std::array<kit::Label*, 6> _values{};
    kit::ProgressView* _progress = nullptr;
    kit::Button* _cancel = nullptr;

    std::unique_ptr<HoldToConfirm> _hold;
    QPointer<kit::Timer> _timeUpdater;
    QPointer<kit::Timer> _barUpdater;
    QPointer<kit::Timer> _soundTimer;
    float _fIntensity = 0.0f;
    bool _incr = false;
    bool _pressed = false;
    QUrl _soundRefURL;
    kit::SystemSoundID _soundObject = 0;
    double _timeLeft = 0.0;
};
