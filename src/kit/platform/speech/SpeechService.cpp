// SPDX-License-Identifier: GPL-3.0-or-later
// The speech service on Qt TextToSpeech, built as a module of its own and loaded when the
// first prompt is to be spoken. The engine lives on a thread of its own: starting it may
// mean starting the desktop's speech daemon, and nothing on the main thread (least of all
// the metronome's clicks) waits for that. Texts are spoken one after another; say() cuts
// short what is being said. Without an engine or a Russian voice the state is Unavailable.

#include "kit/platform/Speech.h"

#include <QCoreApplication>
#include <QLocale>
#include <QMetaObject>
#include <QPointer>
#include <QTextToSpeech>
#include <QThread>
#include <QVoice>

#include <atomic>
#include <deque>

namespace {

// Lives on the speech thread.
class Speaker final : public QObject {
public:
    explicit Speaker(std::function<void(kit::SpeechState)> report) : _report(std::move(report)) {}

    void open()
    {
        const QStringList engines = QTextToSpeech::availableEngines();
        if (engines.isEmpty()) {
            _report(kit::SpeechState::Unavailable);
            return;
        }
        const QString engine = engines.contains(QStringLiteral("speechd"))
                                   ? QStringLiteral("speechd")
                                   : engines.constFirst();
        _speech = new QTextToSpeech(engine, this);
        if (_speech->state() == QTextToSpeech::Error) {
            _report(kit::SpeechState::Unavailable);
            return;
        }
        // A Russian prompt read by a voice of another language cannot be understood.
        bool russian = false;
        for (const QLocale& locale : _speech->availableLocales()) {
            if (locale.language() == QLocale::Russian) {
                _speech->setLocale(locale);
                russian = true;
                break;
            }
        }
        if (!russian) {
            _report(kit::SpeechState::Unavailable);
            return;
        }
        _speech->setRate(0.1);
        connect(_speech, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
            if (state == QTextToSpeech::Ready)
                next();
            else if (state == QTextToSpeech::Error)
                _report(kit::SpeechState::Unavailable);
        });
        _ready = true;
        _report(kit::SpeechState::Ready);
        next();
    }

    void say(const QString& text, bool interrupt)
    {
        if (interrupt) {
            _waiting.clear();
            if (_speech && _speech->state() == QTextToSpeech::Speaking)
                _speech->stop();
        }
        _waiting.push_back(text);
        next();
    }

    void stop()
    {
        _waiting.clear();
        if (_speech)
            _speech->stop();
    }

private:
    void next()
    {
        if (!_ready || _waiting.empty() || _speech->state() != QTextToSpeech::Ready)
            return;
        const QString text = _waiting.front();
        _waiting.pop_front();
        _speech->say(text);
    }

    std::function<void(kit::SpeechState)> _report;
    QTextToSpeech* _speech = nullptr;
    std::deque<QString> _waiting;
    bool _ready = false;
};

class TextToSpeechService final : public kit::SpeechService {
public:
    TextToSpeechService()
    {
        _thread.setObjectName(QStringLiteral("speech"));
        _speaker = new Speaker([this](kit::SpeechState state) { report(state); });
        _speaker->moveToThread(&_thread);
        QObject::connect(&_thread, &QThread::finished, _speaker, &QObject::deleteLater);
        _thread.start(QThread::LowPriority);
        QMetaObject::invokeMethod(_speaker, [speaker = _speaker] { speaker->open(); });
        // The thread ends with the application, before the objects it would still reach.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, &_thread, [this] { finish(); });
    }

    ~TextToSpeechService() override { finish(); }

    void say(const QString& text) override { post(text, true); }
    void enqueue(const QString& text) override { post(text, false); }

    void stop() override
    {
        QMetaObject::invokeMethod(_speaker, [speaker = _speaker] { speaker->stop(); });
    }

    kit::SpeechState state() const override { return _state.load(); }

    void setStateObserver(std::function<void(kit::SpeechState)> observer) override
    {
        _observer = std::move(observer);
    }

private:
    void post(const QString& text, bool interrupt)
    {
        if (_state.load() == kit::SpeechState::Unavailable || !_thread.isRunning())
            return;
        QMetaObject::invokeMethod(
            _speaker, [speaker = _speaker, text, interrupt] { speaker->say(text, interrupt); });
    }

    // On the speech thread: the state goes to the main thread's observer.
    void report(kit::SpeechState state)
    {
        _state.store(state);
        QMetaObject::invokeMethod(qApp, [this, state] {
            if (_observer)
                _observer(state);
        });
    }

    void finish()
    {
        if (!_thread.isRunning())
            return;
        QMetaObject::invokeMethod(_speaker, [speaker = _speaker] { speaker->stop(); });
        _thread.quit();
        _thread.wait(2000);
    }

    QThread _thread;
    Speaker* _speaker = nullptr;
    std::atomic<kit::SpeechState> _state{kit::SpeechState::Starting};
    std::function<void(kit::SpeechState)> _observer;
};

} // namespace

extern "C" Q_DECL_EXPORT kit::SpeechService* firstaidCreateSpeechService()
{
    return new TextToSpeechService();
}
