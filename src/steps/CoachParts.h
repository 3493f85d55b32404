// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/views/Control.h"

#include <QPointer>

class QVariantAnimation;

namespace steps {

// The coach's beat made visible: a large circle that flashes red at each compression with
// the count in it, and during the breaths "2 вдоха" with a ring for the time of the pause.
// A tap on it says the breaths are given.
class PulseView final : public kit::Control {
    Q_OBJECT

public:
    explicit PulseView(QWidget* parent = nullptr);

    // A compression: the count shown, the circle flashing.
    void beat(int count);
    // The breath pause, and how much of it has gone (0 to 1).
    void showBreaths(double progress);
    void showPaused();
    // What the circle shows, for tests and screen readers.
    QString text() const { return _text; }
    double flash() const { return _flash; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString _text;
    QString _caption;
    double _flash = 0;
    double _ring = -1;
    bool _breaths = false;
    QVariantAnimation* _fade;
};

// One of the coach's modes, chosen by a tap: dark red while chosen, grey otherwise.
class ModeButton final : public kit::Control {
    Q_OBJECT

public:
    ModeButton(const QString& title, const QString& spoken, QWidget* parent = nullptr);
    bool isChosen() const { return _chosen; }
    void setChosen(bool chosen);
    QString title() const { return _title; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString _title;
    QString _spoken;
    bool _chosen = false;
};

} // namespace steps
