// The dictionary: 22 word groups of constant entries, one per method of the class ipa.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
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

// A slot holding no row.
inline constexpr std::uint16_t kNoRow = 0xFFFF;

struct WordGroup {
    std::u16string_view method;    // "Asonabet" ... "XYZsonabet"
    std::u16string_view initials;  // the lower-case initials whose words the group holds
    std::u16string_view text;      // every key and transcription of the group, run together
    std::span<const Row> rows;     // in alphabetical order without regard to case
    // Open addressing by key hash: a power-of-two count of slots, at most half of them used,
    // each naming a row or kNoRow.
    std::span<const std::uint16_t> slots;
    // The rows, in order, whose reading only rules made and nothing independent checked.
    std::span<const std::uint16_t> uncertain;

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

// The American transcriptions of one group's keys, by the row of the key in the British group:
// row i's runs from starts[i] to starts[i + 1] of the text, and a key without one has none (the
// two starts equal). One search of the British group finds both accents of a word.
struct AmericanGroup {
    std::u16string_view text;
    std::span<const std::uint32_t> starts;  // one per British row, then the end of the text
    // FNV-1a over the UTF-16 code units of the British keys the rows follow, a 0 after each.
    std::uint32_t britishKeys;

    std::u16string_view transcription(std::size_t row) const {
        return text.substr(starts[row], starts[row + 1] - starts[row]);
    }
};

// The American groups in method order.
std::span<const AmericanGroup> americanGroups();

// A word's entry in both accents.
struct Found {
    std::u16string_view british;
    std::u16string_view american;  // empty where the dictionary has none
    bool uncertain = false;        // the British reading only rules made
};

// The slot where the search for a key starts: FNV-1a over its UTF-16 code units (the table
// generator computes the same).
std::uint32_t keyHash(std::u16string_view key);

// The lookup rule of every method: exact UTF-16 comparison over one group; the empty string
// for an empty word and for a word the group lacks. The slots are generated with the tables,
// so loading the library builds nothing.
std::u16string_view lookUp(std::size_t group, std::u16string_view word);

// The same rule over one group.
std::u16string_view lookUpIn(const WordGroup& words, std::u16string_view word);

// The group whose initials hold the word's initial (an ASCII capital read as its small
// letter); kGroupCount for an empty word and an initial no group holds.
std::size_t groupOfWord(std::u16string_view word);

// The American transcription of a word, from the group of its initial; empty where the
// dictionary has none.
std::u16string_view lookUpAmerican(std::u16string_view word);

// Everything the dictionary holds on a word, from one search of the group of its initial;
// nothing for a word that is no key.
std::optional<Found> lookUpEntry(std::u16string_view word);

// Whether a key of the group is marked uncertain; false for a word the group lacks.
bool isUncertain(std::size_t group, std::u16string_view word);

}  // namespace sonabet
