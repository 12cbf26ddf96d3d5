// The numbers of the distinct words of a text by their spelling, found without making a string of
// each occurrence: every word of a text is looked up here, most of them repeats. Open addressing
// over a power-of-two count of slots, each the word's hash and its number plus one (0: empty),
// at most half of them in use. The hash is seeded per process, so that no text can be made to
// collide on purpose. bench/text_bench prints it beside QHash.
#pragma once

#include <QHash>
#include <QStringView>
#include <functional>
#include <utility>
#include <vector>

namespace core {

class WordIndex {
public:
    // The number of word, or -1; spelling(number) gives the spelling of a number known here.
    template <typename Spelling>
    int find(QStringView word, size_t hash, const Spelling& spelling) const {
        if (slots_.empty()) {
            return -1;
        }
        const size_t mask = slots_.size() - 1;
        for (size_t slot = hash & mask; slots_[slot].second != 0; slot = (slot + 1) & mask) {
            if (slots_[slot].first == hash && spelling(slots_[slot].second - 1) == word) {
                return slots_[slot].second - 1;
            }
        }
        return -1;
    }
    // Adds the next number, of a word find() did not know.
    void add(size_t hash);

    static size_t hashOf(QStringView word) { return qHash(word, QHashSeed::globalSeed()); }

private:
    void place(size_t hash, int number);

    std::vector<std::pair<size_t, int>> slots_;
    int count_ = 0;
};

}  // namespace core
