// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/views/Control.h"

namespace practice {

// One answer, or one step to put in order, as a large card that wraps its text: its number
// (the digit that chooses it) on the left. After the answer it shows what it was: the right
// answer in green, a wrong choice in red; a step shows the place it was given.
class AnswerCard final : public kit::Control {
    Q_OBJECT

public:
    enum class State {
        Plain,
        // A step given its place (badge shows it), before the check.
        Placed,
        // After the answer: the right one (chosen or not), the wrong one chosen, one not chosen.
        Right,
        Wrong,
        Faded,
    };

    AnswerCard(int number, const QString& text, QWidget* parent = nullptr);

    QString text() const { return _text; }
    int number() const { return _number; }
    State state() const { return _state; }
    // The place given to a step (1…), 0 for none.
    int place() const { return _place; }
    void setState(State state, int place = 0);
    // A note under the text after the check ("вы поставили 3-м").
    void setNote(const QString& note);

    int heightForWidth(int width) const override;
    bool hasHeightForWidth() const override { return true; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateName();
    QRect textRect(int width) const;

    int _number;
    QString _text;
    QString _note;
    State _state = State::Plain;
    int _place = 0;
};

} // namespace practice
