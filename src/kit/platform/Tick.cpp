// SPDX-License-Identifier: GPL-3.0-or-later
#include "Tick.h"

#include "PlatformModule.h"

namespace kit {
namespace {

// Where the sound module cannot be had: the beat is only seen.
class SilentTick final : public TickService {
public:
    void prepare() override {}
    void play() override {}
    void release() override {}
};

PlatformService<TickService, SilentTick> tick(soundModule, "firstaidCreateTickService");

} // namespace

namespace Tick {

void prepare()
{
    tick.get().prepare();
}

void play()
{
    tick.get().play();
}

void release()
{
    tick.get().release();
}

void setService(TickService* test)
{
    tick.setReplacement(test);
}

} // namespace Tick
} // namespace kit
