// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "guide/StepFlow.h"
#include "kit/controllers/ViewController.h"

#include <QPointer>

#include <memory>
#include <vector>

namespace kit {
class BarButtonItem;
class ImageView;
class Label;
class NavigationBar;
class ProgressView;
class Timer;
class TitledButton;
} // namespace kit

namespace viewer {
class WebController;
}

namespace steps {

class CoachScreen;
class VoiceSwitch;

// The step-by-step help over the whole window: one instruction at a time, spoken, with its
// drawing and one to three large answers. "Назад" goes one step back (from the first step it
// leaves), "Закрыть" leaves; "Статья" opens the step's full page over it. A step that counts
// (the breathing check) shows its seconds; a step that repeats (watching the breathing) says
// again every minute to check; a step of the CPR coach opens the coach, and leaving the
// coach comes back to the step before it. An end says what to do until the crew arrives and
// offers its page. Keys: Space or Enter the first answer, 1 to 3 the answers, Backspace or
// Escape back.
class FlowScreen final : public kit::ViewController {
    Q_OBJECT

public:
    explicit FlowScreen(guide::StepFlow flow);
    ~FlowScreen() override;

    const guide::Step& step() const;
    // The steps taken so far, the present one last.
    const std::vector<QString>& path() const { return _path; }

    // What the step's buttons do: the answers, and at an end, the page and leaving.
    void answer(int index);
    void goBack();
    void close();
    // The full page of the step, over the flow; back takes it away.
    void openPage();
    void closePage();

    // What the screen shows, for tests.
    kit::Label* instruction() const { return _instruction; }
    int buttonCount() const { return int(_buttons.size()); }
    kit::TitledButton* button(int index) const { return _buttons[size_t(index)]; }
    kit::Label* countdown() const { return _countdown; }
    kit::Label* reminder() const { return _reminder; }
    kit::ImageView* drawing() const { return _drawing; }
    kit::NavigationBar* bar() const { return _bar; }
    VoiceSwitch* voiceSwitch() const { return _voiceSwitch; }
    viewer::WebController* page() const { return _page.get(); }
    CoachScreen* coach() const;

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

private:
    bool keyPressed(int key);
    void show();
    void layout();
    void startTimers();
    void stopTimers();
    void countDown();
    void remind();
    void openCoach(const guide::Step& step);
    void refreshBar();
    void focusFirstAnswer();

    guide::StepFlow _flow;
    std::vector<QString> _path;
    kit::NavigationBar* _bar = nullptr;
    QPointer<kit::BarButtonItem> _closeItem;
    QWidget* _body = nullptr;
    kit::Label* _notice = nullptr;
    kit::Label* _instruction = nullptr;
    kit::ImageView* _drawing = nullptr;
    kit::Label* _countdown = nullptr;
    kit::ProgressView* _countdownBar = nullptr;
    kit::Label* _reminder = nullptr;
    std::vector<kit::TitledButton*> _buttons;
    VoiceSwitch* _voiceSwitch = nullptr;
    kit::TitledButton* _pageButton = nullptr;
    std::unique_ptr<viewer::WebController> _page;
    QPointer<kit::Timer> _countdownTimer;
    QPointer<kit::Timer> _reminderTimer;
    int _secondsLeft = 0;
    bool _coachOpen = false;
};

} // namespace steps
