#include "speechfile.h"

#include "savefile.h"
#include "speech.h"

namespace core {

bool saveSpeech(const QString& path, const QString& codes, QString* error,
                const EspeakLibrary::Location& location) {
    const EspeakLibrary& library = EspeakLibrary::open(location);
    const auto fail = [error](const QString& why) {
        if (error != nullptr) {
            *error = why;
        }
        return false;
    };
    if (!library.ready()) {
        return fail(core::noEspeakReason());
    }
    const core::SpokenSound sound = core::soundOfCodes(library, codes);
    if (sound.samples.empty()) {
        return fail(core::nothingToSayReason());
    }
    return saveBytes(path, core::wavFile(sound), error);
}

}  // namespace core
