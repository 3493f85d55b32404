#include "SystemSound.h"

#include "PlatformModule.h"

namespace kit {
namespace {

SoundService*& replacement()
{
    static SoundService* service = nullptr;
    return service;
}

// A service that plays nothing, for when the sound module cannot be had.
class SilentService final : public SoundService {
public:
    SystemSoundID createSystemSound(const QUrl&) override { return 0; }
    void playSystemSound(SystemSoundID) override {}
    void disposeSystemSound(SystemSoundID) override {}
};

SoundService& service()
{
    if (SoundService* test = replacement())
        return *test;
    static SoundService* real = [] {
        const auto create = reinterpret_cast<CreateSoundServiceFunction>(resolvePlatformFunction(
            "libfirstaid_sound.so", "FIRSTAID_SOUND_MODULE", "firstaidCreateSoundService"));
        SoundService* made = create ? create() : nullptr;
        return made ? made : static_cast<SoundService*>(new SilentService());
    }();
    return *real;
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
    replacement() = test;
}

} // namespace SystemSound
} // namespace kit
