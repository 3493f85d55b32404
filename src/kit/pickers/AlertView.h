// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

namespace kit {

class Control;

// A message in a box over the dimmed window, with one button that takes it away.
// It covers the whole window, so nothing beneath can be touched while it is up,
// and it deletes itself when dismissed.
class AlertView final : public QWidget {
    Q_OBJECT

public:
    AlertView(const QString& title, const QString& message, const QString& buttonTitle);

    QString title() const { return _title; }
    QString message() const { return _message; }
    Control* button() const { return _button; }

    // Over the key window; with none, as a window of its own.
    void show();
    void dismiss();

    // The alerts on screen now, oldest first (tests look here).
    static QList<AlertView*> visibleAlerts();

signals:
    void dismissed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layout();

    QString _title;
    QString _message;
    QRect _box;
    Control* _button = nullptr;
    QPointer<QWidget> _focusBefore;
};

} // namespace kit
