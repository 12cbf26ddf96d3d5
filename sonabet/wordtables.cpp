// The word groups, filled from the generated tables under tables/.
#include "wordtables.h"
#include "tableviews.h"

#include <algorithm>
#include <array>
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

namespace {

#define SONABET_GROUP(method, initials, table)          \
    SONABET_WORD_GROUP(tables, method, initials, table, \
                       tableviews::marked(tables::kUncertain_##table))
constexpr std::array<WordGroup, kGroupCount> kGroups{{
#include "tables/groups.inc"
}};
#undef SONABET_GROUP

}  // namespace

std::span<const WordGroup> wordGroups() {
    return kGroups;
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
    return lookUpIn(kGroups, group, word);
}

std::u16string_view lookUpIn(const WordGroup& words, std::u16string_view word) {
    const auto row = rowIn(words, word);
    return row ? words.entry(*row).transcription : std::u16string_view{};
}

std::u16string_view lookUpIn(std::span<const WordGroup> groups, std::size_t group,
                             std::u16string_view word) {
    return group < groups.size() ? lookUpIn(groups[group], word) : std::u16string_view{};
}

bool isUncertain(std::size_t group, std::u16string_view word) {
    if (group >= kGroupCount) {
        return false;
    }
    const WordGroup& words = kGroups[group];
    const auto row = rowIn(words, word);
    return row && std::binary_search(words.uncertain.begin(), words.uncertain.end(), *row);
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
