// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/platform/Speech.h"
#include "kit/platform/Tick.h"

#include <QStringList>

// Hears what the screens say: each text, marked "say:" (cutting in) or "then:" (after what
// is said), in order. Its state is what a test makes it.
class SpeechStandIn final : public kit::SpeechService {
public:
    explicit SpeechStandIn(kit::SpeechState state = kit::SpeechState::Ready) : _state(state)
    {
        kit::Speech::setService(this);
    }
    ~SpeechStandIn() override { kit::Speech::setService(nullptr); }

    void say(const QString& text) override { heard << QStringLiteral("say: ") + text; }
    void enqueue(const QString& text) override { heard << QStringLiteral("then: ") + text; }
    void stop() override { ++stops; }
    kit::SpeechState state() const override { return _state; }
    void setStateObserver(std::function<void(kit::SpeechState)> observer) override
    {
        _observer = std::move(observer);
    }
    // The engine answers late: the screens are told.
    void become(kit::SpeechState state)
    {
        _state = state;
        if (_observer)
            _observer(state);
    }
    // The texts alone, in order.
    QStringList texts() const
    {
        QStringList result;
        for (const QString& line : heard)
            result << line.section(QStringLiteral(": "), 1);
        return result;
    }

    QStringList heard;
    int stops = 0;

private:
    kit::SpeechState _state;
    std::function<void(kit::SpeechState)> _observer;
};

// Counts the metronome's clicks.
class TickStandIn final : public kit::TickService {
public:
    TickStandIn() { kit::Tick::setService(this); }
    ~TickStandIn() override { kit::Tick::setService(nullptr); }
    void prepare() override { prepared = true; }
    void play() override { ++clicks; }
    void release() override { prepared = false; }
    int clicks = 0;
    bool prepared = false;
};
