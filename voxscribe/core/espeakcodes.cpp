#include "espeakcodes.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace core {
namespace {

constexpr bool V = true;   // a vowel
constexpr bool C = false;  // a consonant

// eSpeak's phoneme names (its ASCII mnemonics for British English) and the dictionary's codes.
// The reduced vowels all become the schwa E, the r-coloured vowels lose their r as British
// English does, and the classic letters stand for the modern symbols: R for the short o, R: for
// the long one, E: for the vowel of "bird", /E for the vowel of "air".
constexpr std::array kPhonemes = {
    // Vowels.
    EspeakPhoneme{"a", "A", V, "", C},
    EspeakPhoneme{"a#", "E", V, "", C},
    EspeakPhoneme{"aa", "a:", V, "", C},
    EspeakPhoneme{"A:", "a:", V, "", C},
    EspeakPhoneme{"A@", "a:", V, "", C},
    EspeakPhoneme{"A~", "a:", V, "", C},
    EspeakPhoneme{"@", "E", V, "", C},
    EspeakPhoneme{"@-", "E", V, "", C},
    EspeakPhoneme{"3", "E", V, "", C},
    EspeakPhoneme{"3:", "E:", V, "", C},
    EspeakPhoneme{"@L", "E", V, "l", C},
    EspeakPhoneme{"e", "e", V, "", C},
    EspeakPhoneme{"E", "e", V, "", C},
    EspeakPhoneme{"I", "i", V, "", C},
    EspeakPhoneme{"I2", "i", V, "", C},
    EspeakPhoneme{"i", "i", V, "", C},
    EspeakPhoneme{"i:", "i:", V, "", C},
    EspeakPhoneme{"0", "R", V, "", C},
    EspeakPhoneme{"O", "R", V, "", C},
    EspeakPhoneme{"O~", "R", V, "", C},
    EspeakPhoneme{"O:", "R:", V, "", C},
    EspeakPhoneme{"O@", "R:", V, "", C},
    EspeakPhoneme{"o@", "R:", V, "", C},
    EspeakPhoneme{"U", "u", V, "", C},
    EspeakPhoneme{"u:", "u:", V, "", C},
    EspeakPhoneme{"V", "Q", V, "", C},
    EspeakPhoneme{"aI", "ai", V, "", C},
    EspeakPhoneme{"aI@", "ai", V, "E", V},
    EspeakPhoneme{"aU", "au", V, "", C},
    EspeakPhoneme{"eI", "ei", V, "", C},
    EspeakPhoneme{"OI", "Ri", V, "", C},
    EspeakPhoneme{"oU", "Eu", V, "", C},
    EspeakPhoneme{"i@", "iE", V, "", C},
    EspeakPhoneme{"i@3", "iE", V, "", C},
    EspeakPhoneme{"e@", "/E", V, "", C},
    EspeakPhoneme{"U@", "uE", V, "", C},
    // Consonants.
    EspeakPhoneme{"p", "p", C, "", C},
    EspeakPhoneme{"b", "b", C, "", C},
    EspeakPhoneme{"t", "t", C, "", C},
    EspeakPhoneme{"d", "d", C, "", C},
    EspeakPhoneme{"k", "k", C, "", C},
    EspeakPhoneme{"g", "g", C, "", C},
    EspeakPhoneme{"x", "k", C, "", C},
    EspeakPhoneme{"f", "f", C, "", C},
    EspeakPhoneme{"v", "v", C, "", C},
    EspeakPhoneme{"T", "W", C, "", C},
    EspeakPhoneme{"D", "T", C, "", C},
    EspeakPhoneme{"s", "s", C, "", C},
    EspeakPhoneme{"z", "z", C, "", C},
    EspeakPhoneme{"S", "F", C, "", C},
    EspeakPhoneme{"Z", "V", C, "", C},
    EspeakPhoneme{"tS", "tF", C, "", C},
    EspeakPhoneme{"dZ", "dV", C, "", C},
    EspeakPhoneme{"h", "h", C, "", C},
    EspeakPhoneme{"m", "m", C, "", C},
    EspeakPhoneme{"n", "n", C, "", C},
    EspeakPhoneme{"N", "N", C, "", C},
    EspeakPhoneme{"l", "l", C, "", C},
    EspeakPhoneme{"l#", "l", C, "", C},
    EspeakPhoneme{"r", "r", C, "", C},
    EspeakPhoneme{"r-", "r", C, "", C},
    EspeakPhoneme{"w", "w", C, "", C},
    EspeakPhoneme{"j", "j", C, "", C},
    // Markers without a sound: a syllable break, a pause, the end of a phrase.
    EspeakPhoneme{";", "", C, "", C},
    EspeakPhoneme{"_", "", C, "", C},
    EspeakPhoneme{"!", "", C, "", C},
};

// The dictionary generator's rules, applied to one word.

struct Sound {
    std::string code;
    bool vowel = false;
    int stress = 0;  // 0 none, 1 primary, 2 secondary
};
using Sounds = std::vector<Sound>;

bool endsWith(const std::string& s, std::string_view tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}
template <typename Tails>
bool endsWithAny(const std::string& s, const Tails& tails) {
    return std::any_of(tails.begin(), tails.end(), [&s](auto t) { return endsWith(s, t); });
}
bool startsWith(const std::string& s, std::string_view head) {
    return s.compare(0, head.size(), head) == 0;
}
bool startsWithAny(const std::string& s, std::initializer_list<std::string_view> heads) {
    return std::any_of(heads.begin(), heads.end(), [&s](auto h) { return startsWith(s, h); });
}
bool contains(const std::string& s, std::string_view part) {
    return s.find(part) != std::string::npos;
}
bool isOneOf(const std::string& code, std::initializer_list<std::string_view> codes) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}
bool endsInCodes(const Sounds& sounds, std::initializer_list<std::string_view> codes) {
    if (sounds.size() < codes.size()) {
        return false;
    }
    size_t i = sounds.size() - codes.size();
    for (std::string_view code : codes) {
        if (sounds[i++].code != code) {
            return false;
        }
    }
    return true;
}

