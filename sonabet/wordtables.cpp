// The word groups, filled from the generated tables under tables/.
#include "wordtables.h"

#include <array>
#include <string_view>
#include <unordered_map>

namespace sonabet {
namespace {

// Each table ends in an empty sentinel row, so that a group may be empty; it is not an entry.
constexpr Entry kGroup_a[] = {
#include "tables/group_a.inc"
    {},
};
constexpr Entry kGroup_b[] = {
#include "tables/group_b.inc"
    {},
};
constexpr Entry kGroup_c[] = {
#include "tables/group_c.inc"
    {},
};
constexpr Entry kGroup_d[] = {
#include "tables/group_d.inc"
    {},
};
constexpr Entry kGroup_e[] = {
#include "tables/group_e.inc"
    {},
};
constexpr Entry kGroup_f[] = {
#include "tables/group_f.inc"
    {},
};
constexpr Entry kGroup_g[] = {
#include "tables/group_g.inc"
    {},
};
constexpr Entry kGroup_h[] = {
#include "tables/group_h.inc"
    {},
};
constexpr Entry kGroup_i[] = {
#include "tables/group_i.inc"
    {},
};
constexpr Entry kGroup_j[] = {
#include "tables/group_j.inc"
    {},
};
constexpr Entry kGroup_k[] = {
#include "tables/group_k.inc"
    {},
};
constexpr Entry kGroup_l[] = {
#include "tables/group_l.inc"
    {},
};
constexpr Entry kGroup_m[] = {
#include "tables/group_m.inc"
    {},
};
constexpr Entry kGroup_n[] = {
#include "tables/group_n.inc"
    {},
};
constexpr Entry kGroup_o[] = {
#include "tables/group_o.inc"
    {},
};
constexpr Entry kGroup_p[] = {
#include "tables/group_p.inc"
    {},
};
constexpr Entry kGroup_q[] = {
#include "tables/group_q.inc"
    {},
};
constexpr Entry kGroup_r[] = {
#include "tables/group_r.inc"
    {},
};
constexpr Entry kGroup_s[] = {
#include "tables/group_s.inc"
    {},
};
constexpr Entry kGroup_t[] = {
#include "tables/group_t.inc"
    {},
};
constexpr Entry kGroup_uvw[] = {
#include "tables/group_uvw.inc"
    {},
};
constexpr Entry kGroup_xyz[] = {
#include "tables/group_xyz.inc"
    {},
};

template <std::size_t N>
constexpr std::span<const Entry> rows(const Entry (&table)[N]) {
    return {table, N - 1};
}

constexpr std::array<WordGroup, kGroupCount> kGroups{{
    {u"Asonabet", u"a", rows(kGroup_a)},       {u"Bsonabet", u"b", rows(kGroup_b)},
    {u"Csonabet", u"c", rows(kGroup_c)},       {u"Dsonabet", u"d", rows(kGroup_d)},
    {u"Esonabet", u"e", rows(kGroup_e)},       {u"Fsonabet", u"f", rows(kGroup_f)},
    {u"Gsonabet", u"g", rows(kGroup_g)},       {u"Hsonabet", u"h", rows(kGroup_h)},
    {u"Isonabet", u"i", rows(kGroup_i)},       {u"Jsonabet", u"j", rows(kGroup_j)},
    {u"Ksonabet", u"k", rows(kGroup_k)},       {u"Lsonabet", u"l", rows(kGroup_l)},
    {u"Msonabet", u"m", rows(kGroup_m)},       {u"Nsonabet", u"n", rows(kGroup_n)},
    {u"Osonabet", u"o", rows(kGroup_o)},       {u"Psonabet", u"p", rows(kGroup_p)},
    {u"Qsonabet", u"q", rows(kGroup_q)},       {u"Rsonabet", u"r", rows(kGroup_r)},
    {u"Ssonabet", u"s", rows(kGroup_s)},       {u"Tsonabet", u"t", rows(kGroup_t)},
    {u"UVWsonabet", u"uvw", rows(kGroup_uvw)}, {u"XYZsonabet", u"xyz", rows(kGroup_xyz)},
}};

using Index = std::unordered_map<std::u16string_view, std::u16string_view>;

// Built on first use and kept for the life of the library; a key's first row is its entry.
const std::array<Index, kGroupCount>& indexes() {
    static const std::array<Index, kGroupCount> built = [] {
        std::array<Index, kGroupCount> result;
        for (std::size_t g = 0; g < kGroupCount; ++g) {
            result[g].reserve(kGroups[g].entries.size());
            for (const Entry& entry : kGroups[g].entries) {
                result[g].emplace(entry.key, entry.transcription);
            }
        }
        return result;
    }();
    return built;
}

}  // namespace

std::span<const WordGroup> wordGroups() {
    return kGroups;
}

std::u16string_view lookUp(std::size_t group, std::u16string_view word) {
    if (word.empty() || group >= kGroupCount) {
        return {};
    }
    const Index& index = indexes()[group];
    const auto found = index.find(word);
    return found == index.end() ? std::u16string_view{} : found->second;
}

}  // namespace sonabet
