// Views over the generated tables' arrays, for the word groups built from them at compile time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "wordtables.h"

namespace sonabet::tableviews {

template <typename T, std::size_t N>
constexpr std::span<const T> all(const T (&table)[N]) {
    return {table, N};
}

// The rows without their closing sentinel row, so that a group may be empty.
template <std::size_t N>
constexpr std::span<const Row> rows(const Row (&table)[N]) {
    return {table, N - 1};
}

// The uncertain rows without their closing kNoRow.
template <std::size_t N>
constexpr std::span<const std::uint16_t> marked(const std::uint16_t (&table)[N]) {
    return {table, N - 1};
}

// A text without its closing null.
template <std::size_t N>
constexpr std::u16string_view text(const char16_t (&chars)[N]) {
    return {chars, N - 1};
}

}  // namespace sonabet::tableviews

// One word group's entry, built from the arrays a generated table file defines in namespace
// tables_ns; uncertain is the group's span of uncertain rows, or {} where the tables mark none.
#define SONABET_WORD_GROUP(tables_ns, method, initials, table, uncertain) \
    {u"" #method,                                                         \
     u"" initials,                                                        \
     ::sonabet::tableviews::text(tables_ns::kText_##table),               \
     ::sonabet::tableviews::rows(tables_ns::kRows_##table),               \
     ::sonabet::tableviews::all(tables_ns::kSlots_##table),               \
     uncertain},