// Consonants that may begin a syllable together.
const std::set<std::vector<std::string>>& onsets() {
    static const std::set<std::vector<std::string>> table = [] {
        std::set<std::vector<std::string>> s = {
            {"p", "l"},      {"b", "l"},      {"k", "l"},      {"g", "l"},      {"f", "l"},
            {"s", "l"},      {"p", "r"},      {"b", "r"},      {"t", "r"},      {"d", "r"},
            {"k", "r"},      {"g", "r"},      {"f", "r"},      {"W", "r"},      {"F", "r"},
            {"t", "w"},      {"d", "w"},      {"k", "w"},      {"g", "w"},      {"s", "w"},
            {"s", "p"},      {"s", "t"},      {"s", "k"},      {"s", "m"},      {"s", "n"},
            {"s", "p", "l"}, {"s", "p", "r"}, {"s", "t", "r"}, {"s", "k", "r"}, {"s", "k", "w"},
            {"s", "p", "j"}, {"s", "t", "j"}, {"s", "k", "j"},
        };
        for (const char* c :
             {"p", "b", "t", "d", "k", "g", "m", "n", "f", "v", "W", "s", "z", "h", "l"}) {
            s.insert({c, "j"});
        }
        return s;
    }();
    return table;
}

bool isOnset(const std::vector<std::string>& consonants) {
    if (consonants.size() == 1) {
        return consonants[0] != "N";
    }
    return onsets().count(consonants) > 0;
}

// Prefixes that keep their last consonant when the syllable after them is stressed: "disable"
// "dis5eibl", "mislead" "mis5li:d".
constexpr std::pair<std::string_view, std::string_view> kPrefixes[] = {
    {"un", "Qn"}, {"dis", "dis"}, {"mis", "mis"},     {"non", "nRn"},    {"out", "aut"},
    {"up", "Qp"}, {"sub", "sQb"}, {"trans", "trAns"}, {"north", "nR:W"}, {"south", "sauW"},
};

size_t prefixEnd(const Sounds& sounds, const std::string& spelling) {
    for (const auto& [letters, codes] : kPrefixes) {
        if (!startsWith(spelling, letters) || spelling.size() <= letters.size() + 2) {
            continue;
        }
        std::string written;
        for (size_t i = 0; i < sounds.size(); ++i) {
            written += sounds[i].code;
            if (written == codes) {
                return !sounds[i].vowel && i + 1 < sounds.size() ? i + 1 : 0;
            }
            if (!startsWith(std::string(codes), written)) {
                break;
            }
        }
    }
    return 0;
}

