#include "suggestion.h"

#include "espeakcodes.h"
#include "espeakhyphens.h"

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

QString EspeakSuggestion::withPartsMarked(const QString& names, const QString& key,
                                          platform::Voice voice) const {
    QStringList words = names.split(u' ', Qt::SkipEmptyParts);
    const QStringList spelt = key.split(u' ', Qt::SkipEmptyParts);
    // Where eSpeak split or joined the words differently, its words are not those of the key.
    if (words.size() != spelt.size()) {
        return names;
    }
    for (qsizetype n = 0; n < words.size(); ++n) {
        const QStringList parts = spelt[n].split(u'-', Qt::SkipEmptyParts);
        if (parts.size() < 2) {
            continue;
        }
        QStringList partNames;
        for (const QString& part : parts) {
            partNames << QString::fromUtf8(
                library_->phonemesOf(part.toUtf8(), kPhonemeNames, voice));
        }
        words[n] = withHyphens(words[n], partNames);
    }
    return words.join(u' ');
}

bool EspeakSuggestion::available() {
    if (library_ == nullptr) {
        library_ = &platform::EspeakLibrary::open(location_);
    }
    return library_->ready();
}

QString EspeakSuggestion::suggest(const QString& word) {
    return suggestIn(word, platform::Voice::British);
}

QString EspeakSuggestion::suggestAmerican(const QString& word) {
    return suggestIn(word, platform::Voice::American);
}

QString EspeakSuggestion::suggestIn(const QString& word, platform::Voice voice) {
    const QString key = suggestionKey(word);
    if (key.isEmpty() || !available()) {
        return {};
    }
    QString names = QString::fromUtf8(library_->phonemesOf(key.toUtf8(), kPhonemeNames, voice));
    if (key.contains(u'-')) {
        names = withPartsMarked(names, key, voice);
    }
    return voice == platform::Voice::American ? americanCodesFromEspeak(names, key)
                                              : codesFromEspeak(names, key);
}

}  // namespace core
