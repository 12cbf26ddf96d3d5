// A transcription said aloud: its codes spoken by eSpeak NG's British voice, so that what the
// user hears follows what the document shows, whether the transcription is right or not.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "espeaklibrary.h"
#include "soundoutput.h"

namespace core {

// Why speech cannot be heard or written; the floor that shows it words it.
enum class SpeechProblem {
    None,
    NoSoundDevice,
    NoEspeak,      // eSpeak NG or its English data is missing
    NothingToSay,  // the codes hold no sound
    FileNotWritten,
};

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
        std::shared_ptr<platform::SoundOutput> output,
        platform::EspeakLibrary::Location location = platform::EspeakLibrary::Location());

    // Whether there is a device to play on; loads nothing.
    bool hasDevice() const { return output_ != nullptr && output_->hasDevice(); }
    // None when speech can be heard; otherwise why not. Asks the sound output first, then loads
    // eSpeak NG if no one has yet (some milliseconds, once a run).
    SpeechProblem unavailableReason();
    // Says the first pronunciation of codes, ending what was being said. False, with nothing
    // played, when speech is unavailable or the codes hold nothing to say.
    bool speak(const QString& codes, platform::Voice voice = platform::Voice::British);
    void stop();

private:
    platform::EspeakLibrary& library();

    std::shared_ptr<platform::SoundOutput> output_;
    platform::EspeakLibrary::Location location_;
    platform::EspeakLibrary* library_ = nullptr;
};

}  // namespace core
