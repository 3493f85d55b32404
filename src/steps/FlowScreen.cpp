// SPDX-License-Identifier: GPL-3.0-or-later
#include "FlowScreen.h"

#include "CoachScreen.h"
#include "Drawing.h"
#include "Voice.h"
#include "kit/controllers/BarButtonItem.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Log.h"
#include "kit/foundation/Timer.h"
#include "kit/views/Font.h"
#include "kit/views/ImageView.h"
#include "kit/views/Label.h"
#include "kit/views/ProgressView.h"
#include "kit/views/TitledButton.h"
#include "kit/views/View.h"
#include "viewer/ButtonLooks.h"
#include "viewer/KeyedView.h"
#include "viewer/WebController.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace steps {

namespace {

constexpr int margin = 12;
constexpr int buttonHeight = 52;
constexpr int buttonGap = 8;
constexpr int bottomRow = 40;

QString minutes(int seconds)
{
    return seconds == 60 ? QStringLiteral("минута") : QStringLiteral("%1 с").arg(seconds);
}

} // namespace

FlowScreen::FlowScreen(guide::StepFlow flow) : _flow(std::move(flow))
{
    _path.push_back(_flow.start);
}

FlowScreen::~FlowScreen()
{
    stopTimers();
}

const guide::Step& FlowScreen::step() const
{
    // The flow was checked: every step it leads to exists.
    return *_flow.step(_path.back());
}

CoachScreen* FlowScreen::coach() const
{
    return qobject_cast<CoachScreen*>(modalViewController());
}

void FlowScreen::loadView()
{
    auto* view = new viewer::KeyedView(QStringLiteral("flowView"),
                                       [this](int key) { return keyPressed(key); });
    view->resize(kit::Window::width, kit::Window::height);

    _bar = new kit::NavigationBar(view);
    kit::setFrame(_bar, QRect(0, 0, kit::Window::width, kit::NavigationBar::barHeight));
    connect(_bar, &kit::NavigationBar::backTapped, this, [this] { goBack(); });
    navigationItem().setTitle(QStringLiteral("Пошагово"));
    _closeItem = new kit::BarButtonItem(
        QStringLiteral("Закрыть"), kit::BarButtonItem::Style::Bordered, [this] { close(); }, this);
    _closeItem->setObjectName(QStringLiteral("closeFlow"));
    navigationItem().setRightBarButtonItem(_closeItem);

    _body = new QWidget(view);
    _body->setObjectName(QStringLiteral("flowBody"));
    kit::setFrame(_body, QRect(0, kit::NavigationBar::barHeight, kit::Window::width,
                               kit::Window::height - kit::NavigationBar::barHeight));

    _notice = makeVoiceNotice(_body);
    _instruction = new kit::Label(_body);
    _instruction->setObjectName(QStringLiteral("instruction"));
    _instruction->setFont(kit::boldSystemFont(19));
    _instruction->setTextColor(QColor(0x11, 0x11, 0x11));
    _instruction->setNumberOfLines(0);
    _instruction->setLineBreakMode(kit::LineBreakMode::WordWrap);
    _instruction->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    _drawing = new kit::ImageView(QImage(), _body);
    _drawing->setObjectName(QStringLiteral("drawing"));

    _countdown = new kit::Label(_body);
    _countdown->setObjectName(QStringLiteral("countdown"));
    _countdown->setTextColor(QColor(0x8a, 0x08, 0x08));
    _countdown->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    _countdownBar = new kit::ProgressView(_body);
    _countdownBar->setObjectName(QStringLiteral("countdownProgress"));

    _reminder = new kit::Label(_body);
    _reminder->setObjectName(QStringLiteral("reminder"));
    _reminder->setFont(kit::boldSystemFont(16));
    _reminder->setTextColor(Qt::white);
    _reminder->setBackgroundColor(QColor(0xb0, 0x10, 0x10));
    _reminder->setAlignment(Qt::AlignCenter);

    _voiceSwitch = new VoiceSwitch(_body);
    connect(_voiceSwitch, &VoiceSwitch::switched, this, [this](bool on) {
        if (on)
            Voice::say(step().text);
    });
    _pageButton = new kit::TitledButton(QStringLiteral("Статья"), viewer::looks::quiet(), _body);
    _pageButton->setObjectName(QStringLiteral("openPage"));
    _pageButton->setFont(kit::systemFont(14));
    _pageButton->setAccessibleName(QStringLiteral("Открыть статью целиком"));
    _pageButton->addTarget(
        this, [this] { openPage(); }, kit::ControlEvent::TouchUpInside);

    setView(view);
}

void FlowScreen::viewDidLoad()
{
    show();
}

void FlowScreen::viewDidAppear(bool animated)
{
    kit::ViewController::viewDidAppear(animated);
    // Back from the coach, the step that led to it starts again (its ten seconds, its words).
    if (_coachOpen) {
        _coachOpen = false;
        show();
        return;
    }
    if (!_page)
        focusFirstAnswer();
}

