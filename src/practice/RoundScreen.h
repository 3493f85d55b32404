// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/controllers/ViewController.h"
#include "quiz/Practice.h"

#include <QPointer>
#include <QRandomGenerator>

#include <memory>
#include <vector>

namespace kit {
class BarButtonItem;
class Label;
class NavigationBar;
class ScrollView;
class TitledButton;
} // namespace kit

namespace viewer {
class WebController;
}

namespace practice {

class AnswerCard;

// A round of questions over the whole window, one a screen, and its result. An answer is a
// tap on a card or its digit; steps are put in order by tapping them first to last (a step
// tapped again takes back it and those after it) and checked with "Проверить". After the
// answer: right or wrong, why, and "Где это в статье" opens the article at the passage the
// question comes from. "Дальше" (Enter) goes on; the last question gives the result: how
// many were right and, where some were missed, the articles to reread. Every answer is
// counted in the progress and saved at once. Escape leaves (from an article, back to the
// question).
class RoundScreen final : public kit::ViewController {
    Q_OBJECT

public:
    RoundScreen(std::shared_ptr<const quiz::QuizBank> bank, quiz::Mode mode,
                std::vector<const quiz::Question*> questions, quint32 seed);
    ~RoundScreen() override;

    quiz::Mode mode() const { return _mode; }
    int questionCount() const { return int(_questions.size()); }
    int index() const { return _index; }
    const quiz::Question& question() const { return *_questions[size_t(_index)]; }
    bool isAnswered() const { return _answered; }
    bool isFinished() const { return _finished; }
    int rightCount() const { return _rightCount; }
    // The topics whose articles the result offers to reread.
    const std::vector<const quiz::Topic*>& reread() const { return _reread; }

    // What the keys and taps do. choose: the card at that place on screen (0 the first).
    void choose(int shown);
    void check();
    void next();
    void close();
    void openPassage();
    void openArticle(const QString& page, const QString& passage = {});
    void closePage();

    // What the screen shows, for tests.
    int cardCount() const { return int(_cards.size()); }
    AnswerCard* card(int shown) const { return _cards[size_t(shown)]; }
    // What the card at a place on screen stands for: an index in the bank's answers or steps
    // (Truth: 0 true, 1 false).
    int meaningOf(int shown) const { return _shown[size_t(shown)]; }
    kit::Label* questionLabel() const { return _question; }
    kit::Label* verdict() const { return _verdict; }
    kit::Label* explanation() const { return _explanation; }
    kit::TitledButton* passageButton() const { return _passageButton; }
    kit::TitledButton* nextButton() const { return _next; }
    kit::Label* score() const { return _score; }
    std::vector<kit::TitledButton*> rereadButtons() const { return _rereadButtons; }
    viewer::WebController* page() const { return _page.get(); }
    kit::NavigationBar* bar() const { return _bar; }

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

private:
    bool keyPressed(int key);
    void showQuestion();
    void showResult();
    void answer(const quiz::Answer& given);
    void place(int shown);
    void layout();
    void setNextVisible(bool visible);
    void refreshBar();
    void clearContent();
    void keepInView(QWidget* widget);
    void showOutcome();
    void focusWhereTheKeysGo();

    std::shared_ptr<const quiz::QuizBank> _bank;
    quiz::Mode _mode;
    std::vector<const quiz::Question*> _questions;
    QRandomGenerator _random;
    quiz::Progress _progress;
    int _index = 0;
    bool _answered = false;
    bool _finished = false;
    int _rightCount = 0;
    std::vector<const quiz::Question*> _missed;
    std::vector<const quiz::Topic*> _reread;
    // Steps in the order tapped (indices in the bank's steps).
    std::vector<int> _order;
    std::vector<int> _shown;

    kit::NavigationBar* _bar = nullptr;
    QPointer<kit::BarButtonItem> _closeItem;
    kit::ScrollView* _scroll = nullptr;
    kit::Label* _topic = nullptr;
    kit::Label* _question = nullptr;
    kit::Label* _hint = nullptr;
    std::vector<AnswerCard*> _cards;
    kit::Label* _verdict = nullptr;
    kit::Label* _explanation = nullptr;
    kit::TitledButton* _passageButton = nullptr;
    kit::Label* _score = nullptr;
    kit::Label* _summary = nullptr;
    std::vector<kit::TitledButton*> _rereadButtons;
    kit::TitledButton* _next = nullptr;
    std::unique_ptr<viewer::WebController> _page;
};

} // namespace practice
