// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>

namespace kit {

using SystemSoundID = quint32;

// The platform's short-sound service: a sound file registered once and played
// as often as needed; each play starts a playback and returns at once.
class SoundService {
public:
    virtual ~SoundService() = default;
    // 0 when the file cannot be read as a sound.
    virtual SystemSoundID createSystemSound(const QUrl& file) = 0;
    virtual void playSystemSound(SystemSoundID sound) = 0;
    virtual void disposeSystemSound(SystemSoundID sound) = 0;
};

// The sound calls the screens make. They go to the real service (in the sound
// module, loaded on first use) unless a test has put its own in place.
namespace SystemSound {
SystemSoundID create(const QUrl& file);
void play(SystemSoundID sound);
void dispose(SystemSoundID sound);
// For tests: a service to use instead of the real one (null goes back to it).
void setService(SoundService* service);
} // namespace SystemSound

// The sound module makes its service with
//   extern "C" SoundService* firstaidCreateSoundService();

} // namespace kit
