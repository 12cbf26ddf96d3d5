#include "espeakcodes.h"

#include <QStringList>
#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "espeakrules.h"

namespace core::espeakrules {

std::optional<Sounds> RuleSet::espeakWord(std::string_view word) const {
    Sounds sounds;
    int pending = 0;  // a stress mark waiting for its vowel
    bool partStart = false;
    for (std::string_view piece : split(word, '_')) {
        while (!piece.empty() && (piece.front() == '\'' || piece.front() == ',')) {
            pending = piece.front() == '\'' ? 1 : 2;
            piece.remove_prefix(1);
        }
        if (piece.empty()) {
            continue;  // a stress mark alone, or the pause "_" split away
        }
        if (piece == kHyphen) {
            partStart = true;
            continue;
        }
        const auto phoneme = espeak_.find(piece);
        if (phoneme == espeak_.end()) {
            return std::nullopt;
        }
        for (const Sound& sound : phoneme->second) {
            const bool vowel = sound.kind == Kind::Vowel;
            sounds.push_back(Sound{sound.code, sound.kind, vowel ? pending : 0, partStart});
            partStart = false;
            if (vowel) {
                pending = 0;
            }
        }
    }
    return sounds;
}

std::string RuleSet::codesOf(Sounds sounds, const std::string& spelling) const {
    const auto syllables = std::count_if(sounds.begin(), sounds.end(),
                                         [](const Sound& s) { return s.kind == Kind::Vowel; });
    for (const Rule& rule : rules_) {
        apply(rule, sounds, spelling);
    }
    // The boundaries become places: a syllable's onset begins at the last one before it.
    Boundaries boundaries;
    Sounds plain;
    for (Sound& sound : sounds) {
        if (sound.partStart) {
            boundaries.hyphens.push_back(plain.size());
        }
        if (sound.kind == Kind::Boundary) {
            boundaries.syllables.push_back(plain.size());
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

Sounds RuleSet::replacement(const std::vector<std::string_view>& tokens,
                            Sounds::const_iterator from, Sounds::const_iterator to) const {
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

void RuleSet::apply(const Rule& rule, Sounds& sounds, const std::string& spelling) const {
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
        // A part begins where it began, or with the sound after the replaced ones.
        bool partAfter = false;
        for (Sound& sound : added) {
            sound.partStart = false;
        }
        for (std::size_t n = 0; n < found->end - found->start; ++n) {
            if (sounds[found->start + n].partStart) {
                (n < length ? added[n].partStart : partAfter) = true;
            }
        }
        sounds.erase(from, to);
        sounds.insert(sounds.begin() + std::ptrdiff_t(found->start),
                      std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
        if (partAfter && found->start + length < sounds.size()) {
            sounds[found->start + length].partStart = true;
        }
        i = std::max(found->start + length, i + 1);
    }
}

bool RuleSet::has(std::string_view key, std::string_view value) const {
    const auto& values = words(key);
    return std::find(values.begin(), values.end(), value) != values.end();
}

bool RuleSet::startsWithOne(const std::string& spelling, std::string_view key) const {
    const auto& values = words(key);
    return std::any_of(values.begin(), values.end(),
                       [&](std::string_view v) { return startsWith(spelling, v); });
}

void RuleSet::stress(Sounds& sounds, const std::vector<std::size_t>& vowels,
                     const std::string& spelling) const {
    const auto anyFrom = [&](std::size_t from, int wanted) {
        return std::any_of(vowels.begin() + std::ptrdiff_t(std::min(from, vowels.size())),
                           vowels.end(), [&](std::size_t i) { return sounds[i].stress == wanted; });
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

bool RuleSet::doubleStress(Sounds& sounds, const std::vector<std::size_t>& vowels,
                           const std::string& spelling) const {
    if (vowels.size() < 2 || std::none_of(vowels.begin(), vowels.end(),
                                          [&](std::size_t i) { return sounds[i].stress == 1; })) {
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
        !startsWithOne(spelling, "double-un-spelling") || has("double-un-exceptions", spelling) ||
        sounds.size() < unSounds.size()) {
        return false;
    }
    for (std::size_t i = 0; i < unSounds.size(); ++i) {
        if (sounds[i].code != unSounds[i]) {
            return false;
        }
    }
    return true;
}

bool RuleSet::isOnset(const std::vector<std::string>& consonants) const {
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

std::size_t RuleSet::onsetStart(const Sounds& sounds, std::size_t vowel,
                                const Boundaries& boundaries) const {
    std::size_t start = vowel;
    while (start > 0 && sounds[start - 1].kind == Kind::Consonant) {
        --start;
    }
    // The consonants a word or a part of a hyphenated one begins with begin its first syllable,
    // whatever the sounds before them: "high-speed" ",haI5spi:d", "right-wing" ",raIt5wIN".
    std::size_t part = 0;
    for (std::size_t hyphen : boundaries.hyphens) {
        if (hyphen >= start && hyphen <= vowel) {
            part = std::max(part, hyphen);
        }
    }
    if (part > 0) {
        return part;
    }
    for (std::size_t boundary : boundaries.syllables) {
        if (boundary <= vowel) {
            start = std::max(start, boundary);
        }
    }
    if (start == 0) {
        return 0;
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

std::map<std::size_t, char> RuleSet::marks(const Sounds& sounds,
                                           const std::vector<std::size_t>& vowels,
                                           const Boundaries& boundaries) const {
    std::map<std::size_t, char> out;
    const auto primary = std::find_if(vowels.begin(), vowels.end(),
                                      [&](std::size_t i) { return sounds[i].stress == 1; });
    for (auto v = vowels.begin(); v != vowels.end(); ++v) {
        const int level = sounds[*v].stress;
        if (level == 1) {
            out[onsetStart(sounds, *v, boundaries)] = '5';
        } else if (level == 2 && primary != vowels.end() && v < primary) {
            // A secondary stress only some way before the primary one; right before a final
            // stressed syllable the rules' mark, by default a second primary ("northwest"
            // "5nR:W5west").
            if (primary - v > 1) {
                out[onsetStart(sounds, *v, boundaries)] = ',';
            } else if (*primary == vowels.back()) {
                out[onsetStart(sounds, *v, boundaries)] = beforeFinalMark_;
            }
        }
    }
    return out;
}

}  // namespace core::espeakrules

namespace core {
namespace {

using espeakrules::RuleSet;
using espeakrules::Sounds;

// The conversion rules, the same file the dictionary generator reads.
constexpr std::string_view kRulesText =
#include "conversionrules.inc"
    ;

// The rules of eSpeak's American voice.
constexpr std::string_view kAmericanRulesText =
#include "americanrules.inc"
    ;

const RuleSet& rules() {
    static const RuleSet set(kRulesText);
    return set;
}

const RuleSet& americanRules() {
    static const RuleSet set(kAmericanRulesText);
    return set;
}

QString codesBy(const RuleSet& rules, const QString& phonemeNames, const QString& spelling) {
    const QStringList words = phonemeNames.split(u' ', Qt::SkipEmptyParts);
    const QStringList spelt = spelling.toLower().split(u' ', Qt::SkipEmptyParts);
    QStringList written;
    for (qsizetype n = 0; n < words.size(); ++n) {
        const std::optional<Sounds> sounds = rules.espeakWord(words[n].toStdString());
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
        written << QString::fromStdString(rules.codesOf(*sounds, word));
    }
    return written.join(u' ');
}

}  // namespace

std::span<const EspeakPhoneme> espeakPhonemes() {
    return rules().phonemes();
}

std::span<const EspeakPhoneme> americanEspeakPhonemes() {
    return americanRules().phonemes();
}

QString codesFromEspeak(const QString& phonemeNames, const QString& spelling) {
    return codesBy(rules(), phonemeNames, spelling);
}

QString americanCodesFromEspeak(const QString& phonemeNames, const QString& spelling) {
    return codesBy(americanRules(), phonemeNames, spelling);
}

}  // namespace core
