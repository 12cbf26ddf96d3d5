// The word groups, filled from the generated tables under tables/.
#include "wordtables.h"
#include "tableviews.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>

namespace sonabet {
namespace tables {

// Each table file defines kText_<group> (the keys and transcriptions run together) and
// kRows_<group> (one row per entry, then an empty sentinel row so that a group may be empty).
#include "tables/group_a.inc"
#include "tables/group_b.inc"
#include "tables/group_c.inc"
#include "tables/group_d.inc"
#include "tables/group_e.inc"
#include "tables/group_f.inc"
#include "tables/group_g.inc"
#include "tables/group_h.inc"
#include "tables/group_i.inc"
#include "tables/group_j.inc"
#include "tables/group_k.inc"
#include "tables/group_l.inc"
#include "tables/group_m.inc"
#include "tables/group_n.inc"
#include "tables/group_o.inc"
#include "tables/group_p.inc"
#include "tables/group_q.inc"
#include "tables/group_r.inc"
#include "tables/group_s.inc"
#include "tables/group_t.inc"
#include "tables/group_uvw.inc"
#include "tables/group_xyz.inc"

}  // namespace tables

// Each American table file defines kText_<group> (the American transcriptions run together in
// the British rows' order), kStarts_<group> (where each row's starts, then the end) and
// kBritishKeys_<group>.
namespace ustables {

#include "ustables/group_a.inc"
#include "ustables/group_b.inc"
#include "ustables/group_c.inc"
#include "ustables/group_d.inc"
#include "ustables/group_e.inc"
#include "ustables/group_f.inc"
#include "ustables/group_g.inc"
#include "ustables/group_h.inc"
#include "ustables/group_i.inc"
#include "ustables/group_j.inc"
#include "ustables/group_k.inc"
#include "ustables/group_l.inc"
#include "ustables/group_m.inc"
#include "ustables/group_n.inc"
#include "ustables/group_o.inc"
#include "ustables/group_p.inc"
#include "ustables/group_q.inc"
#include "ustables/group_r.inc"
#include "ustables/group_s.inc"
#include "ustables/group_t.inc"
#include "ustables/group_uvw.inc"
#include "ustables/group_xyz.inc"

}  // namespace ustables

namespace {

#define SONABET_GROUP(method, initials, table)          \
    SONABET_WORD_GROUP(tables, method, initials, table, \
                       tableviews::marked(tables::kUncertain_##table))
constexpr std::array<WordGroup, kGroupCount> kGroups{{
#include "tables/groups.inc"
}};
#undef SONABET_GROUP

// American tables generated from other British tables would give their rows to other keys.
#define SONABET_GROUP(method, initials, table)                                              \
    static_assert(std::size(ustables::kStarts_##table) == std::size(tables::kRows_##table), \
                  "sonabet/ustables do not follow sonabet/tables: run "                     \
                  "tools/dictionary/generate_american.py");
#include "tables/groups.inc"
#undef SONABET_GROUP

#define SONABET_GROUP(method, initials, table)                                              \
    {tableviews::text(ustables::kText_##table), tableviews::all(ustables::kStarts_##table), \
     ustables::kBritishKeys_##table},
constexpr std::array<AmericanGroup, kGroupCount> kAmericanGroups{{
#include "tables/groups.inc"
}};
#undef SONABET_GROUP

}  // namespace

std::span<const WordGroup> wordGroups() {
    return kGroups;
}

std::span<const AmericanGroup> americanGroups() {
    return kAmericanGroups;
}

std::uint32_t keyHash(std::u16string_view key) {
    std::uint32_t hash = 2166136261u;
    for (const char16_t unit : key) {
        hash = (hash ^ unit) * 16777619u;
    }
    return hash;
}

namespace {

std::optional<std::uint16_t> rowIn(const WordGroup& words, std::u16string_view word) {
    if (word.empty() || words.slots.empty()) {
        return std::nullopt;
    }
    const std::size_t mask = words.slots.size() - 1;
    // At least half the slots are free, so the probe ends at a free one.
    for (std::size_t slot = keyHash(word) & mask;; slot = (slot + 1) & mask) {
        const std::uint16_t row = words.slots[slot];
        if (row == kNoRow) {
            return std::nullopt;
        }
        if (words.entry(row).key == word) {
            return row;
        }
    }
}

// The group of each small ASCII letter, kGroupCount where none holds it.
constexpr std::array<std::uint8_t, 26> kGroupOfLetter = [] {
    std::array<std::uint8_t, 26> table{};
    table.fill(static_cast<std::uint8_t>(kGroupCount));
    for (std::size_t g = 0; g < kGroupCount; ++g) {
        for (const char16_t letter : kGroups[g].initials) {
            if (letter >= u'a' && letter <= u'z') {
                table[letter - u'a'] = static_cast<std::uint8_t>(g);
            }
        }
    }
    return table;
}();

}  // namespace

std::u16string_view lookUp(std::size_t group, std::u16string_view word) {
    if (group >= kGroupCount) {
        return {};
    }
    return lookUpIn(kGroups[group], word);
}

std::u16string_view lookUpIn(const WordGroup& words, std::u16string_view word) {
    const auto row = rowIn(words, word);
    return row ? words.entry(*row).transcription : std::u16string_view{};
}

bool isUncertain(std::size_t group, std::u16string_view word) {
    if (group >= kGroupCount) {
        return false;
    }
    const WordGroup& words = kGroups[group];
    const auto row = rowIn(words, word);
    return row && std::binary_search(words.uncertain.begin(), words.uncertain.end(), *row);
}

std::u16string_view lookUpAmerican(std::u16string_view word) {
    const auto found = lookUpEntry(word);
    return found ? found->american : std::u16string_view{};
}

std::optional<Found> lookUpEntry(std::u16string_view word) {
    const std::size_t group = groupOfWord(word);
    if (group >= kGroupCount) {
        return std::nullopt;
    }
    const WordGroup& words = kGroups[group];
    const auto row = rowIn(words, word);
    if (!row) {
        return std::nullopt;
    }
    return Found{words.entry(*row).transcription, kAmericanGroups[group].transcription(*row),
                 std::binary_search(words.uncertain.begin(), words.uncertain.end(), *row)};
}

std::size_t groupOfWord(std::u16string_view word) {
    if (word.empty()) {
        return kGroupCount;
    }
    char16_t initial = word.front();
    if (initial >= u'A' && initial <= u'Z') {
        initial = static_cast<char16_t>(initial - u'A' + u'a');
    }
    return initial >= u'a' && initial <= u'z' ? kGroupOfLetter[initial - u'a'] : kGroupCount;
}

}  // namespace sonabet
