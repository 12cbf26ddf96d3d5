#include "suggestion.h"

#include <dlfcn.h>
#include <espeak-ng/speak_lib.h>
#include <QStringList>

#include "espeakcodes.h"

namespace core {
namespace {

// Longer text is no word; it would only make the user wait.
constexpr qsizetype kLongestWord = 64;

// eSpeak's phoneme names, "_" between the phonemes of a word.
constexpr int kPhonemeNames = int(u'_') << 8;

}  // namespace

QString suggestionKey(const QString& word) {
    QString key = word.trimmed().toLower();
    if (key.size() > kLongestWord) {
        return {};
    }
    bool letter = false;
    for (const QChar c : key) {
        if (c >= u'a' && c <= u'z') {
            letter = true;
        } else if (c != u' ' && c != u'-' && c != u'\'') {
            return {};
        }
    }
    return letter ? key : QString();
}

EspeakSuggestion::EspeakSuggestion() : EspeakSuggestion(Location{}) {}

EspeakSuggestion::EspeakSuggestion(Location location) : location_(std::move(location)) {}

bool EspeakSuggestion::available() {
    if (state_ == State::NotLoaded) {
        state_ = load() ? State::Ready : State::Missing;
    }
    return state_ == State::Ready;
}

bool EspeakSuggestion::load() {
    // The library stays loaded for the rest of the run: its state is process-wide, and unloading
    // it under a second user would pull it away.
    void* library = dlopen(location_.library.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        return false;
    }
    using Initialize = int (*)(espeak_AUDIO_OUTPUT, int, const char*, int);
    using SetVoiceByName = espeak_ERROR (*)(const char*);
    auto initialize = reinterpret_cast<Initialize>(dlsym(library, "espeak_Initialize"));
    auto setVoice = reinterpret_cast<SetVoiceByName>(dlsym(library, "espeak_SetVoiceByName"));
    textToPhonemes_ = reinterpret_cast<TextToPhonemes>(dlsym(library, "espeak_TextToPhonemes"));
    if (initialize == nullptr || setVoice == nullptr || textToPhonemes_ == nullptr) {
        return false;
    }
    const QByteArray data = location_.dataFolder.toLocal8Bit();
    // No sound is made; without DONT_EXIT a missing data file would end the program.
    if (initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, data.isEmpty() ? nullptr : data.constData(),
                   espeakINITIALIZE_DONT_EXIT) <= 0) {
        return false;
    }
    // "en" is eSpeak's English (Great Britain).
    return setVoice("en") == EE_OK;
}

QString EspeakSuggestion::suggest(const QString& word) {
    const QString key = suggestionKey(word);
    if (key.isEmpty() || !available()) {
        return {};
    }
    const QByteArray text = key.toUtf8();
    const void* position = text.constData();
    QStringList pieces;
    // One call per phrase; a hyphen or an apostrophe does not end one, but be sure to read all.
    while (position != nullptr) {
        const char* names = textToPhonemes_(&position, espeakCHARS_UTF8, kPhonemeNames);
        if (names == nullptr) {
            break;
        }
        pieces << QString::fromUtf8(names);
    }
    return codesFromEspeak(pieces.join(u' '), key);
}

}  // namespace core
