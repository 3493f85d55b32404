// SPDX-License-Identifier: GPL-3.0-or-later
#include "Screenshot.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPixmap>
#include <QWidget>

#include <cstdio>

namespace kit {

Screenshot::Screenshot(QWidget* window, QString fileName)
    : _window(window), _fileName(std::move(fileName))
{
    window->installEventFilter(this);
    // A platform that never paints an unexposed window still gets its picture.
    _fallback.setSingleShot(true);
    connect(&_fallback, &QTimer::timeout, this, &Screenshot::take);
    _fallback.start(5000);
}

bool Screenshot::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == _window && event->type() == QEvent::Paint && !_scheduled) {
        _scheduled = true;
        // Take it after this paint has reached the window.
        QTimer::singleShot(0, this, &Screenshot::take);
    }
    return false;
}

void Screenshot::take()
{
    if (_taken)
        return;
    _taken = true;
    _fallback.stop();
    if (_window) {
        _window->removeEventFilter(this);
        // In the window's device pixels: at a scale factor of 2 a 320 × 480
        // window saves as 640 × 960.
        _succeeded = _window->grab().save(_fileName, "PNG", pngQuality);
    }
    if (!_succeeded)
        std::fprintf(stderr, "firstaid: could not save the screenshot to %s\n",
                     qPrintable(_fileName));
    QCoreApplication::quit();
}

} // namespace kit
