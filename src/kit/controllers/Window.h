// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include <vector>

namespace kit {

class StatusStrip;

// The application's only window: 320 × 480 points, a 20-point status strip on
// top and the 460-point application area below it.
class Window final : public QWidget {
    Q_OBJECT

public:
    static constexpr int width = 320;
    static constexpr int height = 480;
    static constexpr int statusStripHeight = 20;

    Window();
    ~Window() override;

    // The application area in window coordinates: (0, 20, 320, 460).
    static QRect applicationFrame();

    // Makes this the application's key window and shows it, at the scale stored last.
    void makeKeyAndVisible();

    // The whole window larger or smaller (Ctrl+Plus, Ctrl+Minus, Ctrl+0 set it from the
    // keyboard): 100 %, 125 %, 150 % or 200 % of its layout, remembered under WINDOW_SCALE.
    static void setScale(double factor);
    static double storedScale();
    // Adds a view on top of the window's other views. When it is a view
    // controller's view, that controller is told it appears.
    void addSubview(QWidget* view);

    // A view that covers what is beneath it for the keyboard too (a screen presented over
    // the window, a panel over a screen): while it is up, Tab and Shift+Tab go round its own
    // controls only, never to the tab bar or a button under it, and the keyboard goes into
    // it at once. Views stack: the last one given rules until it goes or is hidden.
    void beginModal(QWidget* view);
    void endModal(QWidget* view);
    QWidget* modalView() const;
    // Tab (next) and Shift+Tab: within the modal view while one is up.
    bool focusNextPrevChild(bool next) override;

protected:
    // Closing (the close button, Ctrl+Q) asks the application's delegate first.
    void closeEvent(QCloseEvent* event) override;

private:
    StatusStrip* _statusStrip;
    std::vector<QPointer<QWidget>> _modalViews;
};

} // namespace kit