// Where the syllable of the vowel at vowelIndex begins, by the longest onset English allows.
size_t onsetStart(const Sounds& sounds, size_t vowelIndex, size_t boundary) {
    size_t start = vowelIndex;
    while (start > 0 && !sounds[start - 1].vowel) {
        --start;
    }
    if (boundary <= vowelIndex) {
        start = std::max(start, boundary);
    }
    for (size_t cut = start; cut < vowelIndex; ++cut) {
        std::vector<std::string> onset;
        for (size_t i = cut; i < vowelIndex; ++i) {
            onset.push_back(sounds[i].code);
        }
        // s stays with the sound before it when a stop follows: "dis5kraib", "iks5pekt"; after
        // most consonants it begins the syllable: "in5spekt".
        if (cut > 0 && onset[0] == "s" && onset.size() > 1 && isOneOf(onset[1], {"p", "t", "k"}) &&
            (sounds[cut - 1].code == "k" || sounds[cut - 1].vowel)) {
            continue;
        }
        if (isOnset(onset)) {
            return cut;
        }
    }
    return vowelIndex;
}

// Syllabic l and n: "apple" "5Apl", "lesson" "5lesn"; the spellings that keep the schwa
// ("musical", "pattern"); the endings that may follow a syllabic consonant, by their first sound
// and greatest length ("settlement", "listener").
const std::set<std::string> kSyllabicLAfter = {"p", "b", "t", "d", "k", "g",
                                               "s", "n", "f", "v", "z"};
const std::set<std::string> kSyllabicNAfter = {"t", "d", "s", "z"};
const std::map<std::string, int> kSyllabicLFollowers = {
    {"s", 1}, {"z", 1}, {"d", 1}, {"m", 4}, {"E", 1}};
const std::map<std::string, int> kSyllabicNFollowers = {{"E", 3}, {"i", 2}, {"z", 1}};
constexpr std::array<std::string_view, 5> kSchwaLSpellings = {"cal", "sal", "val", "gal", "cally"};
constexpr std::array<std::string_view, 2> kSchwaNSpellings = {"rn", "ain"};

Sounds oneSyllabic(const Sounds& sounds, const std::string& spelling) {
    if (sounds.size() < 3) {
        return sounds;
    }
    for (size_t j = sounds.size() - 2; j > 0; --j) {
        const Sound& before = sounds[j - 1];
        const Sound& schwa = sounds[j];
        const Sound& after = sounds[j + 1];
        const size_t rest = sounds.size() - (j + 2);
        const auto& followers = after.code == "l" ? kSyllabicLFollowers : kSyllabicNFollowers;
        const int longest = after.code == "l" ? 4 : 3;
        if (rest > 0 && int(rest) > longest) {
            break;
        }
        if (schwa.code != "E" || schwa.stress != 0 || before.vowel) {
            continue;
        }
        if (rest > 0) {
            const auto found = followers.find(sounds[j + 2].code);
            if (found == followers.end() || int(rest) > found->second) {
                continue;
            }
        }
        Sounds without = sounds;
        without.erase(without.begin() + std::ptrdiff_t(j));
        if (after.code == "l") {
            if (kSyllabicLAfter.count(before.code) && !endsWithAny(spelling, kSchwaLSpellings)) {
                return without;
            }
        } else if (after.code == "n") {
            const bool cluster = j > 1 && !sounds[j - 2].vowel;
            if (kSyllabicNAfter.count(before.code) && !cluster &&
                !endsWithAny(spelling, kSchwaNSpellings)) {
                return without;
            }
        }
    }
    return sounds;
}

Sounds syllabic(Sounds sounds, const std::string& spelling) {
    if (sounds.size() >= 3 && endsWith(spelling, "ful")) {
        const size_t n = sounds.size();
        if (sounds[n - 3].code == "f" && sounds[n - 2].code == "E" && sounds[n - 1].code == "l" &&
            sounds[n - 2].stress == 0) {
            sounds[n - 2] = Sound{"u", true, 0};
            return sounds;
        }
    }
    // The end of the word first, then a syllabic consonant before its ending ("5ri:znEbl").
    for (int pass = 0; pass < 2; ++pass) {
        sounds = oneSyllabic(sounds, spelling);
    }
    return sounds;
}

// Endings whose unstressed vowel the style writes i where modern sources write a schwa:
// "private" "5praivit", "restless" "5restlis".
struct WeakEnding {
    std::string_view letters;
    std::initializer_list<std::string_view> tail;
};
const WeakEnding kWeakIEndings[] = {
    {"ate", {"t"}},      {"ess", {"s"}},  {"ace", {"s"}},  {"ed", {"d"}}, {"et", {"t"}},
    {"est", {"s", "t"}}, {"age", {"dV"}}, {"ege", {"dV"}}, {"it", {"t"}}, {"in", {"n"}},
};

