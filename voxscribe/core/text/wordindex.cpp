#include "wordindex.h"

#include <algorithm>
#include <bit>

namespace core {

void WordIndex::add(size_t hash) {
    ++count_;
    // At most half the slots in use keeps the probes short.
    if (2 * size_t(count_) > slots_.size()) {
        const std::vector<std::pair<size_t, int>> old =
            std::exchange(slots_, std::vector<std::pair<size_t, int>>(
                                      std::bit_ceil(std::max<size_t>(1024, 4 * size_t(count_)))));
        for (const auto& [oldHash, number] : old) {
            if (number != 0) {
                place(oldHash, number);
            }
        }
    }
    place(hash, count_);
}

void WordIndex::place(size_t hash, int number) {
    const size_t mask = slots_.size() - 1;
    size_t slot = hash & mask;
    while (slots_[slot].second != 0) {
        slot = (slot + 1) & mask;
    }
    slots_[slot] = {hash, number};
}

}  // namespace core
