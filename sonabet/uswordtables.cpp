// The American word groups, filled from the generated tables under ustables/: the same groups
// and keys as the British ones, each with its American transcription.
#include <array>
#include <string_view>

#include "tableviews.h"
#include "wordtables.h"

namespace sonabet {
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

#define SONABET_GROUP(method, initials, table) \
    SONABET_WORD_GROUP(ustables, method, initials, table, {})
constexpr std::array<WordGroup, kGroupCount> kAmericanGroups{{
#include "tables/groups.inc"
}};
#undef SONABET_GROUP

}  // namespace

std::span<const WordGroup> americanWordGroups() {
    return kAmericanGroups;
}

std::u16string_view lookUpAmerican(std::u16string_view word) {
    return lookUpIn(kAmericanGroups, groupOfWord(word), word);
}

}  // namespace sonabet
