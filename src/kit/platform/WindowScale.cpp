// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowScale.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <private/qhighdpiscaling_p.h>

#include <algorithm>
#include <cmath>

namespace kit {
namespace {

double current = 1.0;

// Applies the factor to a screen, as the desktop's own per-screen scaling does.
void scaleScreen(QScreen* screen)
{
    QHighDpiScaling::setScreenFactor(screen, current);
}

double nearestStep(double factor)
{
    const std::vector<double>& all = WindowScale::steps();
    return *std::min_element(all.begin(), all.end(), [factor](double a, double b) {
        return std::abs(a - factor) < std::abs(b - factor);
    });
}

} // namespace

const std::vector<double>& WindowScale::steps()
{
    static const std::vector<double> all = {1.0, 1.25, 1.5, 2.0};
    return all;
}

double WindowScale::factor()
{
    return current;
}

void WindowScale::setFactor(double factor)
{
    const double step = nearestStep(factor);
    if (step == current)
        return;
    current = step;
    // Screens that come later (a monitor plugged in) take the factor too.
    static const bool following = [] {
        QObject::connect(qApp, &QGuiApplication::screenAdded, qApp, &scaleScreen);
        return true;
    }();
    Q_UNUSED(following);
    for (QScreen* screen : QGuiApplication::screens())
        scaleScreen(screen);
    // A window on screen takes its new size in device pixels when its size is set again;
    // its size in points stays as it is.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        const QSize size = window->size();
        const QSize minimum = window->minimumSize();
        const QSize maximum = window->maximumSize();
        window->setMinimumSize(0, 0);
        window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        window->resize(size + QSize(1, 1));
        QCoreApplication::processEvents();
        window->resize(size);
        window->setMinimumSize(minimum);
        window->setMaximumSize(maximum);
        window->update();
    }
}

double WindowScale::larger(double factor)
{
    for (const double step : steps())
        if (step > factor + 1e-6)
            return step;
    return steps().back();
}

double WindowScale::smaller(double factor)
{
    const std::vector<double>& all = steps();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if (*it < factor - 1e-6)
            return *it;
    return all.front();
}

double WindowScale::fitting(double wanted, const QSizeF& windowAtOne, const QSizeF& frame,
                            const QSizeF& room)
{
    double best = 1.0;
    for (const double step : steps()) {
        const QSizeF size = windowAtOne * step + frame;
        if (step <= wanted + 1e-6 && size.width() <= room.width() + 0.5 &&
            size.height() <= room.height() + 0.5)
            best = step;
    }
    return best;
}

double WindowScale::fitting(double wanted, const QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return nearestStep(wanted);
    // The screen's pixels: its points times its ratio, which holds this scale too.
    const qreal pixels = screen->devicePixelRatio();
    const QSizeF room = QSizeF(screen->availableGeometry().size()) * pixels;
    const QSizeF atOne = QSizeF(window.size()) * pixels / current;
    const QSizeF frame =
        window.isVisible()
            ? QSizeF(window.frameGeometry().size() - window.geometry().size()) * pixels
            : QSizeF();
    return fitting(wanted, atOne, frame, room);
}

} // namespace kit
