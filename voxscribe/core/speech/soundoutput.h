// Speech played on the system's default sound output through Qt Multimedia.
#pragma once

#include <QBuffer>
#include <memory>

#include "speech.h"

class QAudioSink;

namespace core {

class AudioSinkOutput final : public SoundOutput {
public:
    AudioSinkOutput();
    ~AudioSinkOutput() override;
    AudioSinkOutput(const AudioSinkOutput&) = delete;
    AudioSinkOutput& operator=(const AudioSinkOutput&) = delete;

    bool hasDevice() override;
    void play(const platform::SpokenSound& sound) override;
    void stop() override;

private:
    QBuffer buffer_;
    std::unique_ptr<QAudioSink> sink_;
};

}  // namespace core
