// The conversion rules of the dictionary generator as the suggestion reads and applies them: the
// sounds, eSpeak's phonemes, the onsets, the rewriting rules and the words of the stress step.
// Read in espeakrules.cpp, applied in espeakcodes.cpp.
#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "espeakcodes.h"

namespace core::espeakrules {

enum class Kind { Vowel, Consonant, Boundary };

struct Sound {
    std::string code;
    Kind kind = Kind::Consonant;
    int stress = 0;  // 0 none, 1 primary, 2 secondary
    // The first sound of a part of a hyphenated word. Not a sound of its own, so that the rules
    // read the word as eSpeak says it, across the hyphen ("counter-attack" keeps one r).
    bool partStart = false;
};
using Sounds = std::vector<Sound>;
using CodeSet = std::set<std::string, std::less<>>;

constexpr std::size_t kNone = std::string::npos;

// The stress a mark asks for, or -1 when the character is no mark.
inline int stressOfMark(char c) {
    switch (c) {
        case '\'':
            return 1;
        case ',':
            return 2;
        case '-':
            return 0;
        default:
            return -1;
    }
}

inline std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t from = 0;
    while (true) {
        const std::size_t at = text.find(separator, from);
        parts.push_back(text.substr(from, at == kNone ? kNone : at - from));
        if (at == kNone) {
            return parts;
        }
        from = at + 1;
    }
}

inline std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        const std::size_t from = line.find_first_not_of(" \t\r", i);
        if (from == kNone) {
            break;
        }
        const std::size_t to = std::min(line.find_first_of(" \t\r", from), line.size());
        const std::string_view field = line.substr(from, to - from);
        // A comment begins with a field that begins with "#" (eSpeak's "a#" is a name).
        if (field.front() == '#') {
            break;
        }
        out.push_back(field);
        i = to;
    }
    return out;
}

inline bool startsWith(std::string_view s, std::string_view head) {
    return s.substr(0, head.size()) == head;
}
inline bool endsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// Whether the text matches a pattern of letters, * (any letters) and ? (one letter).
inline bool glob(std::string_view pattern, std::string_view text) {
    if (pattern.empty()) {
        return text.empty();
    }
    if (pattern.front() == '*') {
        for (std::size_t i = 0; i <= text.size(); ++i) {
            if (glob(pattern.substr(1), text.substr(i))) {
                return true;
            }
        }
        return false;
    }
    return !text.empty() && (pattern.front() == '?' || pattern.front() == text.front()) &&
           glob(pattern.substr(1), text.substr(1));
}

// A condition on the spelling: letters with * and ?, several joined by |, "!" for none of
// them; or len<=N, len>N.
struct Condition {
    enum class Type { Spelling, AtMost, MoreThan } type = Type::Spelling;
    bool negated = false;
    std::vector<std::string_view> patterns;
    std::size_t length = 0;

    bool holds(const std::string& spelling) const {
        switch (type) {
            case Type::AtMost:
                return spelling.size() <= length;
            case Type::MoreThan:
                return spelling.size() > length;
            case Type::Spelling:
                break;
        }
        const bool found = std::any_of(patterns.begin(), patterns.end(),
                                       [&](std::string_view p) { return glob(p, spelling); });
        return found != negated;
    }
};

// One item of a pattern.
struct Item {
    enum class Type { Open, Close, Start, End, NotNext, Gap, Sound } type = Type::Sound;
    CodeSet codes;
    CodeSet excluded;
    bool start = false;  // the start of the word is one of the alternatives
    int stress = -1;     // -1: any
    char repeat = 0;     // '?', '*' or 0

    static Item of(Type type) {
        Item item;
        item.type = type;
        return item;
    }

    bool accepts(const Sound& sound) const {
        return sound.kind != Kind::Boundary && codes.count(sound.code) > 0 &&
               excluded.count(sound.code) == 0 && (stress < 0 || sound.stress == stress);
    }
};

// The items of a pattern that are marks rather than sounds.
constexpr std::pair<std::string_view, Item::Type> kMarkItems[] = {
    {"[", Item::Type::Open}, {"]", Item::Type::Close}, {"^", Item::Type::Start},
    {"$", Item::Type::End},  {"...", Item::Type::Gap},
};

struct Rule {
    std::vector<Condition> conditions;
    std::vector<Item> items;
    std::vector<std::string_view> replacement;
    std::vector<CodeSet> required;  // sounds without which the pattern cannot match
};

// Where the rules' syllable boundaries and the hyphens of the word fall among its sounds.
struct Boundaries {
    std::vector<std::size_t> syllables;
    std::vector<std::size_t> hyphens;
};

// The name that eSpeak's names of a hyphenated word have where a part begins (withHyphens()).
constexpr std::string_view kHyphen = "-";

struct Span {
    std::size_t start;
    std::size_t end;
};

