// eSpeak NG's phoneme names ("k_w_'0_l_I2_t_i") written as our phonetic codes in the style of
// the dictionary ("5kwRliti"), by the rules the dictionary generator writes its tables with: the
// file tools/dictionary/conversion_rules.txt, compiled in and read here with the same steps as
// the generator's tools/dictionary/coderules.py.
#pragma once

#include <QString>
#include <QStringList>
#include <span>
#include <string_view>

namespace core {

// One phoneme of eSpeak's British English voice and what the dictionary writes for it: up to two
// sounds (eSpeak's "aI@" is the vowel ai followed by a schwa).
struct EspeakPhoneme {
    std::string_view name;
    std::string_view first;
    std::string_view second;  // empty when the phoneme is one sound
};

// Every phoneme name the suggestion understands; names that stand for no sound (eSpeak's
// syllable and pause markers) have no codes.
std::span<const EspeakPhoneme> espeakPhonemes();

// phonemeNames: the output of eSpeak's text-to-phonemes call with "_" between phonemes and a blank
// between words; spelling: the words as typed, for the rules that depend on spelling. Empty when
// a phoneme is unknown or there is no sound at all.
QString codesFromEspeak(const QString& phonemeNames, const QString& spelling);

// The same for eSpeak's American English voice, in the American codes of the dictionary
// ("k_w_'O2_l_I#_t#_i" "5kwR:lIti"), by the rules of core/lookup/american_rules.txt.
std::span<const EspeakPhoneme> americanEspeakPhonemes();
QString americanCodesFromEspeak(const QString& phonemeNames, const QString& spelling);

}  // namespace core
