// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>

namespace viewer {

// The white view of a screen that is worked by keys as well as taps: a key that none of its
// controls takes (a digit, Escape) comes here and goes to the screen, which says whether it
// was its. A key held down counts once: a held digit must not answer step after step. Escape
// comes to the screen from anywhere inside it, a page included.
class KeyedView final : public QWidget {
public:
    KeyedView(const QString& name, std::function<bool(int key)> keyPressed);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<bool(int)> _keyPressed;
};

} // namespace viewer
