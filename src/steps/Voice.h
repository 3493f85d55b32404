// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/platform/Speech.h"
#include "kit/views/Control.h"
#include "kit/views/Label.h"

#include <QString>

namespace steps {

// The spoken prompts of the step-by-step help and the CPR coach. The owner's choice to hear
// them or not is kept in the settings and holds for both screens; speech is on until turned
// off.
namespace Voice {
inline constexpr const char* settingsKey = "VOICE_PROMPTS";
bool isOn();
void setOn(bool on);
// Spoken at once, cutting short what is being said (a new step); nothing while off.
void say(const QString& text);
// Spoken after what is being said (a prompt that must not cut off another).
void enqueue(const QString& text);
} // namespace Voice

// The switch that turns the voice on and off: "Голос" with a speaker, struck through when
// off. The keyboard reaches it with Tab.
class VoiceSwitch final : public kit::Control {
    Q_OBJECT

public:
    explicit VoiceSwitch(QWidget* parent = nullptr);
    bool isOn() const { return _on; }
    // Turns the voice on or off, as a click does (and says so).
    void toggle();
    QSize sizeHint() const override;

signals:
    void switched(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refresh();
    bool _on;
};

// One line, shown only while no speech engine can speak: the prompts stay on the screen.
kit::Label* makeVoiceNotice(QWidget* parent);
QString voiceNoticeText();

} // namespace steps
