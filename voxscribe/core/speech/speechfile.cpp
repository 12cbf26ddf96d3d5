#include "speechfile.h"

#include "savefile.h"

namespace core {

namespace {

// Between two pronunciations of a word.
constexpr double kPauseSeconds = 0.6;

}  // namespace

SpeechProblem saveSpeech(const QString& path, const QString& codes, QString* writeError,
                         const platform::EspeakLibrary::Location& location, platform::Voice voice) {
    return saveSpeech(path, QList<CodesToSay>{{codes, voice}}, writeError, location);
}

SpeechProblem saveSpeech(const QString& path, const QList<CodesToSay>& parts, QString* writeError,
                         const platform::EspeakLibrary::Location& location) {
    const platform::EspeakLibrary& library = platform::EspeakLibrary::open(location);
    if (!library.ready()) {
        return SpeechProblem::NoEspeak;
    }
    platform::SpokenSound all{{}, library.sampleRate(), {}};
    for (const CodesToSay& part : parts) {
        const platform::SpokenSound sound = core::soundOfCodes(library, part.codes, part.voice);
        if (sound.samples.empty()) {
            return SpeechProblem::NothingToSay;
        }
        if (!all.samples.empty()) {
            all.samples.resize(all.samples.size() + size_t(kPauseSeconds * all.sampleRate), 0);
        }
        all.samples.insert(all.samples.end(), sound.samples.begin(), sound.samples.end());
    }
    if (all.samples.empty()) {
        return SpeechProblem::NothingToSay;
    }
    return saveBytes(path, core::wavFile(all), writeError) ? SpeechProblem::None
                                                           : SpeechProblem::FileNotWritten;
}

}  // namespace core
