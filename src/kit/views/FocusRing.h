// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

namespace kit {

// The outline that shows where the keyboard is: drawn around the focused control
// of a window, above everything, whenever focus moved by the keyboard. Controls
// draw nothing for focus themselves.
class FocusRing final : public QWidget {
    Q_OBJECT

public:
    // Follows the application's focus from now on; one is enough.
    static void install();
    // The one installed, for tests.
    static FocusRing* installed();

    QWidget* target() const { return _target; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FocusRing();
    void follow(QWidget* widget);
    void place();

    QPointer<QWidget> _target;
    // Tab (or Shift+Tab) is being pressed: the focus it moves is the keyboard's.
    bool _tabPressed = false;
};

} // namespace kit