Sounds weakEndings(Sounds sounds, const std::string& spelling) {
    // "mechanically" "mi5kAnikEli": the schwa of -al before -ly.
    if (endsWithAny(spelling, std::array<std::string_view, 2>{"cally", "ually"}) &&
        sounds.size() > 3 && endsInCodes(sounds, {"l", "i"}) &&
        isOneOf(sounds[sounds.size() - 3].code, {"k", "u"})) {
        sounds.insert(sounds.end() - 2, Sound{"E", true, 0});
    }
    // "separately" "5sepErEtli": -ately keeps its schwa.
    if (endsWith(spelling, "ately") && sounds.size() > 4 &&
        endsInCodes(sounds, {"i", "t", "l", "i"}) && sounds[sounds.size() - 4].stress == 0) {
        sounds[sounds.size() - 4] = Sound{"E", true, 0};
    }
    // "equation" "i5kweiFEn": F, not V, in -tion and -rsion.
    if (endsWithAny(spelling, std::array<std::string_view, 2>{"tion", "rsion"}) &&
        sounds.size() > 3 && endsInCodes(sounds, {"V", "E", "n"})) {
        sounds[sounds.size() - 3] = Sound{"F", false, 0};
    }
    // "possible" "5pRsEbl": -ible written as -able.
    if (endsWithAny(spelling, std::array<std::string_view, 2>{"ible", "ibly"}) &&
        sounds.size() >= 2) {
        for (size_t i = sounds.size() - 2; i > 0; --i) {
            if (sounds[i].code == "b") {
                if (sounds[i - 1].code == "i" && sounds[i - 1].stress == 0) {
                    sounds[i - 1] = Sound{"E", true, 0};
                }
                break;
            }
        }
    }
    for (const WeakEnding& ending : kWeakIEndings) {
        const size_t n = ending.tail.size();
        if (!endsWith(spelling, ending.letters) || sounds.size() < n + 2) {
            continue;
        }
        if (endsWithAny(spelling, kSchwaNSpellings)) {
            break;
        }
        if (!endsInCodes(sounds, ending.tail)) {
            continue;
        }
        Sound& vowel = sounds[sounds.size() - n - 1];
        if (vowel.code == "E" && vowel.stress == 0 && sounds[sounds.size() - n - 2].code != "ai") {
            vowel.code = "i";
        }
        break;
    }
    return sounds;
}

// The older sounds the style keeps where modern pronunciations moved on.
Sounds classicSounds(const Sounds& sounds, const std::string& spelling) {
    Sounds out;
    for (size_t i = 0; i < sounds.size(); ++i) {
        const Sound& p = sounds[i];
        const Sound* next = i + 1 < sounds.size() ? &sounds[i + 1] : nullptr;
        const Sound* after = i + 2 < sounds.size() ? &sounds[i + 2] : nullptr;
        const Sound* prev = out.empty() ? nullptr : &out.back();
        // "actual" "5AktjuEl": t and d before a u spelt "tu", "du" stay apart.
        if (isOneOf(p.code, {"tF", "dV"}) && next != nullptr &&
            isOneOf(next->code, {"u", "u:", "uE", "j"}) &&
            contains(spelling, std::string(1, p.code[0]) + "u")) {
            out.push_back(Sound{p.code.substr(0, 1), false, 0});
            if (next->code != "j") {
                out.push_back(Sound{"j", false, 0});
            }
            continue;
        }
        // "sure" "FuE": the older uE after F and V.
        if (p.code == "R:" && prev != nullptr && isOneOf(prev->code, {"F", "V"}) &&
            contains(spelling, "ur")) {
            out.push_back(Sound{"uE", true, p.stress});
            continue;
        }
        // "audience" "5R:djEns": an unstressed iE after d is jE.
        if (p.code == "iE" && p.stress == 0 && prev != nullptr && prev->code == "d" && i > 1) {
            out.push_back(Sound{"j", false, 0});
            out.push_back(Sound{"E", true, 0});
            continue;
        }
        if (p.code == "i" && p.stress == 0 && next != nullptr && next->code == "E" &&
            next->stress == 0 && prev != nullptr && prev->code == "d" && i > 1) {
            out.push_back(Sound{"j", false, 0});
            continue;
        }
        // "salt" "sR:lt", "off" "R:f": the older vowel lengths.
        if (p.code == "R" && next != nullptr &&
            ((next->code == "l" && after != nullptr && after->code == "t") ||
             (next->code == "f" && spelling.size() <= 5 &&
              endsWithAny(spelling, std::array<std::string_view, 2>{"ff", "gh"})))) {
            out.push_back(Sound{"R:", true, p.stress});
            continue;
        }
        // "classroom" "5kla:srum".
        if (p.code == "u:" && endsWith(spelling, "room") && !endsWith(spelling, "broom") &&
            i + 2 >= sounds.size()) {
            out.push_back(Sound{"u", true, p.stress});
            continue;
        }
        // "grandson" "5grAndsQn": the d of grand- is written.
        if (i == 3 && p.code == "n" && startsWith(spelling, "grand") && sounds[0].code == "g" &&
            sounds[1].code == "r" && sounds[2].code == "A" &&
            (next == nullptr || next->code != "d")) {
            out.push_back(Sound{"n", false, 0});
            out.push_back(Sound{"d", false, 0});
            continue;
        }
        // "continual" "kEn5tinjuEl": an unstressed u before another vowel is short.
        if (p.code == "u:" && p.stress == 0 && next != nullptr && next->vowel) {
            out.push_back(Sound{"u", true, 0});
            continue;
        }
        // "suit" "sju:t": the older j after s in a u spelt "su".
        if (isOneOf(p.code, {"u:", "uE"}) && prev != nullptr && prev->code == "s" &&
            contains(spelling, "su") && !contains(spelling, "sou")) {
            out.push_back(Sound{"j", false, 0});
        }
        // "enforce" "in5fR:s": an unstressed e at the start before m or n.
        if (i == 0 && p.code == "e" && p.stress == 0 && next != nullptr &&
            isOneOf(next->code, {"m", "n"}) && startsWithAny(spelling, {"en", "em"})) {
            out.push_back(Sound{"i", true, 0});
            continue;
        }
        out.push_back(p);
    }
    return weakEndings(std::move(out), spelling);
}

