#include "unicodeipa.h"

#include <algorithm>
#include <array>
#include <vector>

#include "notation.h"

namespace sonabet::notation {
namespace {

constexpr std::string_view kFullWidthComma = "\xEF\xBC\x8C";  // U+FF0C

// The UTF-8 characters of a string, each as its own piece.
std::vector<std::string_view> characters(std::string_view text) {
    std::vector<std::string_view> result;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        while (i + length < text.size() &&
               (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80) {
            ++length;
        }
        result.push_back(text.substr(i, length));
        i += length;
    }
    return result;
}

// The symbol of every code character. A code and its symbol line up character for character in
// the table, so "tF" gives t and ʃ, "/E" gives ε and ə.
using SymbolTable = std::array<std::string, 128>;

const SymbolTable& symbols() {
    static const SymbolTable table = [] {
        SymbolTable result;
        for (const Code& code : codes()) {
            const std::vector<std::string_view> symbol = characters(code.symbol);
            for (const std::string& written : {code.keyboard, code.dictionary}) {
                if (written.size() != symbol.size()) {
                    continue;
                }
                for (std::size_t i = 0; i < written.size(); ++i) {
                    const auto c = static_cast<unsigned char>(written[i]);
                    if (c < result.size() && result[c].empty()) {
                        result[c] = std::string(symbol[i]);
                    }
                }
            }
        }
        return result;
    }();
    return table;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Index of the first and the last character in [begin, end) that is not blank; npos when none.
std::size_t firstNonBlank(std::string_view line, std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i) {
        if (!isBlank(line[i])) {
            return i;
        }
    }
    return std::string_view::npos;
}

std::size_t lastNonBlank(std::string_view line, std::size_t begin, std::size_t end) {
    for (std::size_t i = end; i > begin; --i) {
        if (!isBlank(line[i - 1])) {
            return i - 1;
        }
    }
    return std::string_view::npos;
}

// Marks the slashes of a line that wrap a transcription rather than stand for ε.
std::vector<bool> delimiters(std::string_view line) {
    std::vector<bool> marked(line.size(), false);
    const std::size_t close = lastNonBlank(line, 0, line.size());
    if (close == std::string_view::npos || line[close] != '/') {
        return marked;
    }
    const std::size_t open = line.find('/');
    if (open == close) {
        return marked;
    }
    marked[open] = marked[close] = true;
    // A batch line wraps the transcription in slashes of its own: "the//TE, Ti//".
    const std::size_t innerOpen = firstNonBlank(line, open + 1, close);
    const std::size_t innerClose = lastNonBlank(line, open + 1, close);
    if (innerOpen != std::string_view::npos && innerOpen < innerClose && line[innerOpen] == '/' &&
        line[innerClose] == '/') {
        marked[innerOpen] = marked[innerClose] = true;
    }
    return marked;
}

// Converts the characters of line that start in [from, to).
void convertLine(std::string_view line, std::size_t from, std::size_t to, std::string& out) {
    const std::vector<bool> marked = delimiters(line);
    const SymbolTable& table = symbols();
    for (std::size_t i = from; i < line.size() && i < to; ++i) {
        const char c = line[i];
        const auto byte = static_cast<unsigned char>(c);
        if (marked[i]) {
            out += '/';
        } else if (c == ',' && i + 1 < line.size() && isBlank(line[i + 1])) {
            out += ',';  // a separator of pronunciations, not a stress mark
        } else if (line.substr(i, kFullWidthComma.size()) == kFullWidthComma) {
            out += ", ";
            i += kFullWidthComma.size() - 1;
        } else if (byte < table.size() && !table[byte].empty()) {
            out += table[byte];
        } else {
            out += c;
        }
    }
}

}  // namespace

std::string toUnicodeIpa(std::string_view codes) {
    return toUnicodeIpa(codes, 0, codes.size());
}

std::string toUnicodeIpa(std::string_view codes, std::size_t from, std::size_t to) {
    std::string out;
    to = std::min(to, codes.size());
    out.reserve((to - std::min(from, to)) * 2);
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = std::min(codes.find_first_of("\r\n", start), codes.size());
        if (start < to && end > from) {
            convertLine(codes.substr(start, end - start), from > start ? from - start : 0,
                        to - start, out);
        }
        if (end == codes.size()) {
            return out;
        }
        if (end >= from && end < to) {
            out += codes[end];
        }
        start = end + 1;
    }
}

}  // namespace sonabet::notation
