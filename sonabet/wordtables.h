// The dictionary: 22 word groups of constant entries, one per method of the class ipa.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace sonabet {

struct Entry {
    std::u16string_view key;
    std::u16string_view transcription;
};

struct WordGroup {
    std::u16string_view method;    // "Asonabet" ... "XYZsonabet"
    std::u16string_view initials;  // the lower-case initials whose words the group holds
    std::span<const Entry> entries;
};

inline constexpr std::size_t kGroupCount = 22;

// The groups in method order; entries in the order the tables list them.
std::span<const WordGroup> wordGroups();

// The lookup rule of every method: exact UTF-16 comparison over one group; the empty string
// for an empty word and for a word the group lacks. Built once per loaded library.
std::u16string_view lookUp(std::size_t group, std::u16string_view word);

}  // namespace sonabet
