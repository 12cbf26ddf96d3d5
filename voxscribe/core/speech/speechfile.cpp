#include "speechfile.h"

#include "savefile.h"
#include "speech.h"

namespace core {

namespace {

// Between two pronunciations of a word.
constexpr double kPauseSeconds = 0.6;

}  // namespace

bool saveSpeech(const QString& path, const QString& codes, QString* error,
                const platform::EspeakLibrary::Location& location, platform::Voice voice) {
    return saveSpeech(path, QList<CodesToSay>{{codes, voice}}, error, location);
}

bool saveSpeech(const QString& path, const QList<CodesToSay>& parts, QString* error,
                const platform::EspeakLibrary::Location& location) {
    const platform::EspeakLibrary& library = platform::EspeakLibrary::open(location);
    const auto fail = [error](const QString& why) {
        if (error != nullptr) {
            *error = why;
        }
        return false;
    };
    if (!library.ready()) {
        return fail(core::noEspeakReason());
    }
    platform::SpokenSound all{{}, library.sampleRate(), {}};
    for (const CodesToSay& part : parts) {
        const platform::SpokenSound sound = core::soundOfCodes(library, part.codes, part.voice);
        if (sound.samples.empty()) {
            return fail(core::nothingToSayReason());
        }
        if (!all.samples.empty()) {
            all.samples.resize(all.samples.size() + size_t(kPauseSeconds * all.sampleRate), 0);
        }
        all.samples.insert(all.samples.end(), sound.samples.begin(), sound.samples.end());
    }
    if (all.samples.empty()) {
        return fail(core::nothingToSayReason());
    }
    return saveBytes(path, core::wavFile(all), error);
}

}  // namespace core
