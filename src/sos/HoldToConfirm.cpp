// SPDX-License-Identifier: GPL-3.0-or-later
#include "HoldToConfirm.h"

#include "kit/foundation/Timer.h"
#include "kit/views/ProgressView.h"

namespace sos {

HoldToConfirm::HoldToConfirm(QObject* owner, kit::ProgressView* progress,
                             std::function<void()> confirmed)
    : _owner(owner), _progress(progress), _confirmed(std::move(confirmed))
{
}

HoldToConfirm::~HoldToConfirm()
{
    stop();
}

void HoldToConfirm::begin()
{
    stop();
    _progress->show();
    _progress->setProgress(0);
    // The step and the tick are single-precision values; 60 ticks of 0.05 s fill the bar in the
    // 3 seconds of the hold.
    _updater = kit::Timer::scheduledTimer(double(0.05f), true, _owner, [this] {
        if (_progress)
            _progress->setProgress(_progress->progress() + 1.0f / 60);
    });
    _timer = kit::Timer::scheduledTimer(holdSeconds, false, _owner, [this] { _confirmed(); });
}

void HoldToConfirm::stop()
{
    for (QPointer<kit::Timer>* timer : {&_timer, &_updater}) {
        if (*timer)
            (*timer)->invalidate();
        *timer = nullptr;
    }
}

} // namespace sos
