#include "espeakcodes.h"

#include <QStringList>
#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace core {
namespace {

// The conversion rules, the same file the dictionary generator reads.
constexpr std::string_view kRulesText =
#include "conversionrules.inc"
    ;

enum class Kind { Vowel, Consonant, Boundary };

struct Sound {
    std::string code;
    Kind kind = Kind::Consonant;
    int stress = 0;  // 0 none, 1 primary, 2 secondary
};
using Sounds = std::vector<Sound>;
using CodeSet = std::set<std::string, std::less<>>;

constexpr std::size_t kNone = std::string::npos;

// The stress a mark asks for, or -1 when the character is no mark.
int stressOfMark(char c) {
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

std::vector<std::string_view> split(std::string_view text, char separator) {
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

std::vector<std::string_view> fields(std::string_view line) {
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

bool startsWith(std::string_view s, std::string_view head) {
    return s.substr(0, head.size()) == head;
}
bool endsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// Whether the text matches a pattern of letters, * (any letters) and ? (one letter).
bool glob(std::string_view pattern, std::string_view text) {
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

struct Span {
    std::size_t start;
    std::size_t end;
};

// Matches items[k..] at sounds[i..]; the replaced sounds, or nothing.
std::optional<Span> match(const std::vector<Item>& items, std::size_t k, const Sounds& sounds,
                          std::size_t i, Span span) {
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
    explicit RuleSet(std::string_view text) {
        for (std::string_view line : split(text, '\n')) {
            const std::vector<std::string_view> f = fields(line);
            if (!f.empty()) {
                read(f);
            }
        }
        splitStops_ = codes(words("s-split-stops"));
        splitAfter_ = codes(words("s-split-after"));
    }

    const std::vector<EspeakPhoneme>& phonemes() const { return espeakOrder_; }

    // The sounds of one word of eSpeak's phoneme names; nothing when a name is unknown.
    std::optional<Sounds> espeakWord(std::string_view word) const {
        Sounds sounds;
        int pending = 0;  // a stress mark waiting for its vowel
        for (std::string_view piece : split(word, '_')) {
            while (!piece.empty() && (piece.front() == '\'' || piece.front() == ',')) {
                pending = piece.front() == '\'' ? 1 : 2;
                piece.remove_prefix(1);
            }
            if (piece.empty()) {
                continue;  // a stress mark alone, or the pause "_" split away
            }
            const auto phoneme = espeak_.find(piece);
            if (phoneme == espeak_.end()) {
                return std::nullopt;
            }
            for (const Sound& sound : phoneme->second) {
                const bool vowel = sound.kind == Kind::Vowel;
                sounds.push_back(Sound{sound.code, sound.kind, vowel ? pending : 0});
                if (vowel) {
                    pending = 0;
                }
            }
        }
        return sounds;
    }

    // The codes of a pronunciation in the style of the syllabus; spelling is the word.
    std::string codesOf(Sounds sounds, const std::string& spelling) const {
        const auto syllables = std::count_if(sounds.begin(), sounds.end(),
                                             [](const Sound& s) { return s.kind == Kind::Vowel; });
        for (const Rule& rule : rules_) {
            apply(rule, sounds, spelling);
        }
        // The boundaries become places: a syllable's onset begins at the last one before it.
        std::vector<std::size_t> boundaries;
        Sounds plain;
        for (Sound& sound : sounds) {
            if (sound.kind == Kind::Boundary) {
                boundaries.push_back(plain.size());
            } else {
                plain.push_back(std::move(sound));
            }
        }
        std::vector<std::size_t> vowels;
        for (std::size_t i = 0; i < plain.size(); ++i) {
            if (plain[i].kind == Kind::Vowel) {
                vowels.push_back(i);
            }
        }
        stress(plain, vowels, spelling);
        std::map<std::size_t, char> markAt;
        if (syllables > 1) {
            markAt = marks(plain, vowels, boundaries);
        }
        std::string out;
        for (std::size_t i = 0; i < plain.size(); ++i) {
            if (const auto mark = markAt.find(i); mark != markAt.end()) {
                out += mark->second;
            }
            out += plain[i].code;
        }
        return out;
    }

private:
    Kind kindOf(std::string_view code) const {
        if (std::find(vowels_.begin(), vowels_.end(), code) != vowels_.end()) {
            return Kind::Vowel;
        }
        return Kind::Consonant;
    }

    CodeSet codes(const std::vector<std::string_view>& names) const {
        CodeSet out;
        for (std::string_view name : names) {
            if (startsWith(name, "%")) {
                if (const auto set = sets_.find(name.substr(1)); set != sets_.end()) {
                    out.insert(set->second.begin(), set->second.end());
                }
            } else {
                out.insert(std::string(name));
            }
        }
        return out;
    }

    const std::vector<std::string_view>& words(std::string_view key) const {
        static const std::vector<std::string_view> kNone;
        const auto found = stressWords_.find(key);
        return found == stressWords_.end() ? kNone : found->second;
    }

    void read(const std::vector<std::string_view>& f) {
        const std::string_view keyword = f[0];
        const std::vector<std::string_view> rest(f.begin() + 1, f.end());
        if (keyword == "vowels") {
            vowels_.insert(vowels_.end(), rest.begin(), rest.end());
            sets_["vowels"] = codes(vowels_);
        } else if (keyword == "consonants") {
            consonants_.insert(consonants_.end(), rest.begin(), rest.end());
            sets_["consonants"] = codes(consonants_);
        } else if (keyword == "alias" && rest.size() == 2) {
            aliases_[std::string(rest[0])] = std::string(rest[1]);
        } else if (keyword == "set" && !rest.empty()) {
            sets_[std::string(rest[0])] = codes({rest.begin() + 1, rest.end()});
        } else if (keyword == "espeak" && !rest.empty()) {
            Sounds sounds;
            for (std::size_t i = 1; i < rest.size(); ++i) {
                sounds.push_back(Sound{std::string(rest[i]), kindOf(rest[i]), 0});
            }
            espeak_[std::string(rest[0])] = sounds;
            espeakOrder_.push_back(EspeakPhoneme{rest[0],
                                                 rest.size() > 1 ? rest[1] : std::string_view(),
                                                 rest.size() > 2 ? rest[2] : std::string_view()});
        } else if (keyword == "onset") {
            onsets_.insert(std::vector<std::string>(rest.begin(), rest.end()));
        } else if (keyword == "stress" && !rest.empty()) {
            stressWords_[std::string(rest[0])] = {rest.begin() + 1, rest.end()};
        } else if (keyword == "rule") {
            rules_.push_back(rule(rest));
        }
    }

    Rule rule(const std::vector<std::string_view>& tokens) const {
        Rule rule;
        auto token = tokens.begin();
        for (; token != tokens.end() && *token != ":"; ++token) {
            rule.conditions.push_back(condition(*token));
        }
        for (++token; token < tokens.end() && *token != "->"; ++token) {
            items(*token, rule.items);
        }
        if (token < tokens.end()) {
            rule.replacement.assign(token + 1, tokens.end());
        }
        for (const Item& item : rule.items) {
            if (item.type == Item::Type::Sound && item.repeat == 0 && !item.start) {
                CodeSet wanted;
                std::set_difference(item.codes.begin(), item.codes.end(), item.excluded.begin(),
                                    item.excluded.end(), std::inserter(wanted, wanted.end()));
                rule.required.push_back(std::move(wanted));
            }
        }
        return rule;
    }

    static Condition condition(std::string_view text) {
        Condition c;
        if (startsWith(text, "len<=")) {
            c.type = Condition::Type::AtMost;
            c.length = std::stoul(std::string(text.substr(5)));
        } else if (startsWith(text, "len>")) {
            c.type = Condition::Type::MoreThan;
            c.length = std::stoul(std::string(text.substr(4)));
        } else {
            c.negated = startsWith(text, "!");
            c.patterns = split(c.negated ? text.substr(1) : text, '|');
        }
        return c;
    }

    // The items of one token of a pattern; brackets around the replaced sounds are items of
    // their own.
    void items(std::string_view token, std::vector<Item>& out) const {
        if (token == "[]") {
            out.push_back(Item::of(Item::Type::Open));
            out.push_back(Item::of(Item::Type::Close));
            return;
        }
        const bool open = token.size() > 1 && token.front() == '[';
        const bool close = token.size() > 1 && token.back() == ']';
        if (open) {
            out.push_back(Item::of(Item::Type::Open));
            token.remove_prefix(1);
        }
        if (close) {
            token.remove_suffix(1);
        }
        out.push_back(item(token));
        if (close) {
            out.push_back(Item::of(Item::Type::Close));
        }
    }

    Item item(std::string_view token) const {
        for (const auto& [name, type] : kMarkItems) {
            if (token == name) {
                return Item::of(type);
            }
        }
        Item item;
        if (startsWith(token, "!")) {
            item.type = Item::Type::NotNext;
            item.codes = codes(split(token.substr(1), '|'));
            return item;
        }
        if (endsWith(token, "?") || endsWith(token, "*")) {
            item.repeat = token.back();
            token.remove_suffix(1);
        }
        if (!token.empty() && stressOfMark(token.front()) >= 0) {
            item.stress = stressOfMark(token.front());
            token.remove_prefix(1);
        }
        const std::size_t bang = token.find('!');
        std::vector<std::string_view> names = split(token.substr(0, bang), '|');
        const auto start = std::find(names.begin(), names.end(), "^");
        if (start != names.end()) {
            item.start = true;
            names.erase(start);
        }
        item.codes = codes(names);
        if (bang != kNone) {
            item.excluded = codes(split(token.substr(bang + 1), '|'));
        }
        return item;
    }

    Sounds replacement(const std::vector<std::string_view>& tokens, Sounds::const_iterator from,
                       Sounds::const_iterator to) const {
        const auto firstVowel =
            std::find_if(from, to, [](const Sound& s) { return s.kind == Kind::Vowel; });
        const int spanStress = firstVowel == to ? 0 : firstVowel->stress;
        Sounds out;
        for (std::string_view token : tokens) {
            if (token == "=") {
                out.insert(out.end(), from, to);
            } else if (token == ".") {
                out.push_back(Sound{".", Kind::Boundary, 0});
            } else {
                const int own = token.size() > 1 ? stressOfMark(token.front()) : -1;
                if (own >= 0) {
                    token.remove_prefix(1);
                }
                const Kind kind = kindOf(token);
                const int s = kind != Kind::Vowel ? 0 : own >= 0 ? own : spanStress;
                out.push_back(Sound{std::string(token), kind, s});
            }
        }
        return out;
    }

    // The sounds with the rule applied wherever it matches, left to right.
    void apply(const Rule& rule, Sounds& sounds, const std::string& spelling) const {
        if (!std::all_of(rule.conditions.begin(), rule.conditions.end(),
                         [&](const Condition& c) { return c.holds(spelling); })) {
            return;
        }
        for (const CodeSet& wanted : rule.required) {
            if (std::none_of(sounds.begin(), sounds.end(),
                             [&](const Sound& s) { return wanted.count(s.code) > 0; })) {
                return;
            }
        }
        std::size_t i = 0;
        while (i <= sounds.size()) {
            const std::optional<Span> found = match(rule.items, 0, sounds, i, {kNone, kNone});
            if (!found) {
                ++i;
                continue;
            }
            const auto from = sounds.begin() + std::ptrdiff_t(found->start);
            const auto to = sounds.begin() + std::ptrdiff_t(found->end);
            Sounds added = replacement(rule.replacement, from, to);
            const std::size_t length = added.size();
            sounds.erase(from, to);
            sounds.insert(sounds.begin() + std::ptrdiff_t(found->start),
                          std::make_move_iterator(added.begin()),
                          std::make_move_iterator(added.end()));
            i = std::max(found->start + length, i + 1);
        }
    }

    bool has(std::string_view key, std::string_view value) const {
        const auto& values = words(key);
        return std::find(values.begin(), values.end(), value) != values.end();
    }
    bool startsWithOne(const std::string& spelling, std::string_view key) const {
        const auto& values = words(key);
        return std::any_of(values.begin(), values.end(),
                           [&](std::string_view v) { return startsWith(spelling, v); });
    }

    void stress(Sounds& sounds, const std::vector<std::size_t>& vowels,
                const std::string& spelling) const {
        const auto anyFrom = [&](std::size_t from, int wanted) {
            return std::any_of(vowels.begin() + std::ptrdiff_t(std::min(from, vowels.size())),
                               vowels.end(),
                               [&](std::size_t i) { return sounds[i].stress == wanted; });
        };
        bool noSecondary = !anyFrom(0, 2);
        const bool primaryLate = anyFrom(2, 1);
        if (startsWithOne(spelling, "secondary-prefixes") && vowels.size() > 2 && noSecondary &&
            sounds[vowels[0]].stress == 0 && primaryLate) {
            sounds[vowels[0]].stress = 2;
            noSecondary = false;
        }
        if (vowels.size() > 2 && noSecondary && sounds[vowels[0]].stress == 0 &&
            sounds[vowels[1]].stress == 0 && !has("unmarked-vowels", sounds[vowels[0]].code) &&
            primaryLate) {
            sounds[vowels[0]].stress = 2;
        }
        if (doubleStress(sounds, vowels, spelling)) {
            sounds[vowels[0]].stress = 1;
            return;
        }
        // One word has one primary stress, the last.
        std::vector<std::size_t> primaries;
        std::copy_if(vowels.begin(), vowels.end(), std::back_inserter(primaries),
                     [&](std::size_t i) { return sounds[i].stress == 1; });
        for (std::size_t n = 0; n + 1 < primaries.size(); ++n) {
            sounds[primaries[n]].stress = 2;
        }
    }

    bool doubleStress(Sounds& sounds, const std::vector<std::size_t>& vowels,
                      const std::string& spelling) const {
        if (vowels.size() < 2 || std::none_of(vowels.begin(), vowels.end(), [&](std::size_t i) {
                return sounds[i].stress == 1;
            })) {
            return false;
        }
        const auto endings = words("double-endings");
        if (std::any_of(endings.begin(), endings.end(),
                        [&](std::string_view e) { return endsWith(spelling, e); })) {
            for (std::size_t i : vowels) {
                sounds[i].stress = i == vowels.front() || i == vowels.back() ? 1 : 0;
            }
            return true;
        }
        Sound& first = sounds[vowels[0]];
        if (startsWithOne(spelling, "double-prefixes") &&
            !startsWithOne(spelling, "double-prefix-exceptions") && first.stress == 2 &&
            !has("double-prefix-unstressed", first.code)) {
            first.stress = 1;
            return true;
        }
        const auto unSounds = words("double-un-sounds");
        if (vowels.size() != 2 || sounds[vowels[1]].stress != 1 ||
            !startsWithOne(spelling, "double-un-spelling") ||
            has("double-un-exceptions", spelling) || sounds.size() < unSounds.size()) {
            return false;
        }
        for (std::size_t i = 0; i < unSounds.size(); ++i) {
            if (sounds[i].code != unSounds[i]) {
                return false;
            }
        }
        return true;
    }

    bool isOnset(const std::vector<std::string>& consonants) const {
        std::vector<std::string> named;
        for (const std::string& c : consonants) {
            const auto alias = aliases_.find(c);
            named.push_back(alias == aliases_.end() ? c : alias->second);
        }
        if (named.size() == 1) {
            return named[0] != "N";
        }
        return onsets_.count(named) > 0;
    }

    // Where the syllable of the vowel at vowel begins, by the longest onset English allows.
    std::size_t onsetStart(const Sounds& sounds, std::size_t vowel,
                           const std::vector<std::size_t>& boundaries) const {
        std::size_t start = vowel;
        while (start > 0 && sounds[start - 1].kind == Kind::Consonant) {
            --start;
        }
        for (std::size_t boundary : boundaries) {
            if (boundary <= vowel) {
                start = std::max(start, boundary);
            }
        }
        if (start == 0) {
            return 0;  // the consonants a word begins with begin its first syllable
        }
        for (std::size_t cut = start; cut < vowel; ++cut) {
            std::vector<std::string> onset;
            for (std::size_t i = cut; i < vowel; ++i) {
                onset.push_back(sounds[i].code);
            }
            // An s before a stop stays with the sound before it: "dis5kraib", "iks5pekt".
            if (cut > 0 && onset[0] == "s" && onset.size() > 1 && splitStops_.count(onset[1]) > 0 &&
                splitAfter_.count(sounds[cut - 1].code) > 0) {
                continue;
            }
            if (isOnset(onset)) {
                return cut;
            }
        }
        return vowel;
    }

    std::map<std::size_t, char> marks(const Sounds& sounds, const std::vector<std::size_t>& vowels,
                                      const std::vector<std::size_t>& boundaries) const {
        std::map<std::size_t, char> out;
        const auto primary = std::find_if(vowels.begin(), vowels.end(),
                                          [&](std::size_t i) { return sounds[i].stress == 1; });
        for (auto v = vowels.begin(); v != vowels.end(); ++v) {
            const int level = sounds[*v].stress;
            if (level == 1) {
                out[onsetStart(sounds, *v, boundaries)] = '5';
            } else if (level == 2 && primary != vowels.end() && v < primary) {
                // A secondary stress only some way before the primary one; right before a final
                // stressed syllable a second primary ("northwest" "5nR:W5west").
                if (primary - v > 1) {
                    out[onsetStart(sounds, *v, boundaries)] = ',';
                } else if (*primary == vowels.back()) {
                    out[onsetStart(sounds, *v, boundaries)] = '5';
                }
            }
        }
        return out;
    }

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
};

const RuleSet& rules() {
    static const RuleSet set(kRulesText);
    return set;
}

}  // namespace

std::span<const EspeakPhoneme> espeakPhonemes() {
    return rules().phonemes();
}

QString codesFromEspeak(const QString& phonemeNames, const QString& spelling) {
    const QStringList words = phonemeNames.split(u' ', Qt::SkipEmptyParts);
    const QStringList spelt = spelling.toLower().split(u' ', Qt::SkipEmptyParts);
    QStringList written;
    for (qsizetype n = 0; n < words.size(); ++n) {
        const std::optional<Sounds> sounds = rules().espeakWord(words[n].toStdString());
        if (!sounds) {
            return {};
        }
        if (sounds->empty()) {
            continue;
        }
        // The spelling rules need the word that was said; when eSpeak split or joined the words
        // differently, they are left out.
        const std::string word =
            spelt.size() == words.size() ? spelt[n].toStdString() : std::string();
        written << QString::fromStdString(rules().codesOf(*sounds, word));
    }
    return written.join(u' ');
}

}  // namespace core
