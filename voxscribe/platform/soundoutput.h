// Where speech goes: the system's default sound output through Qt Multimedia, or a stand-in in
// tests.
#pragma once

#include <QBuffer>
#include <memory>

#include "espeaklibrary.h"

class QAudioSink;

namespace platform {

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Whether there is a device to play on now.
    virtual bool hasDevice() = 0;
    // Plays sound from its start, cutting short what was playing; returns at once.
    virtual void play(const SpokenSound& sound) = 0;
    virtual void stop() = 0;
};

// The real one.
class AudioSinkOutput final : public SoundOutput {
public:
    AudioSinkOutput();
    ~AudioSinkOutput() override;
    AudioSinkOutput(const AudioSinkOutput&) = delete;
    AudioSinkOutput& operator=(const AudioSinkOutput&) = delete;

    bool hasDevice() override;
    void play(const SpokenSound& sound) override;
    void stop() override;

private:
    QBuffer buffer_;
    std::unique_ptr<QAudioSink> sink_;
};

}  // namespace platform
