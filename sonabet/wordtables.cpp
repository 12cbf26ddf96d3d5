// The word groups, filled from the generated tables under tables/.
#include "wordtables.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace sonabet {
namespace {

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

template <std::size_t N>
constexpr std::span<const Row> rows(const Row (&table)[N]) {
    return {table, N - 1};
}

template <std::size_t N>
constexpr std::u16string_view text(const char16_t (&chars)[N]) {
    return {chars, N - 1};
}

#define SONABET_GROUP(method, initials, group) \
    { u"" method, u"" initials, text(kText_##group), rows(kRows_##group) }
constexpr std::array<WordGroup, kGroupCount> kGroups{{
    SONABET_GROUP("Asonabet", "a", a),       SONABET_GROUP("Bsonabet", "b", b),
    SONABET_GROUP("Csonabet", "c", c),       SONABET_GROUP("Dsonabet", "d", d),
    SONABET_GROUP("Esonabet", "e", e),       SONABET_GROUP("Fsonabet", "f", f),
    SONABET_GROUP("Gsonabet", "g", g),       SONABET_GROUP("Hsonabet", "h", h),
    SONABET_GROUP("Isonabet", "i", i),       SONABET_GROUP("Jsonabet", "j", j),
    SONABET_GROUP("Ksonabet", "k", k),       SONABET_GROUP("Lsonabet", "l", l),
    SONABET_GROUP("Msonabet", "m", m),       SONABET_GROUP("Nsonabet", "n", n),
    SONABET_GROUP("Osonabet", "o", o),       SONABET_GROUP("Psonabet", "p", p),
    SONABET_GROUP("Qsonabet", "q", q),       SONABET_GROUP("Rsonabet", "r", r),
    SONABET_GROUP("Ssonabet", "s", s),       SONABET_GROUP("Tsonabet", "t", t),
    SONABET_GROUP("UVWsonabet", "uvw", uvw), SONABET_GROUP("XYZsonabet", "xyz", xyz),
}};
#undef SONABET_GROUP

char16_t folded(char16_t c) {
    const bool capital = (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
    return capital ? static_cast<char16_t>(c + 0x20) : c;
}

}  // namespace

std::span<const WordGroup> wordGroups() {
    return kGroups;
}

int compareKeys(std::u16string_view a, std::u16string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char16_t x = folded(a[i]);
        const char16_t y = folded(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b);
}

std::u16string_view lookUp(std::size_t group, std::u16string_view word) {
    if (word.empty() || group >= kGroupCount) {
        return {};
    }
    const WordGroup& words = kGroups[group];
    std::size_t low = 0;
    std::size_t high = words.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const Entry entry = words.entry(middle);
        const int order = compareKeys(entry.key, word);
        if (order == 0) {
            return entry.transcription;
        }
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return {};
}

}  // namespace sonabet