void FlowScreen::focusFirstAnswer()
{
    if (!_buttons.empty())
        _buttons.front()->setFocus(Qt::OtherFocusReason);
}

void FlowScreen::viewWillDisappear(bool animated)
{
    kit::ViewController::viewWillDisappear(animated);
}

void FlowScreen::show()
{
    stopTimers();
    const guide::Step& now = step();
    kit::log(QStringLiteral("Step: %1").arg(now.id));
    _instruction->setText(now.text);
    _instruction->setAccessibleName(now.text);

    for (kit::TitledButton* button : _buttons)
        delete button;
    _buttons.clear();
    QStringList labels;
    for (const guide::Answer& answer : now.answers)
        labels << answer.label;
    if (now.end)
        labels = {QStringLiteral("Открыть статью"), QStringLiteral("Закрыть")};
    for (qsizetype i = 0; i < labels.size(); ++i) {
        auto* button = new kit::TitledButton(
            labels[i], i == 0 ? viewer::looks::answer() : viewer::looks::secondAnswer(), _body);
        button->setObjectName(QStringLiteral("answer%1").arg(i + 1));
        button->setFont(kit::boldSystemFont(20));
        button->setAccessibleName(labels[i]);
        button->addTarget(
            this, [this, i] { answer(int(i)); }, kit::ControlEvent::TouchUpInside);
        button->show();
        _buttons.push_back(button);
    }
    // Tab goes from the answers to the voice and the page.
    QWidget* previous = _buttons.empty() ? nullptr : _buttons.front();
    for (size_t i = 1; i < _buttons.size(); ++i) {
        QWidget::setTabOrder(previous, _buttons[i]);
        previous = _buttons[i];
    }
    if (previous) {
        QWidget::setTabOrder(previous, _voiceSwitch);
        QWidget::setTabOrder(_voiceSwitch, _pageButton);
    }
    _pageButton->setVisible(!now.end && !now.page.isEmpty());

    _secondsLeft = now.countdown;
    _countdown->setVisible(now.countdown > 0);
    _countdownBar->setVisible(now.countdown > 0);
    _countdown->setFont(kit::boldSystemFont(36));
    _countdown->setText(QStringLiteral("%1 с").arg(_secondsLeft));
    _countdown->setAccessibleName(QStringLiteral("Осталось секунд: %1").arg(_secondsLeft));
    _countdownBar->setProgress(0);
    _reminder->hide();

    refreshBar();
    layout();
    Voice::say(now.text);
    startTimers();
    if (isViewLoaded() && view()->isVisible() && !_page)
        focusFirstAnswer();
}

void FlowScreen::layout()
{
    const guide::Step& now = step();
    const int width = kit::Window::width - 2 * margin;
    int top = 8;
    if (_notice->isVisible()) {
        kit::setFrame(_notice, QRect(margin, top, width, 32));
        top += 34;
    }
    // A long instruction beside a drawing or a count steps down a size, so both fit.
    const bool crowded = now.text.size() > 110 && (now.countdown > 0 || !now.drawingPage.isEmpty());
    _instruction->setFont(kit::boldSystemFont(crowded ? 17 : 19));
    kit::setFrame(_instruction, QRect(margin, top, width, 10));
    const int textHeight = int(std::ceil(kit::fittingHeight(*_instruction)));
    kit::setFrame(_instruction, QRect(margin, top, width, textHeight));
    top += textHeight + 6;

    const int bottom = _body->height() - bottomRow - 4;
    const int buttons = int(_buttons.size());
    int y = bottom - buttons * buttonHeight - std::max(0, buttons - 1) * buttonGap;
    for (kit::TitledButton* button : _buttons) {
        kit::setFrame(button, QRect(margin, y, width, buttonHeight));
        y += buttonHeight + buttonGap;
    }
    const int answersTop = bottom - buttons * (buttonHeight + buttonGap);

    // What lies between the instruction and the answers: the reminder, the seconds, the drawing.
    int room = answersTop - top;
    if (_reminder->isVisible()) {
        kit::setFrame(_reminder, QRect(margin, top, width, 30));
        top += 36;
        room -= 36;
    }
    // The seconds of a step that counts: a large number and the bar of the time gone.
    if (now.countdown > 0) {
        kit::setFrame(_countdown, QRect(margin, top, 96, 44));
        kit::setFrame(_countdownBar, QRect(margin + 104, top + 18, width - 104, 9));
        top += 50;
        room -= 50;
    }
    const int drawingWidth = width;
    QImage picture;
    if (!now.drawingPage.isEmpty() && room >= 60)
        picture = pageDrawing(now.drawingPage, now.drawingIndex, QSize(drawingWidth, room - 4),
                              _body->devicePixelRatioF());
    _drawing->setImage(picture);
    _drawing->setVisible(!picture.isNull());
    if (!picture.isNull()) {
        const QSize size = picture.deviceIndependentSize().toSize();
        kit::setFrame(_drawing,
                      QRect(margin + (drawingWidth - size.width()) / 2,
                            top + (room - size.height()) / 2, size.width(), size.height()));
        // What a screen reader says of the drawing: the page's own description of it.
        _drawing->setAccessibleName(QStringLiteral("Рисунок"));
    }

    const int rowTop = _body->height() - bottomRow + 2;
    const QSize voice = _voiceSwitch->sizeHint();
    kit::setFrame(_voiceSwitch, QRect(margin, rowTop, voice.width(), 32));
    kit::setFrame(_pageButton, QRect(kit::Window::width - margin - 110, rowTop, 110, 32));
}

