// Phonetic codes turned into Unicode IPA, for readers without the phonetic font: the command
// line's "ipa" format and the document box's copy as Unicode.
#pragma once

#include <string>
#include <string_view>

namespace sonabet::notation {

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
std::string toUnicodeIpa(std::string_view codes);
// The same for the bytes [from, to) of codes only, with the rest of their lines deciding which
// slashes are delimiters (a selection within a longer run of codes).
std::string toUnicodeIpa(std::string_view codes, std::size_t from, std::size_t to);

}  // namespace sonabet::notation
