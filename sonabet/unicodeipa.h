// Phonetic codes turned into Unicode IPA, for readers without the phonetic font: the command
// line's "ipa" format and the document box's copy as Unicode.
#pragma once

#include <string>
#include <string_view>

namespace sonabet::notation {

// Which symbols the vowels take. Classic: as the phonetic font draws them (i, u, ɔ, əː, əu, εə,
// ai). Modern: as today's Chinese textbooks print them (ɪ, ʊ, ɒ, ɜː, əʊ, eə, aɪ, the modern column
// of the notation table), with their convention that an unstressed i or u at the end of a word
// or before a vowel stays i or u ("5hApi" gives "ˈhæpi", ",sitju5eiFEn" "ˌsɪtjuˈeɪʃən"), and so
// an unstressed "iE" or "uE" is two vowels rather than a diphthong ("5piEriEd" gives "ˈpɪəriəd").
// A vowel is stressed when a stress mark stands before it with no other vowel between, or when it
// is the only vowel of a word that carries no stress mark.
enum class Symbols { Classic, Modern };

// Converts text in phonetic codes (UTF-8) to Unicode IPA (UTF-8), line by line. Every code of
// the notation table becomes its symbol ("5kwRliti" gives "ˈkwɔliti"). Besides the table:
// - a comma followed by a blank separates pronunciations and stays a comma ("/TE, Ti/"); any
//   other comma is the secondary stress mark;
// - the full-width comma becomes ", ";
// - "/" is the code of ε, except the slashes that wrap a transcription: when a line ends in "/",
//   that slash and the line's first "/" are delimiters, and so are the slashes of a transcription
//   wrapped once more between them (the batch line "the//TE, Ti//"). A lone opening slash is ε
//   ("/E" gives "εə");
// - blanks, brackets, hyphens and characters that are not codes stay as they are.
std::string toUnicodeIpa(std::string_view codes, Symbols symbols = Symbols::Classic);
// The same for the bytes [from, to) of codes only, with the rest of their lines deciding which
// slashes are delimiters and which vowels are stressed (a selection within a longer run of
// codes).
std::string toUnicodeIpa(std::string_view codes, std::size_t from, std::size_t to,
                         Symbols symbols = Symbols::Classic);

}  // namespace sonabet::notation
