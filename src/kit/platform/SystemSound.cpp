// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemSound.h"

#include "PlatformModule.h"

namespace kit {
namespace {

// A service that plays nothing, for when the sound module cannot be had.
class SilentService final : public SoundService {
public:
    SystemSoundID createSystemSound(const QUrl&) override { return 0; }
    void playSystemSound(SystemSoundID) override {}
    void disposeSystemSound(SystemSoundID) override {}
};

PlatformService<SoundService, SilentService> sound(soundModule, "firstaidCreateSoundService");

SoundService& service()
{
    return sound.get();
}

} // namespace

namespace SystemSound {

SystemSoundID create(const QUrl& file)
{
    return service().createSystemSound(file);
}

void play(SystemSoundID sound)
{
    service().playSystemSound(sound);
}

void dispose(SystemSoundID sound)
{
    service().disposeSystemSound(sound);
}

void setService(SoundService* test)
{
    sound.setReplacement(test);
}

} // namespace SystemSound
} // namespace kit
