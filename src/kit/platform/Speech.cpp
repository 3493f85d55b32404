// SPDX-License-Identifier: GPL-3.0-or-later
#include "Speech.h"

#include "PlatformModule.h"

#include <QPointer>

#include <vector>

namespace kit {
namespace {

// Where the speech module cannot be had: nothing is spoken, and the screens say so.
class MuteService final : public SpeechService {
public:
    void say(const QString&) override {}
    void enqueue(const QString&) override {}
    void stop() override {}
    SpeechState state() const override { return SpeechState::Unavailable; }
    void setStateObserver(std::function<void(SpeechState)>) override {}
};

PlatformService<SpeechService, MuteService> speech(speechModule, "firstaidCreateSpeechService");

struct Observer {
    QPointer<QObject> context;
    std::function<void(SpeechState)> call;
};

std::vector<Observer>& observers()
{
    static std::vector<Observer> list;
    return list;
}

void notify(SpeechState state)
{
    std::erase_if(observers(), [](const Observer& observer) { return !observer.context; });
    // An observer may add another while it is told.
    const std::vector<Observer> now = observers();
    for (const Observer& observer : now)
        if (observer.context)
            observer.call(state);
}

SpeechService* observed = nullptr;

SpeechService& service()
{
    SpeechService& current = speech.get();
    if (observed != &current) {
        observed = &current;
        current.setStateObserver(notify);
    }
    return current;
}

} // namespace

namespace Speech {

void say(const QString& text)
{
    service().say(text);
}

void enqueue(const QString& text)
{
    service().enqueue(text);
}

void stop()
{
    service().stop();
}

SpeechState state()
{
    return service().state();
}

void observe(QObject* context, std::function<void(SpeechState)> observer)
{
    service();
    observers().push_back({context, std::move(observer)});
}

void setService(SpeechService* test)
{
    speech.setReplacement(test);
    observed = nullptr;
}

} // namespace Speech
} // namespace kit
