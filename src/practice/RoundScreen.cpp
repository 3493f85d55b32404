// SPDX-License-Identifier: GPL-3.0-or-later
#include "RoundScreen.h"

#include "AnswerCard.h"
#include "kit/controllers/BarButtonItem.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Log.h"
#include "kit/foundation/Plural.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/views/Font.h"
#include "kit/views/Label.h"
#include "kit/views/ScrollView.h"
#include "kit/views/TitledButton.h"
#include "kit/views/View.h"
#include "viewer/ButtonLooks.h"
#include "viewer/KeyedView.h"
#include "viewer/WebController.h"

#include <QLocale>

#include <cmath>

namespace practice {
namespace {

constexpr int margin = 12;
constexpr int bottomRow = 64;
constexpr int cardGap = 8;

kit::Label* makeLabel(QWidget* parent, const QString& name, const QFont& font, QColor colour)
{
    auto* label = new kit::Label(parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setTextColor(colour);
    label->setNumberOfLines(0);
    label->setLineBreakMode(kit::LineBreakMode::WordWrap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QString hintOf(const quiz::Question& question)
{
    switch (question.kind) {
    case quiz::Question::Kind::One:
        return QStringLiteral("Выберите один ответ (или нажмите его цифру).");
    case quiz::Question::Kind::Truth:
        return QStringLiteral("Верно или неверно? 1 — верно, 2 — неверно.");
    case quiz::Question::Kind::Order:
        return QStringLiteral("Нажимайте шаги по порядку, с первого. Нажатый снова шаг "
                              "снимается вместе со следующими.");
    }
    return {};
}

QString modeTitle(quiz::Mode mode)
{
    switch (mode) {
    case quiz::Mode::Exam:
        return QStringLiteral("Экзамен");
    case quiz::Mode::Review:
        return QStringLiteral("Повторение");
    case quiz::Mode::Topic:
        break;
    }
    return QStringLiteral("По теме");
}

} // namespace

RoundScreen::RoundScreen(std::shared_ptr<const quiz::QuizBank> bank, quiz::Mode mode,
                         std::vector<const quiz::Question*> questions, quint32 seed)
    : _bank(std::move(bank)), _mode(mode), _questions(std::move(questions)), _random(seed),
      _progress(quiz::Progress::read(kit::UserDefaults::standardUserDefaults()))
{
}

RoundScreen::~RoundScreen() = default;

void RoundScreen::loadView()
{
    auto* view = new viewer::KeyedView(QStringLiteral("roundView"),
                                       [this](int key) { return keyPressed(key); });
    view->resize(kit::Window::width, kit::Window::height);

    _bar = new kit::NavigationBar(view);
    kit::setFrame(_bar, QRect(0, 0, kit::Window::width, kit::NavigationBar::barHeight));
    connect(_bar, &kit::NavigationBar::backTapped, this, [this] { closePage(); });
    _closeItem = new kit::BarButtonItem(
        QStringLiteral("Закрыть"), kit::BarButtonItem::Style::Bordered, [this] { close(); }, this);
    _closeItem->setObjectName(QStringLiteral("closeRound"));

    const int top = kit::NavigationBar::barHeight;
    _scroll = new kit::ScrollView(view);
    _scroll->setObjectName(QStringLiteral("roundBody"));
    kit::setFrame(_scroll,
                  QRect(0, top, kit::Window::width, kit::Window::height - top - bottomRow));

    _next = new kit::TitledButton(QStringLiteral("Дальше"), viewer::looks::answer(), view);
    _next->setObjectName(QStringLiteral("nextQuestion"));
    _next->setFont(kit::boldSystemFont(18));
    kit::setFrame(_next, QRect(margin, kit::Window::height - bottomRow + 8,
                               kit::Window::width - 2 * margin, bottomRow - 16));
    _next->addTarget(
        this,
        [this] {
            if (!_answered && !_finished && question().kind == quiz::Question::Kind::Order)
                check();
            else
                next();
        },
        kit::ControlEvent::TouchUpInside);

    setView(view);
}

void RoundScreen::viewDidLoad()
{
    if (_questions.empty())
        showResult();
    else
        showQuestion();
}

void RoundScreen::viewDidAppear(bool animated)
{
    kit::ViewController::viewDidAppear(animated);
    if (!_page)
        focusWhereTheKeysGo();
}

void RoundScreen::focusWhereTheKeysGo()
{
    // Before an answer the first card (read out first; digits and Space answer), after it the
    // button that goes on (Enter).
    if (_next->isVisible())
        _next->setFocus(Qt::OtherFocusReason);
    else if (!_cards.empty())
        _cards.front()->setFocus(Qt::OtherFocusReason);
}

void RoundScreen::clearContent()
{
    for (QWidget* child :
         _scroll->contentView()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        delete child;
    _cards.clear();
    _rereadButtons.clear();
    _topic = _question = _hint = _verdict = _explanation = _score = _summary = nullptr;
    _passageButton = nullptr;
}

void RoundScreen::showQuestion()
{
    clearContent();
    _answered = false;
    _order.clear();
    const quiz::Question& now = question();
    kit::log(QStringLiteral("Practice question: %1").arg(now.id));
    QWidget* content = _scroll->contentView();

    const quiz::Topic* topic = _bank->topic(now.topic);
    _topic = makeLabel(content, QStringLiteral("questionTopic"), kit::boldSystemFont(13),
                       QColor(0x6a, 0x6a, 0x6a));
    _topic->setText(topic ? topic->title.toUpper() : QString());
    _question = makeLabel(content, QStringLiteral("questionText"), kit::boldSystemFont(18),
                          QColor(0x11, 0x11, 0x11));
    _question->setText(now.text);
    _question->setAccessibleName(now.text);
    _hint = makeLabel(content, QStringLiteral("questionHint"), kit::systemFont(13),
                      QColor(0x6a, 0x6a, 0x6a));
    _hint->setText(hintOf(now));

    _shown = quiz::shownOrder(now, _random);
    QWidget* previous = nullptr;
    for (size_t i = 0; i < _shown.size(); ++i) {
        const int meaning = _shown[i];
        QString text;
        if (now.kind == quiz::Question::Kind::One)
            text = now.answers[meaning];
        else if (now.kind == quiz::Question::Kind::Order)
            text = now.steps[meaning];
        else
            text = meaning == 0 ? QStringLiteral("Верно") : QStringLiteral("Неверно");
        auto* card = new AnswerCard(int(i) + 1, text, content);
        card->setObjectName(QStringLiteral("answer%1").arg(i + 1));
        card->addTarget(
            this, [this, i] { choose(int(i)); }, kit::ControlEvent::TouchUpInside);
        if (previous)
            QWidget::setTabOrder(previous, card);
        previous = card;
        _cards.push_back(card);
    }
    _verdict = makeLabel(content, QStringLiteral("verdict"), kit::boldSystemFont(18), Qt::black);
    _explanation = makeLabel(content, QStringLiteral("explanation"), kit::systemFont(15),
                             QColor(0x22, 0x22, 0x22));
    _passageButton = new kit::TitledButton(QStringLiteral("Где это в статье  ›"),
                                           viewer::looks::quiet(), content);
    _passageButton->setObjectName(QStringLiteral("openPassage"));
    _passageButton->setFont(kit::boldSystemFont(15));
    _passageButton->setAccessibleName(QStringLiteral("Открыть статью на этом месте"));
    _passageButton->addTarget(
        this, [this] { openPassage(); }, kit::ControlEvent::TouchUpInside);
    if (previous)
        QWidget::setTabOrder(previous, _passageButton);
    QWidget::setTabOrder(_passageButton, _next);
    for (QWidget* widget : {static_cast<QWidget*>(_verdict), static_cast<QWidget*>(_explanation),
                            static_cast<QWidget*>(_passageButton)})
        widget->hide();

    _next->setTitle(_index + 1 == questionCount() ? QStringLiteral("Итог")
                                                  : QStringLiteral("Дальше"));
    _next->setAccessibleName(_next->title());
    setNextVisible(false);
    _scroll->setContentOffset(QPoint(0, 0));
    refreshBar();
    layout();
    for (QWidget* child : content->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child != _verdict && child != _explanation && child != _passageButton)
            child->show();
    if (isViewLoaded() && view()->isVisible() && !_page)
        focusWhereTheKeysGo();
}

void RoundScreen::layout()
{
    const int width = kit::Window::width - 2 * margin;
    int y = 10;
    auto put = [&](QWidget* widget, int height, int gapAfter) {
        kit::setFrame(widget, QRect(margin, y, width, height));
        y += height + gapAfter;
    };
    auto labelHeight = [&](kit::Label* label) {
        kit::setFrame(label, QRect(margin, y, width, 10));
        return int(std::ceil(kit::fittingHeight(*label)));
    };
    if (_finished) {
        put(_score, labelHeight(_score), 6);
        put(_summary, labelHeight(_summary), 12);
        for (kit::TitledButton* button : _rereadButtons)
            put(button, 40, 8);
    } else {
        put(_topic, labelHeight(_topic), 4);
        put(_question, labelHeight(_question), 4);
        put(_hint, labelHeight(_hint), 10);
        for (AnswerCard* card : _cards)
            put(card, card->heightForWidth(width), cardGap);
        if (_answered) {
            y += 4;
            put(_verdict, labelHeight(_verdict), 4);
            put(_explanation, labelHeight(_explanation), 10);
            put(_passageButton, 38, 10);
        }
    }
    _scroll->setContentSize(QSize(kit::Window::width, y + 6));
}

void RoundScreen::setNextVisible(bool visible)
{
    // Without the button below, the question has the whole height.
    _next->setVisible(visible);
    const int top = kit::NavigationBar::barHeight;
    kit::setFrame(_scroll, QRect(0, top, kit::Window::width,
                                 kit::Window::height - top - (visible ? bottomRow : 0)));
}

void RoundScreen::refreshBar()
{
    if (_page) {
        navigationItem().setTitle(QStringLiteral("Статья"));
        navigationItem().setRightBarButtonItem(nullptr);
        _bar->setItems(&navigationItem(), QStringLiteral("Назад"));
        return;
    }
    navigationItem().setTitle(_finished ? QStringLiteral("Итог")
                                        : QStringLiteral("%1: %2 из %3")
                                              .arg(modeTitle(_mode))
                                              .arg(_index + 1)
                                              .arg(questionCount()));
    navigationItem().setRightBarButtonItem(_closeItem);
    _bar->setItems(&navigationItem(), QString());
}

void RoundScreen::choose(int shown)
{
    if (_answered || _finished || shown < 0 || shown >= cardCount())
        return;
    const quiz::Question& now = question();
    if (now.kind == quiz::Question::Kind::Order) {
        place(shown);
        return;
    }
    answer({_shown[size_t(shown)], {}});
}

void RoundScreen::place(int shown)
{
    AnswerCard* tapped = _cards[size_t(shown)];
    const int step = _shown[size_t(shown)];
    const auto at = std::find(_order.begin(), _order.end(), step);
    if (at != _order.end()) {
        // Taken back, with every step placed after it.
        _order.erase(at, _order.end());
    } else {
        _order.push_back(step);
    }
    for (size_t i = 0; i < _cards.size(); ++i) {
        const auto placed = std::find(_order.begin(), _order.end(), _shown[i]);
        if (placed == _order.end())
            _cards[i]->setState(AnswerCard::State::Plain);
        else
            _cards[i]->setState(AnswerCard::State::Placed, int(placed - _order.begin()) + 1);
    }
    const bool complete = _order.size() == _cards.size();
    _next->setTitle(QStringLiteral("Проверить"));
    _next->setAccessibleName(QStringLiteral("Проверить порядок"));
    setNextVisible(complete);
    if (complete) {
        _next->setFocus(Qt::OtherFocusReason);
        keepInView(_cards.back());
        return;
    }
    // The steps still to place come into view.
    for (AnswerCard* card : _cards)
        if (card->state() == AnswerCard::State::Plain) {
            if (!tapped->hasFocus())
                keepInView(card);
            break;
        }
}

void RoundScreen::check()
{
    if (_answered || _finished || question().kind != quiz::Question::Kind::Order ||
        _order.size() != _cards.size())
        return;
    answer({-1, _order});
}

void RoundScreen::answer(const quiz::Answer& given)
{
    const quiz::Question& now = question();
    const bool right = quiz::isRight(now, given);
    _answered = true;
    if (right)
        ++_rightCount;
    else
        _missed.push_back(&now);
    kit::log(QStringLiteral("Practice answer: %1 %2")
                 .arg(now.id, right ? QStringLiteral("right") : QStringLiteral("wrong")));
    _progress.answer(now.id, right, kit::RunLoop::main().currentDateTime());
    _progress.save(kit::UserDefaults::standardUserDefaults());

    if (now.kind == quiz::Question::Kind::Order) {
        // The cards go into the right order; each says whether it was given its place.
        std::vector<AnswerCard*> inOrder(_cards.size());
        for (size_t i = 0; i < _cards.size(); ++i) {
            const int step = _shown[i];
            const int placed =
                int(std::find(given.order.begin(), given.order.end(), step) - given.order.begin());
            AnswerCard* card = _cards[i];
            card->setState(placed == step ? AnswerCard::State::Right : AnswerCard::State::Wrong,
                           step + 1);
            if (placed != step)
                card->setNote(QStringLiteral("у вас — %1-й").arg(placed + 1));
            inOrder[size_t(step)] = card;
        }
        for (size_t i = 0; i < inOrder.size(); ++i)
            _shown[i] = int(i);
        _cards = inOrder;
        QWidget* previous = nullptr;
        for (AnswerCard* card : _cards) {
            if (previous)
                QWidget::setTabOrder(previous, card);
            previous = card;
        }
        if (previous)
            QWidget::setTabOrder(previous, _passageButton);
    } else {
        for (size_t i = 0; i < _cards.size(); ++i) {
            const bool isTheRight = now.kind == quiz::Question::Kind::One
                                        ? _shown[i] == now.right
                                        : (_shown[i] == 0) == now.truth;
            const bool chosen = _shown[i] == given.choice;
            _cards[i]->setState(isTheRight ? AnswerCard::State::Right
                                : chosen   ? AnswerCard::State::Wrong
                                           : AnswerCard::State::Faded);
            if (chosen)
                _cards[i]->setNote(QStringLiteral("ваш ответ"));
        }
    }
    _verdict->setText(right ? QStringLiteral("Верно!") : QStringLiteral("Неверно"));
    _verdict->setTextColor(right ? QColor(0x2e, 0x7d, 0x32) : QColor(0xb0, 0x10, 0x10));
    if (now.kind == quiz::Question::Kind::Order && !right)
        _verdict->setText(QStringLiteral("Неверно: правильный порядок — выше"));
    _verdict->setAccessibleName(_verdict->text());
    _explanation->setText(now.explanation);
    _explanation->setAccessibleName(now.explanation);
    for (QWidget* widget : {static_cast<QWidget*>(_verdict), static_cast<QWidget*>(_explanation),
                            static_cast<QWidget*>(_passageButton)})
        widget->show();
    _next->setTitle(_index + 1 == questionCount() ? QStringLiteral("Итог")
                                                  : QStringLiteral("Дальше"));
    _next->setAccessibleName(_index + 1 == questionCount() ? QStringLiteral("Итог")
                                                           : QStringLiteral("Следующий вопрос"));
    setNextVisible(true);
    layout();
    showOutcome();
    _next->setFocus(Qt::OtherFocusReason);
}

void RoundScreen::next()
{
    if (_finished) {
        close();
        return;
    }
    if (!_answered)
        return;
    if (_index + 1 >= questionCount()) {
        showResult();
        return;
    }
    ++_index;
    showQuestion();
}

void RoundScreen::showResult()
{
    clearContent();
    _finished = true;
    _reread = quiz::topicsToReread(*_bank, _missed);
    QWidget* content = _scroll->contentView();
    _score = makeLabel(content, QStringLiteral("score"), kit::boldSystemFont(26),
                       QColor(0x11, 0x11, 0x11));
    const int total = questionCount();
    _score->setText(QStringLiteral("Верно %1 из %2").arg(_rightCount).arg(total));
    _score->setAccessibleName(_score->text());
    _summary = makeLabel(content, QStringLiteral("summary"), kit::systemFont(15),
                         QColor(0x22, 0x22, 0x22));
    QString summary;
    if (total == 0)
        summary = QStringLiteral("На сегодня повторять нечего.");
    else if (_missed.empty())
        summary = QStringLiteral("Всё верно. Ошибок нет — так держать.");
    else {
        summary =
            QStringLiteral("%1 %2 к повторению: %3 завтра.")
                .arg(_missed.size())
                .arg(kit::russianPlural(qsizetype(_missed.size()), QStringLiteral("вопрос"),
                                        QStringLiteral("вопроса"), QStringLiteral("вопросов")))
                .arg(_missed.size() == 1 ? QStringLiteral("он вернётся")
                                         : QStringLiteral("они вернутся"));
        summary += QStringLiteral(" Перечитайте:");
    }
    _summary->setText(summary);
    _summary->setAccessibleName(summary);
    QWidget* previous = nullptr;
    for (const quiz::Topic* topic : _reread) {
        auto* button = new kit::TitledButton(topic->title + QStringLiteral("  ›"),
                                             viewer::looks::secondAnswer(), content);
        button->setObjectName(QStringLiteral("reread_%1").arg(topic->id));
        button->setFont(kit::boldSystemFont(15));
        button->setAccessibleName(QStringLiteral("Перечитать: %1").arg(topic->title));
        const QString page = topic->page;
        button->addTarget(
            this, [this, page] { openArticle(page); }, kit::ControlEvent::TouchUpInside);
        if (previous)
            QWidget::setTabOrder(previous, button);
        previous = button;
        _rereadButtons.push_back(button);
    }
    if (previous)
        QWidget::setTabOrder(previous, _next);
    kit::log(QStringLiteral("Practice result: %1 of %2").arg(_rightCount).arg(total));
    _next->setTitle(QStringLiteral("Готово"));
    _next->setAccessibleName(QStringLiteral("Готово"));
    setNextVisible(true);
    _scroll->setContentOffset(QPoint(0, 0));
    refreshBar();
    layout();
    for (QWidget* child : content->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        child->show();
    if (isViewLoaded() && view()->isVisible())
        _next->setFocus(Qt::OtherFocusReason);
}

void RoundScreen::close()
{
    if (kit::ViewController* presenter = parentViewController())
        presenter->dismissModalViewControllerAnimated(true);
}

void RoundScreen::openPassage()
{
    if (_finished || !_answered)
        return;
    openArticle(question().page, question().passage);
}

void RoundScreen::openArticle(const QString& page, const QString& passage)
{
    if (_page || page.isEmpty())
        return;
    _page = viewer::showPageOver(view(), page, passage);
    refreshBar();
}

void RoundScreen::closePage()
{
    if (!_page)
        return;
    _page.reset();
    refreshBar();
    focusWhereTheKeysGo();
}

void RoundScreen::showOutcome()
{
    // As much of the outcome as fits: the marked answers (the choice and the right one) with
    // the verdict, the explanation and the way to the article; else without the way; else the
    // verdict, the explanation and the way.
    QRect marked;
    for (AnswerCard* card : _cards)
        if (card->state() == AnswerCard::State::Right || card->state() == AnswerCard::State::Wrong)
            marked = marked.united(card->geometry());
    const QRect why = _verdict->geometry().united(_explanation->geometry());
    const QRect way = _passageButton->geometry();
    const int room = _scroll->height() - 12;
    for (const QRect& wanted :
         {marked.united(why).united(way), marked.united(why), why.united(way)})
        if (wanted.height() <= room) {
            _scroll->scrollRectToVisible(wanted.adjusted(0, -6, 0, 6));
            return;
        }
    _scroll->scrollRectToVisible(why.adjusted(0, -6, 0, 6));
}

void RoundScreen::keepInView(QWidget* widget)
{
    if (widget && widget->isVisible())
        _scroll->scrollRectToVisible(widget->geometry().adjusted(0, -6, 0, 6));
}

bool RoundScreen::keyPressed(int key)
{
    if (key == Qt::Key_Escape) {
        if (_page)
            closePage();
        else
            close();
        return true;
    }
    if (_page)
        return false;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (_next->isVisible())
            _next->sendActionsForControlEvents(kit::ControlEvent::TouchUpInside);
        return true;
    }
    if (key == Qt::Key_Backspace && !_answered && !_order.empty()) {
        // Takes back the last step placed.
        const auto last = std::find(_shown.begin(), _shown.end(), _order.back());
        place(int(last - _shown.begin()));
        return true;
    }
    if (key >= Qt::Key_1 && key <= Qt::Key_9) {
        choose(key - Qt::Key_1);
        return true;
    }
    return false;
}

} // namespace practice
