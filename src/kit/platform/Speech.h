// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace kit {

// Whether spoken prompts can be heard: Starting until the speech engine has answered.
enum class SpeechState { Starting, Ready, Unavailable };

// The desktop's speech service, speaking Russian. Every call returns at once: the engine
// works on a thread of its own, so neither a slow engine nor a missing one holds anything up.
class SpeechService {
public:
    virtual ~SpeechService() = default;
    // Speaks text at once, cutting short whatever is being said or waits to be said.
    virtual void say(const QString& text) = 0;
    // Speaks text after what is being said.
    virtual void enqueue(const QString& text) = 0;
    // Silence, and nothing left waiting.
    virtual void stop() = 0;
    virtual SpeechState state() const = 0;
    // Called on the main thread when the state changes.
    virtual void setStateObserver(std::function<void(SpeechState)> observer) = 0;
};

// The speech calls the screens make. They go to the real service (in the speech module,
// loaded on first use) unless a test has put its own in place.
namespace Speech {
void say(const QString& text);
void enqueue(const QString& text);
void stop();
SpeechState state();
// Calls observer on each change of the state while context lives.
void observe(QObject* context, std::function<void(SpeechState)> observer);
// For tests: a service to use instead of the real one (null goes back to it).
void setService(SpeechService* service);
} // namespace Speech

// The speech module makes its service with
//   extern "C" SpeechService* firstaidCreateSpeechService();

} // namespace kit
