// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoachScreen.h"

#include "CoachParts.h"
#include "Drawing.h"
#include "Voice.h"
#include "kit/controllers/Application.h"
#include "kit/controllers/BarButtonItem.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Log.h"
#include "kit/foundation/Timer.h"
#include "kit/pickers/AlertView.h"
#include "kit/platform/Tick.h"
#include "kit/views/Font.h"
#include "kit/views/ImageView.h"
#include "kit/views/Label.h"
#include "kit/views/TitledButton.h"
#include "kit/views/View.h"
#include "viewer/ButtonLooks.h"
#include "viewer/KeyedView.h"

#include <QKeyEvent>

#include <cmath>

namespace steps {

using Mode = guide::CprCoach::Mode;
using Phase = guide::CprCoach::Phase;

namespace {

constexpr int margin = 10;
// How long the call to change helpers stays up.
constexpr double swapShown = 15;

QString clockText(double seconds)
{
    const int whole = int(seconds);
    return QStringLiteral("%1:%2")
        .arg(whole / 60, 2, 10, QLatin1Char('0'))
        .arg(whole % 60, 2, 10, QLatin1Char('0'));
}

kit::Label* makeLabel(QWidget* parent, const QString& name, const QFont& font, const QColor& ink)
{
    auto* label = new kit::Label(parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setTextColor(ink);
    return label;
}

} // namespace

CoachScreen::CoachScreen(const QString& instruction, bool child, std::vector<guide::Step> aed,
                         bool withBack)
    : _instructionText(instruction), _startChild(child), _aedSteps(std::move(aed)),
      _withBack(withBack)
{
}

CoachScreen::~CoachScreen()
{
    _coach.stop();
    for (QPointer<kit::Timer>* timer : {&_clockTimer, &_swapTimer})
        if (*timer)
            (*timer)->invalidate();
    if (_stopQuestion)
        _stopQuestion->dismiss();
    kit::Tick::release();
    kit::Speech::stop();
    if (kit::Application* application = kit::Application::sharedApplication())
        application->setIdleTimerDisabled(_idleWasDisabled);
}

void CoachScreen::loadView()
{
    auto* view = new viewer::KeyedView(QStringLiteral("coachView"),
                                       [this](int key) { return keyPressed(key); });
    view->resize(kit::Window::width, kit::Window::height);
    const int width = kit::Window::width - 2 * margin;

    _bar = new kit::NavigationBar(view);
    kit::setFrame(_bar, QRect(0, 0, kit::Window::width, kit::NavigationBar::barHeight));
    connect(_bar, &kit::NavigationBar::backTapped, this, [this] {
        if (_aedIndex >= 0)
            backAed();
        else
            askToStop();
    });
    _stopItem = new kit::BarButtonItem(
        QStringLiteral("Стоп"), kit::BarButtonItem::Style::Bordered, [this] { askToStop(); }, this);
    _stopItem->setObjectName(QStringLiteral("stopCoach"));
    _stopItem->setAccessibleName(QStringLiteral("Остановить помощника СЛР"));

    int top = kit::NavigationBar::barHeight + 6;
    _clock = makeLabel(view, QStringLiteral("coachClock"), kit::boldSystemFont(16),
                       QColor(0x11, 0x11, 0x11));
    kit::setFrame(_clock, QRect(margin, top, width / 2, 22));
    _cycles = makeLabel(view, QStringLiteral("coachCycles"), kit::systemFont(15),
                        QColor(0x33, 0x33, 0x33));
    _cycles->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    kit::setFrame(_cycles, QRect(margin + width / 2, top, width / 2, 22));
    top += 24;

    _instruction = makeLabel(view, QStringLiteral("coachInstruction"), kit::systemFont(13),
                             QColor(0x22, 0x22, 0x22));
    _instruction->setText(_instructionText);
    _instruction->setAccessibleName(_instructionText);
    _instruction->setNumberOfLines(4);
    _instruction->setLineBreakMode(kit::LineBreakMode::WordWrap);
    _instruction->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    kit::setFrame(_instruction, QRect(margin, top, width, 10));
    const int textHeight = std::min(74, int(std::ceil(kit::fittingHeight(*_instruction))));
    kit::setFrame(_instruction, QRect(margin, top, width, textHeight));
    top += textHeight + 2;

    // The count gives up what a fourth line of the instruction needs.
    const int pulseSide = 184 - std::max(0, textHeight - 56);
    _pulse = new PulseView(view);
    kit::setFrame(_pulse, QRect((kit::Window::width - pulseSide) / 2, top, pulseSide, pulseSide));
    _pulse->addTarget(
        this, [this] { breathsGiven(); }, kit::ControlEvent::TouchDown);
    top += pulseSide + 2;

    _swapBanner = makeLabel(view, QStringLiteral("swapBanner"), kit::boldSystemFont(15),
                            QColor(0x11, 0x11, 0x11));
    _swapBanner->setBackgroundColor(QColor(0xff, 0xd8, 0x4d));
    _swapBanner->setAlignment(Qt::AlignCenter);
    _swapBanner->setText(QStringLiteral("Смените помощника, если есть кому"));
    _swapBanner->setAccessibleName(_swapBanner->text());
    kit::setFrame(_swapBanner, QRect(margin, top, width, 28));
    _swapBanner->hide();
    top += 32;

    const struct {
        Mode mode;
        const char* title;
        const char* spoken;
    } modes[] = {
        {Mode::Standard, "30 : 2", "Тридцать нажатий, два вдоха"},
        {Mode::CompressionsOnly, "Без вдохов", "Только нажатия, без вдохов"},
        {Mode::Child, "Ребёнок\n15 : 2", "Ребёнок: пятнадцать нажатий, два вдоха"},
    };
    const int modeWidth = (width - 2 * 6) / 3;
    for (int i = 0; i < 3; ++i) {
        auto* button = new ModeButton(QString::fromUtf8(modes[i].title),
                                      QString::fromUtf8(modes[i].spoken), view);
        button->setObjectName(QStringLiteral("mode%1").arg(i + 1));
        kit::setFrame(button, QRect(margin + i * (modeWidth + 6), top, modeWidth, 40));
        const Mode mode = modes[i].mode;
        button->addTarget(
            this, [this, mode] { setMode(mode); }, kit::ControlEvent::TouchUpInside);
        _modes.push_back(button);
    }
    top += 46;

    _pause = new kit::TitledButton(QStringLiteral("Пауза"), viewer::looks::quiet(), view);
    _pause->setObjectName(QStringLiteral("pauseCoach"));
    _pause->setFont(kit::boldSystemFont(16));
    kit::setFrame(_pause, QRect(margin, top, 96, 44));
    _pause->addTarget(
        this, [this] { togglePause(); }, kit::ControlEvent::TouchUpInside);
    _aed = new kit::TitledButton(QStringLiteral("Принесли АНД"), viewer::looks::answer(), view);
    _aed->setObjectName(QStringLiteral("aedButton"));
    _aed->setFont(kit::boldSystemFont(17));
    _aed->setAccessibleName(QStringLiteral("Принесли АНД: шаги дефибриллятора"));
    kit::setFrame(_aed, QRect(margin + 102, top, width - 102, 44));
    _aed->addTarget(
        this, [this] { openAed(); }, kit::ControlEvent::TouchUpInside);
    _aed->setVisible(!_aedSteps.empty());
    top += 50;

    _voiceSwitch = new VoiceSwitch(view);
    kit::setFrame(_voiceSwitch, QRect(margin, top, _voiceSwitch->sizeHint().width(), 30));
    _notice = makeVoiceNotice(view);
    kit::setFrame(_notice, QRect(margin + _voiceSwitch->width() + 8, top - 2,
                                 width - _voiceSwitch->width() - 8, 34));

    // The defibrillator's steps, over everything below the bar while they are followed.
    _aedPanel = new QWidget(view);
    _aedPanel->setObjectName(QStringLiteral("aedPanel"));
    _aedPanel->setAutoFillBackground(true);
    QPalette colours = _aedPanel->palette();
    colours.setColor(QPalette::Window, Qt::white);
    _aedPanel->setPalette(colours);
    kit::setFrame(_aedPanel, QRect(0, kit::NavigationBar::barHeight, kit::Window::width,
                                   kit::Window::height - kit::NavigationBar::barHeight));
    _aedCounter = makeLabel(_aedPanel, QStringLiteral("aedCounter"), kit::boldSystemFont(14),
                            QColor(0x8a, 0x08, 0x08));
    kit::setFrame(_aedCounter, QRect(12, 8, kit::Window::width - 24, 20));
    _aedText = makeLabel(_aedPanel, QStringLiteral("aedText"), kit::boldSystemFont(19),
                         QColor(0x11, 0x11, 0x11));
    _aedText->setNumberOfLines(0);
    _aedText->setLineBreakMode(kit::LineBreakMode::WordWrap);
    _aedText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    _aedDrawing = new kit::ImageView(QImage(), _aedPanel);
    _aedDrawing->setObjectName(QStringLiteral("aedDrawing"));
    _aedNext = new kit::TitledButton(QStringLiteral("Дальше"), viewer::looks::answer(), _aedPanel);
    _aedNext->setObjectName(QStringLiteral("aedNext"));
    _aedNext->setFont(kit::boldSystemFont(20));
    _aedNext->addTarget(
        this, [this] { nextAed(); }, kit::ControlEvent::TouchUpInside);
    _aedPanel->hide();

    QWidget::setTabOrder(_modes[0], _modes[1]);
    QWidget::setTabOrder(_modes[1], _modes[2]);
    QWidget::setTabOrder(_modes[2], _pause);
    QWidget::setTabOrder(_pause, _aed);
    QWidget::setTabOrder(_aed, _voiceSwitch);
    setView(view);
}

void CoachScreen::viewDidLoad()
{
    // The screen stays on while the coach is up; as it was after.
    if (kit::Application* application = kit::Application::sharedApplication()) {
        _idleWasDisabled = application->isIdleTimerDisabled();
        application->setIdleTimerDisabled(true);
    }
    connect(&_coach, &guide::CprCoach::beat, this, &CoachScreen::onBeat);
    connect(&_coach, &guide::CprCoach::breathsDue, this, &CoachScreen::onBreathsDue);
    connect(&_coach, &guide::CprCoach::cycleBegun, this, &CoachScreen::onCycleBegun);
    connect(&_coach, &guide::CprCoach::swapDue, this, &CoachScreen::onSwapDue);
    connect(&_coach, &guide::CprCoach::phaseChanged, this, &CoachScreen::onPhaseChanged);
    refreshBar();
    kit::Tick::prepare();
    _coach.setMode(_startChild ? Mode::Child : Mode::Standard);
    refreshModes();
    kit::log(QStringLiteral("CPR coach started"));
    // Counting starts now: seconds matter more than settings.
    _coach.start();
    _clockTimer = kit::Timer::scheduledTimer(0.25, true, this, [this] { refreshClock(); });
    refreshClock();
}

void CoachScreen::viewDidAppear(bool animated)
{
    kit::ViewController::viewDidAppear(animated);
    _pulse->setFocus(Qt::OtherFocusReason);
}

QString CoachScreen::cyclePrompt() const
{
    switch (_coach.mode()) {
    case Mode::Standard:
        return QStringLiteral("Тридцать нажатий");
    case Mode::Child:
        return QStringLiteral("Пятнадцать нажатий");
    case Mode::CompressionsOnly:
        break;
    }
    return QStringLiteral("Нажимайте без остановки");
}

void CoachScreen::onBeat(int count)
{
    // The click first: nothing the beat also does may delay it.
    kit::Tick::play();
    _pulse->beat(count);
}

void CoachScreen::onBreathsDue()
{
    Voice::say(QStringLiteral("Два вдоха"));
    _pulse->showBreaths(0);
}

void CoachScreen::onCycleBegun(int cycle)
{
    refreshClock();
    // Compressions only: said once, not every thirty.
    if (_coach.mode() == Mode::CompressionsOnly && cycle > 1)
        return;
    if (cycle == 1)
        Voice::say(cyclePrompt());
    else
        Voice::enqueue(cyclePrompt());
}

void CoachScreen::onSwapDue()
{
    Voice::enqueue(QStringLiteral("Смена"));
    _swapBanner->show();
    if (_swapTimer)
        _swapTimer->invalidate();
    _swapTimer = kit::Timer::scheduledTimer(swapShown, false, this, [this] {
        _swapTimer = nullptr;
        _swapBanner->hide();
    });
}

void CoachScreen::onPhaseChanged(Phase phase)
{
    _pause->setTitle(phase == Phase::Paused ? QStringLiteral("Дальше") : QStringLiteral("Пауза"));
    _pause->setAccessibleName(phase == Phase::Paused ? QStringLiteral("Продолжить нажатия")
                                                     : QStringLiteral("Пауза"));
    if (phase == Phase::Paused)
        _pulse->showPaused();
    refreshClock();
}

void CoachScreen::refreshClock()
{
    const QString time = clockText(_coach.elapsed());
    if (_clock->text() != time) {
        _clock->setText(QStringLiteral("Время %1").arg(time));
        _clock->setAccessibleName(QStringLiteral("Прошло %1").arg(time));
    }
    _cycles->setText(QStringLiteral("Циклов: %1").arg(_coach.cycles()));
    if (_coach.phase() == Phase::Breaths) {
        const double pause = guide::CprCoach::breathPause;
        _pulse->showBreaths((pause - _coach.breathTimeLeft()) / pause);
    }
}

void CoachScreen::refreshModes()
{
    const Mode modes[] = {Mode::Standard, Mode::CompressionsOnly, Mode::Child};
    for (size_t i = 0; i < _modes.size(); ++i)
        _modes[i]->setChosen(modes[i] == _coach.mode());
}

ModeButton* CoachScreen::modeButton(Mode mode) const
{
    switch (mode) {
    case Mode::Standard:
        return _modes[0];
    case Mode::CompressionsOnly:
        return _modes[1];
    case Mode::Child:
        return _modes[2];
    }
    return nullptr;
}

void CoachScreen::setMode(Mode mode)
{
    if (mode == _coach.mode())
        return;
    _coach.setMode(mode);
    refreshModes();
    kit::log(QStringLiteral("CPR coach mode: %1").arg(int(mode)));
    Voice::say(mode == Mode::Standard ? QStringLiteral("Тридцать нажатий, два вдоха")
               : mode == Mode::Child ? QStringLiteral("Ребёнок: пятнадцать нажатий, два вдоха")
                                     : cyclePrompt());
}

void CoachScreen::togglePause()
{
    if (_coach.phase() == Phase::Paused) {
        _pausedForHandsOff = false;
        _coach.resume();
        Voice::say(QStringLiteral("Продолжайте"));
    } else {
        _coach.pause();
    }
}

void CoachScreen::breathsGiven()
{
    _coach.breathsGiven();
}

void CoachScreen::askToStop()
{
    if (_stopQuestion || _closing)
        return;
    auto* alert = new kit::AlertView(
        QStringLiteral("Остановить?"), QStringLiteral("Нажатия и отсчёт прекратятся."),
        {QStringLiteral("Остановить"), QStringLiteral("Продолжить")}, 1);
    alert->setObjectName(QStringLiteral("stopQuestion"));
    alert->setAnswer([self = QPointer<CoachScreen>(this)](int button) {
        if (self)
            self->_stopQuestion = nullptr;
        if (self && button == 0)
            self->stopAndClose();
        else if (self && self->isViewLoaded())
            self->_pulse->setFocus(Qt::OtherFocusReason);
    });
    _stopQuestion = alert;
    alert->show();
}

void CoachScreen::stopAndClose()
{
    _coach.stop();
    kit::log(QStringLiteral("CPR coach stopped after %1").arg(clockText(_coach.elapsed())));
    close();
}

void CoachScreen::close()
{
    if (_closing)
        return;
    _closing = true;
    kit::Speech::stop();
    kit::Tick::release();
    if (kit::ViewController* presenter = parentViewController())
        presenter->dismissModalViewControllerAnimated(true);
}

void CoachScreen::refreshBar()
{
    if (_aedIndex >= 0) {
        navigationItem().setTitle(QStringLiteral("АНД"));
        navigationItem().setRightBarButtonItem(_stopItem);
        _bar->setItems(&navigationItem(), QStringLiteral("Назад"));
        return;
    }
    navigationItem().setTitle(QStringLiteral("Помощник СЛР"));
    navigationItem().setRightBarButtonItem(_stopItem);
    _bar->setItems(&navigationItem(), _withBack ? QStringLiteral("Назад") : QString());
}

void CoachScreen::openAed()
{
    if (_aedSteps.empty() || _aedIndex >= 0)
        return;
    _aedIndex = 0;
    kit::log(QStringLiteral("AED steps opened"));
    _aedPanel->show();
    _aedPanel->raise();
    showAedStep();
    refreshBar();
}

void CoachScreen::showAedStep()
{
    const guide::Step& step = _aedSteps[size_t(_aedIndex)];
    const int width = kit::Window::width - 24;
    const bool last = _aedIndex + 1 == int(_aedSteps.size());
    _aedCounter->setText(
        QStringLiteral("Дефибриллятор: шаг %1 из %2").arg(_aedIndex + 1).arg(_aedSteps.size()));
    _aedText->setText(step.text);
    _aedText->setAccessibleName(step.text);
    kit::setFrame(_aedText, QRect(12, 32, width, 10));
    const int textHeight = int(std::ceil(kit::fittingHeight(*_aedText)));
    kit::setFrame(_aedText, QRect(12, 32, width, textHeight));
    const int buttonTop = _aedPanel->height() - 12 - 56;
    _aedNext->setTitle(last ? QStringLiteral("Продолжить нажатия") : QStringLiteral("Дальше"));
    _aedNext->setAccessibleName(_aedNext->title());
    kit::setFrame(_aedNext, QRect(12, buttonTop, width, 56));
    const int top = 32 + textHeight + 8;
    const int room = buttonTop - 8 - top;
    QImage picture;
    if (!step.drawingPage.isEmpty() && room > 60)
        picture = pageDrawing(step.drawingPage, step.drawingIndex, QSize(width, room),
                              _aedPanel->devicePixelRatioF());
    _aedDrawing->setImage(picture);
    _aedDrawing->setVisible(!picture.isNull());
    if (!picture.isNull()) {
        const QSize size = picture.deviceIndependentSize().toSize();
        kit::setFrame(_aedDrawing,
                      QRect(12 + (width - size.width()) / 2, top + (room - size.height()) / 2,
                            size.width(), size.height()));
        _aedDrawing->setAccessibleName(QStringLiteral("Рисунок: куда клеить электроды"));
    }
    Voice::say(step.text);
    // No one touches the person while the defibrillator analyses: the count waits.
    if (step.handsOff && _coach.phase() != Phase::Paused && _coach.phase() != Phase::Stopped) {
        _coach.pause();
        _pausedForHandsOff = true;
    } else if (!step.handsOff) {
        leaveHandsOff();
    }
    _aedNext->setFocus(Qt::OtherFocusReason);
}

void CoachScreen::leaveHandsOff()
{
    if (!_pausedForHandsOff)
        return;
    _pausedForHandsOff = false;
    _coach.resume();
    Voice::enqueue(QStringLiteral("Продолжайте"));
}

void CoachScreen::nextAed()
{
    if (_aedIndex < 0)
        return;
    if (_aedIndex + 1 < int(_aedSteps.size())) {
        ++_aedIndex;
        showAedStep();
        return;
    }
    // The last step: back to the compressions at once.
    _aedIndex = -1;
    _aedPanel->hide();
    refreshBar();
    if (_pausedForHandsOff || _coach.phase() == Phase::Paused) {
        _pausedForHandsOff = false;
        _coach.resume();
    }
    Voice::say(QStringLiteral("Продолжайте"));
    _pulse->setFocus(Qt::OtherFocusReason);
}

void CoachScreen::backAed()
{
    if (_aedIndex < 0)
        return;
    if (_aedIndex > 0) {
        --_aedIndex;
        showAedStep();
        return;
    }
    _aedIndex = -1;
    _aedPanel->hide();
    leaveHandsOff();
    refreshBar();
    _pulse->setFocus(Qt::OtherFocusReason);
}

bool CoachScreen::keyPressed(int key)
{
    if (key == Qt::Key_Escape || key == Qt::Key_Backspace) {
        if (_aedIndex >= 0)
            backAed();
        else
            askToStop();
        return true;
    }
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (_aedIndex >= 0)
            nextAed();
        else
            breathsGiven();
        return true;
    }
    if (_aedIndex >= 0)
        return false;
    if (key >= Qt::Key_1 && key <= Qt::Key_3) {
        const Mode modes[] = {Mode::Standard, Mode::CompressionsOnly, Mode::Child};
        setMode(modes[key - Qt::Key_1]);
        return true;
    }
    if (key == Qt::Key_P) {
        togglePause();
        return true;
    }
    return false;
}

} // namespace steps
