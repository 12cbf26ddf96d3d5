// A transcription said aloud: its codes spoken by eSpeak NG's British voice, so that what the
// user hears follows what the document shows, whether the transcription is right or not.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "espeaklibrary.h"

namespace core {

// Where speech goes: the sound card, or a stand-in in tests.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Whether there is a device to play on now.
    virtual bool hasDevice() = 0;
    // Plays sound from its start, cutting short what was playing; returns at once.
    virtual void play(const platform::SpokenSound& sound) = 0;
    virtual void stop() = 0;
};

// Why speech cannot be heard, for the command's tooltip.
inline QString noSoundDeviceReason() {
    return QStringLiteral("没有找到声音输出设备");
}
inline QString noEspeakReason() {
    return QStringLiteral("没有找到 eSpeak NG 或它的英语数据");
}
inline QString nothingToSayReason() {
    return QStringLiteral("音标中没有可以朗读的音");
}

// The sound of the first pronunciation of codes (see speechPhonemes) in voice, American codes
// in the American voice; empty samples when the library is not ready or the codes hold nothing
// to say.
platform::SpokenSound soundOfCodes(const platform::EspeakLibrary& library, const QString& codes,
                                   platform::Voice voice = platform::Voice::British);

// The sound as a WAV file: 16-bit PCM, one channel, at its rate.
QByteArray wavFile(const platform::SpokenSound& sound);

class Speech {
public:
    explicit Speech(
        std::shared_ptr<SoundOutput> output,
        platform::EspeakLibrary::Location location = platform::EspeakLibrary::Location());

    // Whether there is a device to play on; loads nothing.
    bool hasDevice() const { return output_ != nullptr && output_->hasDevice(); }
    // Empty when speech can be heard; otherwise why not, in Chinese. Asks the sound output first,
    // then loads eSpeak NG if no one has yet (some milliseconds, once a run).
    QString unavailableReason();
    // Says the first pronunciation of codes, ending what was being said. False, with nothing
    // played, when speech is unavailable or the codes hold nothing to say.
    bool speak(const QString& codes, platform::Voice voice = platform::Voice::British);
    void stop();

private:
    platform::EspeakLibrary& library();

    std::shared_ptr<SoundOutput> output_;
    platform::EspeakLibrary::Location location_;
    platform::EspeakLibrary* library_ = nullptr;
};

}  // namespace core
