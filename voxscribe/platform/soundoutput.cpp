#include "soundoutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

namespace platform {

AudioSinkOutput::AudioSinkOutput() = default;

AudioSinkOutput::~AudioSinkOutput() {
    stop();
}

bool AudioSinkOutput::hasDevice() {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

void AudioSinkOutput::play(const SpokenSound& sound) {
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || sound.samples.empty()) {
        return;
    }
    QAudioFormat format;
    format.setSampleRate(sound.sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    // The sink reads the samples from memory as it needs them.
    buffer_.setData(reinterpret_cast<const char*>(sound.samples.data()),
                    qsizetype(sound.samples.size() * sizeof(qint16)));
    buffer_.open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, format);
    QAudioSink* sink = sink_.get();
    // Idle: every sample has been played; the stream is given back until the next word.
    QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State state) {
        if (state == QAudio::IdleState) {
            sink->stop();
        }
    });
    sink->start(&buffer_);
}

void AudioSinkOutput::stop() {
    if (sink_ != nullptr) {
        sink_->stop();
        sink_.reset();
    }
    buffer_.close();
}

}  // namespace platform
