// The dictionary: 22 word groups of constant entries, one per method of the class ipa.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace sonabet {

struct Entry {
    std::u16string_view key;
    std::u16string_view transcription;
};

// One entry inside its group's text: the key starts at `start`, its transcription follows it
// directly. Offsets instead of pointers keep the tables free of load-time relocations.
struct Row {
    std::uint32_t start;
    std::uint8_t keyLength;
    std::uint8_t transcriptionLength;
};

struct WordGroup {
    std::u16string_view method;    // "Asonabet" ... "XYZsonabet"
    std::u16string_view initials;  // the lower-case initials whose words the group holds
    std::u16string_view text;      // every key and transcription of the group, run together
    std::span<const Row> rows;     // sorted by key without regard to case, then by key

    std::size_t size() const { return rows.size(); }
    Entry entry(std::size_t i) const {
        const Row& row = rows[i];
        return {text.substr(row.start, row.keyLength),
                text.substr(row.start + row.keyLength, row.transcriptionLength)};
    }
};

inline constexpr std::size_t kGroupCount = 22;

// The groups in method order.
std::span<const WordGroup> wordGroups();

// The order of the rows inside a group: keys compared with A-Z and the Latin-1 capitals
// folded to lower case, and exactly where the folded keys are equal.
int compareKeys(std::u16string_view a, std::u16string_view b);

// The lookup rule of every method: exact UTF-16 comparison over one group; the empty string
// for an empty word and for a word the group lacks. A binary search over the sorted rows, so
// nothing is built when the library loads.
std::u16string_view lookUp(std::size_t group, std::u16string_view word);

}  // namespace sonabet
