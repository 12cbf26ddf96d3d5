#include "speechphonemes.h"

#include <QStringView>
#include <algorithm>
#include <iterator>
#include <vector>

#include "notation.h"

namespace core {
namespace {

// The codes and eSpeak's mnemonics for its British English voice. The classic letters stand for
// the modern sounds: R for the vowel of "on", E: for that of "bird", /E for that of "air".
constexpr CodeSound kCodeSounds[] = {
    // Vowels of the keyboards and the dictionary; a length mark is part of its vowel's code.
    {"i:", "i:"},
    {"i", "I", {}, "i"},
    {"e", "E"},
    {"A", "a"},
    {"E:", "3:"},
    {"E", "@", "@-"},
    {"Q", "V"},
    {"a:", "A:"},
    {"R", "0"},
    {"C", "0"},
    {"R:", "O:"},
    {"C:", "O:"},
    {"u", "U"},
    {"u:", "u:"},
    {"ai", "aI"},
    {"ei", "eI"},
    {"Ri", "OI"},
    {"Ci", "OI"},
    {"Eu", "oU"},
    {"au", "aU"},
    {"iE", "i@"},
    {"/E", "e@"},
    {"ZE", "e@"},
    {"uE", "U@"},
    // Consonants; ts, dz, tr and dr are their two sounds.
    {"F", "S"},
    {"W", "T"},
    {"tF", "tS"},
    {"ts", "t|s"},
    {"V", "Z"},
    {"T", "D"},
    {"dV", "dZ"},
    {"dz", "d|z"},
    {"N", "N"},
    {"p", "p"},
    {"t", "t"},
    {"k", "k"},
    {"f", "f"},
    {"s", "s"},
    {"tr", "t|r"},
    {"m", "m"},
    {"n", "n"},
    {"l", "l"},
    {"b", "b"},
    {"d", "d"},
    {"g", "g"},
    {"v", "v"},
    {"z", "z"},
    {"dr", "d|r"},
    {"h", "h"},
    {"r", "r"},
    {"j", "j"},
    {"w", "w"},
    // The dictionary's "ou" for the vowel of "go"; a slash without its E is still the ε of "air".
    {"ou", "oU"},
    {"/", "E"},
    // The rare symbols: their own sound where the voice has it, else the nearest British one.
    {"Z", "E"},
    {"]", "C"},
    {"G", "Q"},
    {"M", "n^"},
    {"B", "A:"},
    {"\\", "3:"},
    {"H", "w"},
    {"I", "I"},
    {"J", "U"},
    {"K", "U"},
    {"L", "3"},
    {"O", "3:"},
    {"P", "@"},
    {"X", "3:"},
    // The diphthongs as American transcriptions write them.
    {"aI", "aI"},
    {"aJ", "aU"},
    {"eI", "eI"},
    {"RI", "OI"},
    {"oJ", "oU"},
    // Letters that are codes only as halves of others.
    {"a", "a"},
    {"o", "0"},
};

// What the American voice says otherwise: its r-coloured vowels, which a written r after them
// would only double.
constexpr CodeSound kAmericanSounds[] = {
    {"\\:r", "3:"},
    {"Er", "3"},
};

constexpr qsizetype kLongestCode = 2;

// Our stress marks and eSpeak's: primary, the keyboards' secondary, the dictionary's secondary.
constexpr std::pair<char16_t, char> kStressMarks[] = {{u'5', '\''}, {u'7', ','}, {u',', ','}};

// What parts words: blanks, and the full-width comma of "get up" "get，Qp".
constexpr char16_t kWordBreaks[] = {u' ', u'\t', u'\uFF0C'};

bool isVowel(const CodeSound& sound) {
    return sonabet::notation::soundClassOf(char32_t(sound.code.front())) ==
           sonabet::notation::SoundClass::Vowel;
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool isWordBreak(QChar c) {
    return std::find(std::begin(kWordBreaks), std::end(kWordBreaks), c.unicode()) !=
           std::end(kWordBreaks);
}

// The first of several pronunciations, without the slashes that wrap them ("/TE, Ti/" gives
// "TE"). A slash alone at the start is the vowel of "air" ("/E"), not a delimiter.
QStringView firstPronunciation(QStringView codes) {
    const auto [open, close] = sonabet::notation::wrappingSlashes(codes);
    if (open != sonabet::notation::kNoSlash) {
        codes = codes.mid(qsizetype(open) + 1, qsizetype(close - open) - 1);
    }
    // A comma before a blank separates pronunciations; before a syllable it is a stress mark.
    for (qsizetype i = 0; i + 1 < codes.size(); ++i) {
        if (codes[i] == u',' && isBlank(codes[i + 1])) {
            return codes.first(i);
        }
    }
    return codes;
}

const CodeSound* codeAt(QStringView codes, qsizetype at, qsizetype* length, platform::Voice voice) {
    if (voice == platform::Voice::American) {
        for (const CodeSound& sound : kAmericanSounds) {
            const QLatin1String code(sound.code.data(), qsizetype(sound.code.size()));
            if (codes.mid(at, code.size()) == code) {
                *length = code.size();
                return &sound;
            }
        }
    }
    for (qsizetype n = std::min(kLongestCode, codes.size() - at); n > 0; --n) {
        const QStringView piece = codes.mid(at, n);
        // A diphthong into E gives its E up to a longer vowel, as the dictionary reads it: "iEu"
        // is i and Eu ("radio" "5reidiEu"), "iE:" i and E:.
        if (n > 1 && piece.back() == u'E' && at + n < codes.size() &&
            (codes[at + n] == u':' || codes[at + n] == u'u')) {
            continue;
        }
        for (const CodeSound& sound : kCodeSounds) {
            if (QLatin1String(sound.code.data(), qsizetype(sound.code.size())) == piece) {
                *length = n;
                return &sound;
            }
        }
    }
    return nullptr;
}

char stressMarkOf(QChar c) {
    for (const auto& [code, phoneme] : kStressMarks) {
        if (c == code) {
            return phoneme;
        }
    }
    return 0;
}

struct Said {
    const CodeSound* sound;
    char stress;  // eSpeak's mark before it, or 0
};
using Word = std::vector<Said>;

std::vector<Word> wordsOf(QStringView codes, platform::Voice voice) {
    std::vector<Word> words(1);
    char stress = 0;
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const QChar c = codes[i];
        if (c == u'(') {
            const qsizetype close = codes.indexOf(u')', i);
            i = close > i ? close : i;
            continue;
        }
        if (isWordBreak(c)) {
            if (!words.back().empty()) {
                words.emplace_back();
            }
            stress = 0;
            continue;
        }
        if (const char mark = stressMarkOf(c)) {
            stress = mark;
            continue;
        }
        qsizetype length = 0;
        if (const CodeSound* sound = codeAt(codes, i, &length, voice)) {
            words.back().push_back({sound, stress});
            stress = 0;
            i += length - 1;
        }
        // Anything else (a hyphen, a length mark after a vowel without a long form) says nothing.
    }
    if (words.back().empty()) {
        words.pop_back();
    }
    return words;
}

}  // namespace

std::span<const CodeSound> codeSounds() {
    return kCodeSounds;
}

QString speechPhonemes(const QString& codes, platform::Voice voice) {
    const std::vector<Word> words = wordsOf(firstPronunciation(codes), voice);
    if (words.empty()) {
        return {};
    }
    QString input = QStringLiteral("[[");
    for (const Word& word : words) {
        if (&word != &words.front()) {
            input += u' ';
        }
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (i > 0) {
                input += u'|';
            }
            if (word[i].stress != 0) {
                input += QLatin1Char(word[i].stress);
            }
            const CodeSound& sound = *word[i].sound;
            std::string_view said = sound.phonemes;
            if (i + 1 == word.size() && !sound.atWordEnd.empty()) {
                said = sound.atWordEnd;
            } else if (i + 1 < word.size() && !sound.beforeVowel.empty() &&
                       isVowel(*word[i + 1].sound)) {
                said = sound.beforeVowel;
            }
            input += QLatin1String(said.data(), qsizetype(said.size()));
        }
    }
    return input + QStringLiteral("]]");
}

}  // namespace core