// Matches items[k..] at sounds[i..]; the replaced sounds, or nothing.
inline std::optional<Span> match(const std::vector<Item>& items, std::size_t k,
                                 const Sounds& sounds, std::size_t i, Span span) {
    if (k == items.size()) {
        return span;
    }
    const Item& item = items[k];
    switch (item.type) {
        case Item::Type::Open:
            return match(items, k + 1, sounds, i, {i, span.end});
        case Item::Type::Close:
            return match(items, k + 1, sounds, i, {span.start, i});
        case Item::Type::Start:
            return i == 0 ? match(items, k + 1, sounds, i, span) : std::nullopt;
        case Item::Type::End:
            return i == sounds.size() ? match(items, k + 1, sounds, i, span) : std::nullopt;
        case Item::Type::NotNext:
            if (i < sounds.size() && item.codes.count(sounds[i].code) > 0) {
                return std::nullopt;
            }
            return match(items, k + 1, sounds, i, span);
        case Item::Type::Gap:
            for (std::size_t j = i; j <= sounds.size(); ++j) {
                if (auto found = match(items, k + 1, sounds, j, span)) {
                    return found;
                }
            }
            return std::nullopt;
        case Item::Type::Sound:
            break;
    }
    // A sound: as many as may be, the most first.
    const std::size_t most = item.repeat == '*' ? sounds.size() - i : 1;
    std::size_t count = 0;
    while (count < most && i + count < sounds.size() && item.accepts(sounds[i + count])) {
        ++count;
    }
    const std::size_t least = item.repeat == '?' || item.repeat == '*' ? 0 : 1;
    for (std::size_t n = count + 1; n-- > least;) {
        if (auto found = match(items, k + 1, sounds, i + n, span)) {
            return found;
        }
    }
    if (item.start && i == 0 && least == 1) {
        return match(items, k + 1, sounds, i, span);
    }
    return std::nullopt;
}

class RuleSet {
public:
    explicit RuleSet(std::string_view text);

    const std::vector<EspeakPhoneme>& phonemes() const { return espeakOrder_; }

    // The sounds of one word of eSpeak's phoneme names; nothing when a name is unknown.
    std::optional<Sounds> espeakWord(std::string_view word) const;

    // The codes of a pronunciation in the style of the syllabus; spelling is the word.
    std::string codesOf(Sounds sounds, const std::string& spelling) const;

private:
    Kind kindOf(std::string_view code) const;

    CodeSet codes(const std::vector<std::string_view>& names) const;

    const std::vector<std::string_view>& words(std::string_view key) const;

    void read(const std::vector<std::string_view>& f);

    Rule rule(const std::vector<std::string_view>& tokens) const;

    static Condition condition(std::string_view text);

    // The items of one token of a pattern; brackets around the replaced sounds are items of
    // their own.
    void items(std::string_view token, std::vector<Item>& out) const;

    Item item(std::string_view token) const;

    Sounds replacement(const std::vector<std::string_view>& tokens, Sounds::const_iterator from,
                       Sounds::const_iterator to) const;

    // The sounds with the rule applied wherever it matches, left to right.
    void apply(const Rule& rule, Sounds& sounds, const std::string& spelling) const;

    bool has(std::string_view key, std::string_view value) const;
    bool startsWithOne(const std::string& spelling, std::string_view key) const;

    void stress(Sounds& sounds, const std::vector<std::size_t>& vowels,
                const std::string& spelling) const;

    bool doubleStress(Sounds& sounds, const std::vector<std::size_t>& vowels,
                      const std::string& spelling) const;

    bool isOnset(const std::vector<std::string>& consonants) const;

    // Where the syllable of the vowel at vowel begins, by the longest onset English allows; the
    // consonants after a hyphen begin the syllable of their part, as those of a word do.
    std::size_t onsetStart(const Sounds& sounds, std::size_t vowel,
                           const Boundaries& boundaries) const;

    std::map<std::size_t, char> marks(const Sounds& sounds, const std::vector<std::size_t>& vowels,
                                      const Boundaries& boundaries) const;

    std::vector<std::string_view> vowels_;
    std::vector<std::string_view> consonants_;
    std::map<std::string, std::string, std::less<>> aliases_;
    std::map<std::string, CodeSet, std::less<>> sets_;
    std::map<std::string, Sounds, std::less<>> espeak_;
    std::vector<EspeakPhoneme> espeakOrder_;
    std::set<std::vector<std::string>> onsets_;
    std::map<std::string, std::vector<std::string_view>, std::less<>> stressWords_;
    std::vector<Rule> rules_;
    // An s before one of the stops stays with the syllable before it when that ends in one of
    // the sounds after which it splits ("dis5kraib").
    CodeSet splitStops_;
    CodeSet splitAfter_;
    // The mark of a secondary stress right before a final stressed syllable.
    char beforeFinalMark_ = '5';
};

}  // namespace core::espeakrules