void FlowScreen::refreshBar()
{
    if (_page) {
        navigationItem().setTitle(QStringLiteral("Статья"));
        navigationItem().setRightBarButtonItem(nullptr);
        _bar->setItems(&navigationItem(), QStringLiteral("Назад"));
        return;
    }
    navigationItem().setTitle(QStringLiteral("Пошагово"));
    navigationItem().setRightBarButtonItem(_closeItem);
    _bar->setItems(&navigationItem(), _path.size() > 1 ? QStringLiteral("Назад") : QString());
}

void FlowScreen::answer(int index)
{
    const guide::Step& now = step();
    if (index < 0 || index >= int(_buttons.size()))
        return;
    if (now.end) {
        if (index == 0)
            openPage();
        else
            close();
        return;
    }
    const QString next = now.answers[size_t(index)].next;
    const guide::Step* target = _flow.step(next);
    if (!target)
        return;
    if (target->coach) {
        openCoach(*target);
        return;
    }
    // Answering a step that repeats with itself (still breathing) starts its minute again.
    if (next != _path.back())
        _path.push_back(next);
    show();
}

void FlowScreen::goBack()
{
    if (_page) {
        closePage();
        return;
    }
    if (_path.size() <= 1) {
        close();
        return;
    }
    _path.pop_back();
    show();
}

void FlowScreen::close()
{
    stopTimers();
    kit::Speech::stop();
    if (kit::ViewController* presenter = parentViewController())
        presenter->dismissModalViewControllerAnimated(true);
}

void FlowScreen::openPage()
{
    const guide::Step& now = step();
    if (now.page.isEmpty() || _page)
        return;
    kit::Speech::stop();
    _page = viewer::showPageOver(view(), now.page);
    refreshBar();
}

void FlowScreen::closePage()
{
    if (!_page)
        return;
    _page.reset();
    refreshBar();
    focusFirstAnswer();
}

void FlowScreen::openCoach(const guide::Step& step)
{
    stopTimers();
    _coachOpen = true;
    auto coach = std::make_unique<CoachScreen>(step.text, step.coachChild, _flow.aed, true);
    kit::setFrame(coach->view(), QRect(0, 0, kit::Window::width, kit::Window::height));
    presentModalViewController(std::move(coach), true);
}

bool FlowScreen::keyPressed(int key)
{
    if (key == Qt::Key_Escape || key == Qt::Key_Backspace) {
        goBack();
        return true;
    }
    if (_page)
        return false;
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        answer(0);
        return true;
    }
    if (key >= Qt::Key_1 && key <= Qt::Key_3) {
        answer(key - Qt::Key_1);
        return true;
    }
    return false;
}

void FlowScreen::startTimers()
{
    const guide::Step& now = step();
    if (now.countdown > 0)
        _countdownTimer = kit::Timer::scheduledTimer(1.0, true, this, [this] { countDown(); });
    if (now.repeat > 0)
        _reminderTimer =
            kit::Timer::scheduledTimer(double(now.repeat), true, this, [this] { remind(); });
}

void FlowScreen::stopTimers()
{
    for (QPointer<kit::Timer>* timer : {&_countdownTimer, &_reminderTimer}) {
        if (*timer)
            (*timer)->invalidate();
        *timer = nullptr;
    }
}

void FlowScreen::countDown()
{
    const int total = step().countdown;
    _secondsLeft = std::max(0, _secondsLeft - 1);
    _countdownBar->setProgress(float(total - _secondsLeft) / float(total));
    if (_secondsLeft > 0) {
        _countdown->setText(QStringLiteral("%1 с").arg(_secondsLeft));
        _countdown->setAccessibleName(QStringLiteral("Осталось секунд: %1").arg(_secondsLeft));
        return;
    }
    if (_countdownTimer)
        _countdownTimer->invalidate();
    _countdownTimer = nullptr;
    _countdown->setText(QStringLiteral("Время!"));
    _countdown->setFont(kit::boldSystemFont(28));
    _countdown->setAccessibleName(QStringLiteral("Время вышло"));
    Voice::say(QStringLiteral("Время вышло. Ответьте."));
}

void FlowScreen::remind()
{
    const guide::Step& now = step();
    _reminder->setText(QStringLiteral("Прошла %1 — проверьте снова").arg(minutes(now.repeat)));
    _reminder->setAccessibleName(_reminder->text());
    _reminder->show();
    layout();
    Voice::say(now.text);
}

} // namespace steps
