// Our phonetic codes as eSpeak NG phoneme input for its British English voice, so that speech
// says the transcription on screen rather than eSpeak's own reading of the spelling: the inverse
// of the suggestion's phoneme table, stress and length kept.
#pragma once

#include <QString>
#include <span>
#include <string_view>

#include "espeaklibrary.h"

namespace core {

// One code of the notation and the eSpeak phonemes that say it ("|" between two). Whether it is
// a vowel the notation table tells by its first character.
struct CodeSound {
    std::string_view code;
    std::string_view phonemes;
    // Said instead when a vowel follows in the word; empty when the same. eSpeak's schwa would
    // otherwise link to a following vowel with an r.
    std::string_view beforeVowel = {};
    // Said instead at the end of a word; empty when the same. A final i is eSpeak's i of "happy",
    // not the clipped one of "hit".
    std::string_view atWordEnd = {};
};

// Every code speech knows: the vowels and consonants of the keyboards and the dictionary, and
// the nearest British sound for the rare symbols.
std::span<const CodeSound> codeSounds();

// The first pronunciation of a transcription, as eSpeak phoneme input between "[[" and "]]":
// "5kwRliti" gives "[['k|w|0|l|I|t|i]]", "/TE, Ti/" gives "[[D|@]]". Stress marks stay where
// they stand, blanks part words, sounds in parentheses are optional and left out, hyphens and
// other characters that are no codes are passed over. Empty when nothing in it can be said. The
// American voice says American codes: "5kwB:lEti", "b\:rd" gives "[[b|3:|d]]".
QString speechPhonemes(const QString& codes, platform::Voice voice = platform::Voice::British);

}  // namespace core
