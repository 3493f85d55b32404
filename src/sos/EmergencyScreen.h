// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HoldToConfirm.h"
#include "kit/controllers/ViewController.h"
#include "kit/platform/SystemSound.h"
#include "viewer/AddressPanel.h"

#include <QPointer>
#include <QUrl>

#include <memory>
#include <vector>

namespace kit {
class Button;
class ColorView;
class ImageView;
class InkImageView;
class Label;
class NavigationController;
class ProgressView;
class ScrollView;
class Timer;
class TitledButton;
} // namespace kit

namespace sos {

// The emergency card over the whole window: the owner's photo and medical data
// under a navigation bar that shows how long the card has been up. After the notes
// come the allergies, the medicines and the people to call, where they are stored;
// each person's number is a large button that calls it. It sounds an
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
    // Caption and value of a field, in card order: address, birthday, weight, blood, illness,
    // note, then the allergies and the medicines where they are stored.
    int lineCount() const { return int(_captions.size()); }
    kit::Label* caption(int index) const { return _captions[size_t(index)]; }
    kit::Label* value(int index) const { return _values[size_t(index)]; }
    // The people to call, where any are stored: a caption, then each one's name and a button
    // with the number.
    kit::Label* contactsCaption() const { return _contactsCaption; }
    int contactCount() const { return int(_callButtons.size()); }
    kit::Label* contactName(int index) const { return _contactNames[size_t(index)]; }
    kit::TitledButton* callButton(int index) const { return _callButtons[size_t(index)]; }
    // Calls the number of a contact, as its button does; without a dialler, shows it.
    void call(int index);
    // The number shown over the card where there is no dialler; none otherwise.
    viewer::AddressPanel* numberPanel() const { return _numberPanel; }
    void closeNumberPanel();
    float intensity() const { return _fIntensity; }

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    void buildCard();
    void buildBar();
    void fillCard();
    // A caption in the card's italic grey, on the card.
    kit::Label* makeCaption(const QString& text, const QString& name);
    kit::Label* addCaption(const QString& text);
    kit::Label* addValue();
    void addContacts();
    // Lays out the people to call below top; returns where they end.
    int layoutContacts(int top);
    void startAlarm();
    void layout();
    void flatten();
    static void stop(QPointer<kit::Timer>& timer);

    std::unique_ptr<kit::NavigationController> _navCon;
    kit::ViewController* _viewCon = nullptr;
    kit::ScrollView* _mainView = nullptr;
    kit::ColorView* _bgView = nullptr;
    // The card drawn once, over the flashing colour it paints itself.
    kit::InkImageView* _picture = nullptr;
    kit::ImageView* _imageView = nullptr;
    kit::Label* _name = nullptr;
    std::vector<kit::Label*> _captions;
    std::vector<kit::Label*> _values;
    kit::Label* _contactsCaption = nullptr;
    std::vector<kit::Label*> _contactNames;
    std::vector<kit::TitledButton*> _callButtons;
    std::vector<QString> _numbers;
    QPointer<viewer::AddressPanel> _numberPanel;
    QPointer<kit::TitledButton> _panelCaller;
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
    // Seconds since the card came up, as its bar shows them.
    double _elapsed = 0.0;
};

} // namespace sos
