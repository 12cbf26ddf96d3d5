// A transcription proposed for a word that the dictionary lacks: eSpeak NG's British (or
// American) English pronunciation of the spelling, written in our codes as the dictionary writes
// them. A first draft for the user to check, never an entry of the dictionary.
#pragma once

#include <QString>

#include "espeaklibrary.h"

namespace core {

class Suggestion {
public:
    virtual ~Suggestion() = default;
    // The codes for a word as typed (blanks around it and the case do not matter); empty when
    // there is none: no suggestion service, or a word that is not made of letters.
    virtual QString suggest(const QString& word) = 0;
    // The same in American English, in the dictionary's American codes; empty where the service
    // has none.
    virtual QString suggestAmerican(const QString& word) {
        Q_UNUSED(word);
        return {};
    }
    // Whether suggestions can be made at all. The first call may load the service.
    virtual bool available() = 0;
};

// Suggestions from eSpeak NG's library, loaded at the first suggestion rather than at start-up:
// most sessions never need it, and it takes a while to read its data.
class EspeakSuggestion final : public Suggestion {
public:
    using Location = platform::EspeakLibrary::Location;

    EspeakSuggestion();
    explicit EspeakSuggestion(Location location);
    EspeakSuggestion(const EspeakSuggestion&) = delete;
    EspeakSuggestion& operator=(const EspeakSuggestion&) = delete;

    QString suggest(const QString& word) override;
    QString suggestAmerican(const QString& word) override;
    bool available() override;

private:
    QString suggestIn(const QString& word, platform::Voice voice);
    // eSpeak's names of the key with the places of its hyphens marked, found by reading each
    // part alone.
    QString withPartsMarked(const QString& names, const QString& key, platform::Voice voice) const;

    Location location_;
    const platform::EspeakLibrary* library_ = nullptr;  // opened at the first suggestion
};

// The word as the suggestion reads it: blanks around it removed, lower case; empty when it holds
// anything but letters, blanks, hyphens and apostrophes, or no letter at all (eSpeak would read
// digits and signs aloud as words).
QString suggestionKey(const QString& word);

}  // namespace core
