#include "suggestion.h"

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
    if (library_ == nullptr) {
        library_ = &platform::EspeakLibrary::open(location_);
    }
    return library_->ready();
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
        const char* names = library_->textToPhonemes(&position, espeakCHARS_UTF8, kPhonemeNames);
        if (names == nullptr) {
            break;
        }
        pieces << QString::fromUtf8(names);
    }
    return codesFromEspeak(pieces.join(u' '), key);
}

}  // namespace core
