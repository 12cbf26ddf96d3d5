// The phonetic notation, read from notation.tsv (embedded at build time). The dictionary, the
// phonetic keyboards, the palettes and the phonetic font all take their codes from this table.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sonabet::notation {

enum class Kind { ConsonantKey, Consonant, Vowel, Mark, Sequence, Rare, DictionaryOnly };

// What the sound a code begins with is; None for a character that begins no code.
enum class SoundClass { None, Vowel, Consonant, Mark };

struct Code {
    Kind kind;
    std::string keyboard;    // empty when the keyboards do not offer it
    std::string dictionary;  // empty when the dictionary does not use it
    std::string symbol;      // UTF-8 IPA, character for character with the codes
    std::string name;        // the keyboard's name for a mark, where it has one
    std::string modern;      // the symbol as today's textbooks print it; empty where the same
    SoundClass soundClass;   // of the sound the code begins with
};

// The raw table text; defined in notation_data.cpp, which the build writes from notation.tsv.
std::string_view tableText();

// The value a table column names; fallback for a name the table does not know.
template <typename Value, std::size_t N>
Value valueOfName(std::string_view name, const std::pair<std::string_view, Value> (&names)[N],
                  Value fallback) {
    for (const auto& [known, value] : names) {
        if (known == name) {
            return value;
        }
    }
    return fallback;
}

inline Kind kindFromName(std::string_view name) {
    static constexpr std::pair<std::string_view, Kind> kKinds[] = {
        {"consonant-key", Kind::ConsonantKey},
        {"consonant", Kind::Consonant},
        {"vowel", Kind::Vowel},
        {"mark", Kind::Mark},
        {"sequence", Kind::Sequence},
        {"rare", Kind::Rare},
        {"dictionary", Kind::DictionaryOnly},
    };
    return valueOfName(name, kKinds, Kind::DictionaryOnly);
}

inline SoundClass soundClassFromName(std::string_view name) {
    static constexpr std::pair<std::string_view, SoundClass> kClasses[] = {
        {"vowel", SoundClass::Vowel},
        {"consonant", SoundClass::Consonant},
        {"mark", SoundClass::Mark},
    };
    return valueOfName(name, kClasses, SoundClass::None);
}

inline std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

// Every code of the table, in table order.
inline const std::vector<Code>& codes() {
    static const std::vector<Code> parsed = [] {
        std::vector<Code> result;
        std::string_view text = tableText();
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            const std::string_view line = text.substr(0, end);
            text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
            if (line.empty() || line.front() == '#') {
                continue;
            }
            auto fields = splitTabs(line);
            fields.resize(7);
            result.push_back(Code{kindFromName(fields[0]), std::string(fields[1]),
                                  std::string(fields[2]), std::string(fields[3]),
                                  std::string(fields[4]), std::string(fields[5]),
                                  soundClassFromName(fields[6])});
        }
        return result;
    }();
    return parsed;
}

// The class of the sound that a code beginning with c begins, from the keyboard and dictionary
// codes of the table: 'B' (of "B:") a vowel, 't' (of "tF") a consonant, '5' a mark. The table
// gives every code with the same first character the same class.
inline SoundClass soundClassOf(char32_t c) {
    static const std::array<SoundClass, 128> classes = [] {
        std::array<SoundClass, 128> result{};
        for (const Code& code : codes()) {
            for (const std::string& written : {code.keyboard, code.dictionary}) {
                const auto first = written.empty() ? 0x80u : static_cast<unsigned char>(written[0]);
                if (first < result.size()) {
                    result[first] = code.soundClass;
                }
            }
        }
        return result;
    }();
    return c < classes.size() ? classes[c] : SoundClass::None;
}

// The characters a stored transcription may hold: the dictionary codes and marks, the
// punctuation of its written forms ("/", "(", ")", "-", the blank) and the full-width comma.
inline bool isDictionaryCharacter(char32_t c) {
    if (c == U'/' || c == U'(' || c == U')' || c == U'-' || c == U' ' || c == U'\uFF0C') {
        return true;
    }
    for (const Code& code : codes()) {
        if (code.dictionary.find(static_cast<char>(c)) != std::string::npos && c < 0x80) {
            return true;
        }
    }
    return false;
}

// Between two pronunciations of one word: "/TE, Ti/". A comma before a syllable is the secondary
// stress.
inline constexpr std::u16string_view kFormSeparator = u", ";

inline constexpr std::size_t kNoSlash = std::string_view::npos;

// The slashes that wrap a transcription ("/TE, Ti/"): the last character but trailing blanks
// when it is a slash, and the first slash before it. A slash alone at the start is the ε of "/E",
// no delimiter. {kNoSlash, kNoSlash} when the codes are not wrapped. Codes: a view of any
// character type, the classic bytes or UTF-16.
template <typename View>
std::pair<std::size_t, std::size_t> wrappingSlashes(View codes) {
    std::size_t close = static_cast<std::size_t>(codes.size());
    while (close > 0 && (codes[close - 1] == u' ' || codes[close - 1] == u'\t')) {
        --close;
    }
    if (close == 0 || codes[close - 1] != u'/') {
        return {kNoSlash, kNoSlash};
    }
    --close;
    std::size_t open = 0;
    while (codes[open] != u'/') {
        ++open;
    }
    if (open == close) {
        return {kNoSlash, kNoSlash};
    }
    return {open, close};
}

}  // namespace sonabet::notation