// Whether both halves of a two-part word carry a primary stress: "fifteen" "5fif5ti:n", "unfair"
// "5Qn5f/E", "unexpected" "5Qniks5pektid".
bool doubleStress(Sounds& sounds, const std::vector<size_t>& vowels, const std::string& spelling) {
    if (vowels.size() < 2 || std::none_of(vowels.begin(), vowels.end(),
                                          [&](size_t i) { return sounds[i].stress == 1; })) {
        return false;
    }
    if (endsWith(spelling, "teen")) {
        for (size_t i : vowels) {
            sounds[i].stress = (i == vowels.front() || i == vowels.back()) ? 1 : 0;
        }
        return true;
    }
    if (startsWithAny(spelling, {"un", "semi", "radio"}) && !startsWith(spelling, "under") &&
        sounds[vowels[0]].stress == 2 && sounds[vowels[0]].code != "u:") {
        sounds[vowels[0]].stress = 1;
        return true;
    }
    return vowels.size() == 2 && sounds[vowels[1]].stress == 1 && startsWith(spelling, "un") &&
           spelling != "until" && spelling != "unless" && sounds.size() >= 2 &&
           sounds[0].code + sounds[1].code == "Qn";
}

std::string codesOfWord(const Sounds& input, const std::string& spelling) {
    const auto syllables =
        std::count_if(input.begin(), input.end(), [](const Sound& s) { return s.vowel; });
    Sounds sounds = syllabic(classicSounds(input, spelling), spelling);
    size_t boundary = prefixEnd(sounds, spelling);
    // "whatever" "wRt5evE": -ever keeps the consonant before it.
    if (endsWith(spelling, "ever") && spelling.size() > 6 && sounds.size() > 3 &&
        endsInCodes(sounds, {"e", "v", "E"})) {
        boundary = sounds.size() - 3;
    }
    std::vector<size_t> vowels;
    for (size_t i = 0; i < sounds.size(); ++i) {
        if (sounds[i].vowel) {
            vowels.push_back(i);
        }
    }
    auto anyStress = [&](size_t from, int stress) {
        return std::any_of(vowels.begin() + std::ptrdiff_t(std::min(from, vowels.size())),
                           vowels.end(), [&](size_t i) { return sounds[i].stress == stress; });
    };
    // "incorrect" ",inkE5rekt": a prefix two syllables or more before the primary stress has a
    // secondary one.
    if (startsWithAny(spelling, {"in", "im", "dis", "over"}) && vowels.size() > 2 &&
        !anyStress(0, 2) && sounds[vowels[0]].stress == 0 && anyStress(2, 1)) {
        sounds[vowels[0]].stress = 2;
    }
    if (doubleStress(sounds, vowels, spelling)) {
        sounds[vowels[0]].stress = 1;
    } else {
        // One word has one primary stress.
        std::vector<size_t> primaries;
        for (size_t i : vowels) {
            if (sounds[i].stress == 1) {
                primaries.push_back(i);
            }
        }
        for (size_t n = 0; n + 1 < primaries.size(); ++n) {
            sounds[primaries[n]].stress = 2;
        }
    }
    std::map<size_t, char> marks;
    if (syllables > 1) {
        std::optional<size_t> primary;
        size_t primaryOrder = 0;
        for (size_t n = 0; n < vowels.size(); ++n) {
            if (sounds[vowels[n]].stress == 1) {
                primary = vowels[n];
                primaryOrder = n;
                break;
            }
        }
        for (size_t n = 0; n < vowels.size(); ++n) {
            const size_t i = vowels[n];
            const int stress = sounds[i].stress;
            if (stress == 1) {
                marks[onsetStart(sounds, i, boundary)] = '5';
            } else if (stress == 2 && primary && i < *primary) {
                // A secondary stress only some way before the primary one; right before a final
                // stressed syllable two primary stresses ("northwest" "5nR:W5west").
                if (primaryOrder - n > 1) {
                    marks[onsetStart(sounds, i, boundary)] = ',';
                } else if (*primary == vowels.back()) {
                    marks[onsetStart(sounds, i, boundary)] = '5';
                }
            }
        }
    }
    // "which" "(h)witF": the w spelt "wh" may be breathed.
    std::optional<size_t> breathed;
    if (contains(spelling, "wh")) {
        std::vector<size_t> ws;
        for (size_t i = 0; i < sounds.size(); ++i) {
            if (sounds[i].code == "w") {
                ws.push_back(i);
            }
        }
        if (!ws.empty() && startsWith(spelling, "wh") && ws[0] == 0) {
            breathed = 0;
        } else if (!ws.empty() && contains(spelling.substr(1), "wh")) {
            breathed = ws.back();
        }
    }
    std::string out;
    for (size_t i = 0; i < sounds.size(); ++i) {
        if (const auto mark = marks.find(i); mark != marks.end()) {
            out += mark->second;
        }
        if (breathed == i) {
            out += "(h)";
        }
        out += sounds[i].code;
    }
    return out;
}

