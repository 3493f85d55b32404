// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

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

    // Makes this the application's key window and shows it.
    void makeKeyAndVisible();
    // Adds a view on top of the window's other views. When it is a view
    // controller's view, that controller is told it appears.
    void addSubview(QWidget* view);

protected:
    // Closing (the close button, Ctrl+Q) asks the application's delegate first.
    void closeEvent(QCloseEvent* event) override;

private:
    StatusStrip* _statusStrip;
};

} // namespace kit
