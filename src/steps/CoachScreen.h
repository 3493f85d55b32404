// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "guide/CprCoach.h"
#include "guide/StepFlow.h"
#include "kit/controllers/ViewController.h"
#include "kit/pickers/AlertView.h"

#include <QPointer>

#include <vector>

class QVariantAnimation;

namespace kit {
class BarButtonItem;
class ImageView;
class Label;
class NavigationBar;
class Timer;
class TitledButton;
} // namespace kit

namespace steps {

class ModeButton;
class PulseView;
class VoiceSwitch;

// The CPR coach over the whole window, to be followed without touching it: a click and a
// pulse at 110 a minute, the compressions counted, "2 вдоха" with its pause (a tap or Space
// ends it sooner), the time since the start and the cycles, every two minutes a call to
// change helpers. It starts counting the moment it opens; the mode (30 : 2, compressions
// only, a child's 15 : 2) changes with one tap while it runs. "Принесли АНД" gives the
// defibrillator's steps one at a time over it. The screen stays on while it is up and it
// keeps going when the window loses focus; stopping asks once, "Остановить?".
class CoachScreen final : public kit::ViewController {
    Q_OBJECT

public:
    // instruction: what the coach shows above the count; child: start at 15 : 2; aed: the
    // defibrillator's steps; withBack: it was opened from a step, which "Назад" returns to.
    CoachScreen(const QString& instruction, bool child, std::vector<guide::Step> aed,
                bool withBack);
    ~CoachScreen() override;

    guide::CprCoach& rhythm() { return _coach; }

    void setMode(guide::CprCoach::Mode mode);
    void togglePause();
    // The tap on the count: the breaths are given.
    void breathsGiven();
    // "Остановить?": asked once however often it is pressed; the count goes on meanwhile.
    void askToStop();
    kit::AlertView* stopQuestion() const { return _stopQuestion; }
    // Stops the rhythm and takes the coach away.
    void stopAndClose();

    // The defibrillator's steps: opened, moved through (the last one returns to the coach),
    // and stepped back or left.
    void openAed();
    void nextAed();
    void backAed();
    int aedStep() const { return _aedIndex; }

    // What the screen shows, for tests.
    PulseView* pulse() const { return _pulse; }
    kit::Label* clock() const { return _clock; }
    kit::Label* cyclesLabel() const { return _cycles; }
    kit::Label* swapBanner() const { return _swapBanner; }
    kit::Label* instruction() const { return _instruction; }
    ModeButton* modeButton(guide::CprCoach::Mode mode) const;
    kit::TitledButton* pauseButton() const { return _pause; }
    kit::TitledButton* aedButton() const { return _aed; }
    QWidget* aedPanel() const { return _aedPanel; }
    kit::Label* aedText() const { return _aedText; }
    VoiceSwitch* voiceSwitch() const { return _voiceSwitch; }
    kit::NavigationBar* bar() const { return _bar; }

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

private:
    bool keyPressed(int key);
    void onBeat(int count);
    void onBreathsDue();
    void onCycleBegun(int cycle);
    void onSwapDue();
    void onPhaseChanged(guide::CprCoach::Phase phase);
    void refreshClock();
    void refreshModes();
    void refreshBar();
    void showAedStep();
    void leaveHandsOff();
    void close();
    QString cyclePrompt() const;

    guide::CprCoach _coach;
    QString _instructionText;
    bool _startChild;
    std::vector<guide::Step> _aedSteps;
    bool _withBack;

    kit::NavigationBar* _bar = nullptr;
    QPointer<kit::BarButtonItem> _stopItem;
    kit::Label* _clock = nullptr;
    kit::Label* _cycles = nullptr;
    kit::Label* _instruction = nullptr;
    PulseView* _pulse = nullptr;
    kit::Label* _swapBanner = nullptr;
    std::vector<ModeButton*> _modes;
    kit::TitledButton* _pause = nullptr;
    kit::TitledButton* _aed = nullptr;
    VoiceSwitch* _voiceSwitch = nullptr;
    kit::Label* _notice = nullptr;

    QWidget* _aedPanel = nullptr;
    kit::Label* _aedCounter = nullptr;
    kit::Label* _aedText = nullptr;
    kit::ImageView* _aedDrawing = nullptr;
    kit::TitledButton* _aedNext = nullptr;
    int _aedIndex = -1;
    bool _pausedForHandsOff = false;

    QPointer<kit::AlertView> _stopQuestion;
    QPointer<kit::Timer> _clockTimer;
    QPointer<kit::Timer> _swapTimer;
    bool _idleWasDisabled = false;
    bool _closing = false;
};

} // namespace steps
