// SPDX-License-Identifier: GPL-3.0-or-later
// The short-sound service on Qt Multimedia, built as a module of its own and
// loaded when the first sound is made: AIFF files are read once and each play
// starts its own audio output. Without an audio device, playing does nothing.

#include "kit/platform/Aiff.h"
#include "kit/platform/SystemSound.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QMediaDevices>

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

} // namespace

extern "C" Q_DECL_EXPORT kit::SoundService* firstaidCreateSoundService()
{
    // The FFmpeg media backend crashes where there is no audio device; GStreamer does not.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
    return new AudioService();
}
