// SPDX-License-Identifier: GPL-3.0-or-later
// The short-sound service on Qt Multimedia, built as a module of its own and
// loaded when the first sound is made: AIFF files are read once and each play
// starts its own audio output. Without an audio device, playing does nothing.

#include "kit/platform/Aiff.h"
#include "kit/platform/SystemSound.h"
#include "kit/platform/Tick.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QMediaDevices>

#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>

namespace {

class AudioService final : public kit::SoundService {
public:
    kit::SystemSoundID createSystemSound(const QUrl& file) override
    {
        QFile input(file.toLocalFile());
        if (!input.open(QIODevice::ReadOnly))
            return 0;
        std::optional<kit::PcmSound> sound = kit::readAiff(input.readAll());
        if (!sound)
            return 0;
        const kit::SystemSoundID id = ++_lastId;
        _sounds.insert(id, *sound);
        return id;
    }

    void playSystemSound(kit::SystemSoundID id) override
    {
        const auto found = _sounds.constFind(id);
        if (found == _sounds.constEnd())
            return;
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return;
        QAudioFormat format;
        format.setSampleRate(found->sampleRate);
        format.setChannelCount(found->channels);
        format.setSampleFormat(QAudioFormat::Int16);
        if (!device.isFormatSupported(format))
            return;
        auto* sink = new QAudioSink(device, format);
        auto* buffer = new QBuffer(sink);
        buffer->setData(found->samples);
        buffer->open(QIODevice::ReadOnly);
        // The playback lets itself go when it has run out or failed.
        QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State state) {
            if (state == QAudio::IdleState || state == QAudio::StoppedState)
                sink->deleteLater();
        });
        sink->start(buffer);
    }

    void disposeSystemSound(kit::SystemSoundID id) override { _sounds.remove(id); }

private:
    QHash<kit::SystemSoundID, kit::PcmSound> _sounds;
    kit::SystemSoundID _lastId = 0;
};

// The metronome's click: one output opened for the whole run of clicks and written to as
// each click is due (a device opened per click would start it tens of milliseconds late).
// The click is a short knock, two tones dying away within 30 ms.
class TickPlayer final : public kit::TickService {
public:
    ~TickPlayer() override { release(); }

    void prepare() override
    {
        if (_sink)
            return;
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return;
        QAudioFormat format;
        format.setSampleRate(48000);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        if (!device.isFormatSupported(format)) {
            format = device.preferredFormat();
            if (format.sampleFormat() != QAudioFormat::Float)
                format.setSampleFormat(QAudioFormat::Int16);
            if (!device.isFormatSupported(format))
                return;
        }
        _click = knock(format);
        _sink = new QAudioSink(device, format);
        // Room for a click and a little more: what is written is heard within that time.
        _sink->setBufferSize(format.bytesForDuration(40000));
        _output = _sink->start();
        if (!_output) {
            release();
            return;
        }
        // Between clicks the output runs dry, and a dry output waits for a full buffer before
        // it plays again: each click comes with silence enough to fill it, or two clicks would
        // be heard together, a beat late.
        const qsizetype buffer = _sink->bufferSize();
        if (_click.size() < buffer)
            _click.append(QByteArray(buffer - _click.size(), '\0'));
    }

    void play() override
    {
        if (!_output)
            prepare();
        if (_output)
            _output->write(_click);
    }

    void release() override
    {
        if (_sink)
            _sink->stop();
        delete _sink;
        _sink = nullptr;
        _output = nullptr;
    }

private:
    static QByteArray knock(const QAudioFormat& format)
    {
        const int rate = format.sampleRate();
        const int frames = rate * 30 / 1000;
        const int channels = format.channelCount();
        QByteArray bytes(qsizetype(frames) * format.bytesPerFrame(), '\0');
        for (int i = 0; i < frames; ++i) {
            const double t = double(i) / rate;
            const double envelope = std::exp(-t / 0.006);
            const double value = 0.8 * envelope *
                                 (0.6 * std::sin(2 * std::numbers::pi * 1800 * t) +
                                  0.4 * std::sin(2 * std::numbers::pi * 3200 * t));
            for (int c = 0; c < channels; ++c) {
                char* at = bytes.data() + (qsizetype(i) * channels + c) * format.bytesPerSample();
                if (format.sampleFormat() == QAudioFormat::Float) {
                    const float sample = float(value);
                    std::memcpy(at, &sample, sizeof sample);
                } else {
                    const qint16 sample = qint16(value * 32767);
                    std::memcpy(at, &sample, sizeof sample);
                }
            }
        }
        return bytes;
    }

    QAudioSink* _sink = nullptr;
    QIODevice* _output = nullptr;
    QByteArray _click;
};

void useGStreamer()
{
    // The FFmpeg media backend crashes where there is no audio device; GStreamer does not.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
}

} // namespace

extern "C" Q_DECL_EXPORT kit::SoundService* firstaidCreateSoundService()
{
    useGStreamer();
    return new AudioService();
}

extern "C" Q_DECL_EXPORT kit::TickService* firstaidCreateTickService()
{
    useGStreamer();
    return new TickPlayer();
}
