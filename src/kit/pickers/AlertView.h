// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

namespace kit {

class Control;

// A message in a box over the dimmed window, with one button that takes it away, or a
// question with several: two side by side, more one above the other, each of which takes it
// away and answers. It covers the whole window, so nothing beneath can be touched while it
// is up, and the keyboard stays in it: Tab goes round its buttons, Enter presses the one
// with the focus (the first), Escape the cancel button. It deletes itself when dismissed.
class AlertView final : public QWidget {
    Q_OBJECT

public:
    AlertView(const QString& title, const QString& message, const QString& buttonTitle);
    // cancelIndex: the button Escape presses; the last one when not given.
    AlertView(const QString& title, const QString& message, const QStringList& buttonTitles,
              int cancelIndex = -1);

    QString title() const { return _title; }
    QString message() const { return _message; }
    // The first button.
    Control* button() const { return _buttons.front(); }
    Control* buttonAt(int index) const;
    int numberOfButtons() const { return int(_buttons.size()); }
    // Runs once the alert has gone, with the index of the button that took it away.
    void setAnswer(std::function<void(int)> answer) { _answer = std::move(answer); }

    // Over the key window; with none, as a window of its own.
    void show();
    // Takes the alert away as the cancel button does.
    void dismiss();
    void dismissWithButtonIndex(int index);

    // The alerts on screen now, oldest first (tests look here).
    static QList<AlertView*> visibleAlerts();

signals:
    void dismissed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layout();

    QString _title;
    QString _message;
    QRect _box;
    std::vector<Control*> _buttons;
    int _cancelIndex = 0;
    std::function<void(int)> _answer;
    QPointer<QWidget> _focusBefore;
};

} // namespace kit
