// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kit {

// A metronome's click: a short tone played the moment it is asked for. The audio output
// is opened once (prepare) and held while the clicks go on, so a click is not delayed by
// opening a device; release lets it go.
class TickService {
public:
    virtual ~TickService() = default;
    virtual void prepare() = 0;
    // Starts one click now; returns at once.
    virtual void play() = 0;
    virtual void release() = 0;
};

// The click calls the screens make. They go to the real service (in the sound module,
// loaded on first use) unless a test has put its own in place.
namespace Tick {
void prepare();
void play();
void release();
// For tests: a service to use instead of the real one (null goes back to it).
void setService(TickService* service);
} // namespace Tick

// The sound module makes its service with
//   extern "C" TickService* firstaidCreateTickService();

} // namespace kit