const EspeakPhoneme* findPhoneme(std::string_view name) {
    for (const EspeakPhoneme& phoneme : kPhonemes) {
        if (phoneme.name == name) {
            return &phoneme;
        }
    }
    return nullptr;
}

// The sounds of one word's phoneme names; nullopt when a name is unknown.
std::optional<Sounds> soundsOf(const QString& word) {
    Sounds sounds;
    int pending = 0;  // a stress mark waiting for its vowel
    for (const QString& piece : word.split(u'_')) {
        std::string name = piece.toStdString();
        size_t marks = 0;
        while (marks < name.size() && (name[marks] == '\'' || name[marks] == ',')) {
            pending = name[marks] == '\'' ? 1 : 2;
            ++marks;
        }
        name.erase(0, marks);
        if (name.empty()) {
            continue;  // a stress mark alone, or the pause "_" split away
        }
        const EspeakPhoneme* phoneme = findPhoneme(name);
        if (phoneme == nullptr) {
            return std::nullopt;
        }
        for (const auto& [code, vowel] : {std::pair{phoneme->first, phoneme->firstIsVowel},
                                          std::pair{phoneme->second, phoneme->secondIsVowel}}) {
            if (code.empty()) {
                continue;
            }
            sounds.push_back(Sound{std::string(code), vowel, vowel ? pending : 0});
            if (vowel) {
                pending = 0;
            }
        }
    }
    return sounds;
}

}  // namespace

std::span<const EspeakPhoneme> espeakPhonemes() {
    return kPhonemes;
}

QString codesFromEspeak(const QString& phonemeNames, const QString& spelling) {
    const QStringList words = phonemeNames.split(u' ', Qt::SkipEmptyParts);
    const QStringList spelt = spelling.toLower().split(u' ', Qt::SkipEmptyParts);
    QStringList written;
    for (qsizetype n = 0; n < words.size(); ++n) {
        const std::optional<Sounds> sounds = soundsOf(words[n]);
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
        written << QString::fromStdString(codesOfWord(*sounds, word));
    }
    return written.join(u' ');
}

}  // namespace core
