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
    const auto [open, close] = notation::wrappingSlashes(line);
    if (open == notation::kNoSlash) {
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
void convertClassicLine(std::string_view line, std::size_t from, std::size_t to, std::string& out) {
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

// The notation's codes by their first character, longest first, each with its row: the vowels
// are read as whole codes ("ai", "i:", "/E") before their characters are given symbols. The
// keyboard's "ju:" key is two codes, j and the vowel u:.
struct Written {
    std::string_view code;
    const Code* row;
};
using CodeIndex = std::array<std::vector<Written>, 128>;

const CodeIndex& codeIndex() {
    static const CodeIndex index = [] {
        CodeIndex result;
        for (const Code& code : codes()) {
            if (code.kind == Kind::Sequence) {
                continue;
            }
            for (const std::string* written : {&code.keyboard, &code.dictionary}) {
                const auto first =
                    written->empty() ? 0u : static_cast<unsigned char>((*written)[0]);
                if (first != 0 && first < result.size()) {
                    result[first].push_back({*written, &code});
                }
            }
        }
        for (std::vector<Written>& list : result) {
            std::stable_sort(list.begin(), list.end(), [](const Written& a, const Written& b) {
                return a.code.size() > b.code.size();
            });
        }
        return result;
    }();
    return index;
}

bool isVowelRow(const Code& code) {
    return code.soundClass == SoundClass::Vowel;
}

bool isStressMark(const Code& code) {
    return code.kind == Kind::Mark && code.symbol != "ː";
}

// A piece of a line: a code of the table, or a character that is none (a blank, a bracket, a
// delimiting slash, a separating comma).
struct Unit {
    std::size_t begin;
    std::size_t length;
    const Code* row;  // null: not a code
    std::string_view code;
    bool vowel() const { return row != nullptr && isVowelRow(*row); }
    bool stress() const { return row != nullptr && isStressMark(*row); }
};

bool transparent(std::string_view line, const Unit& unit) {
    return unit.row == nullptr && (line[unit.begin] == '(' || line[unit.begin] == ')');
}

std::vector<Unit> unitsOf(std::string_view line, const std::vector<bool>& delimiter) {
    std::vector<Unit> units;
    const CodeIndex& index = codeIndex();
    for (std::size_t i = 0; i < line.size();) {
        const auto byte = static_cast<unsigned char>(line[i]);
        Unit unit{i, 1, nullptr, {}};
        const bool separator = line[i] == ',' && i + 1 < line.size() && isBlank(line[i + 1]);
        if (line.substr(i, kFullWidthComma.size()) == kFullWidthComma) {
            unit.length = kFullWidthComma.size();
        } else if (!delimiter[i] && !separator && byte < index.size()) {
            for (const Written& written : index[byte]) {
                const std::string_view code = written.code;
                // A diphthong into ə gives its E up to a longer vowel: "iEu" is i and əu
                // ("radio" "5reidiEu"), "iE:" i and əː.
                const bool givesUp = code.size() > 1 && code.back() == 'E' &&
                                     i + code.size() < line.size() &&
                                     (line[i + code.size()] == ':' || line[i + code.size()] == 'u');
                if (line.substr(i, code.size()) == code && !givesUp) {
                    unit = {i, code.size(), written.row, code};
                    break;
                }
            }
        }
        units.push_back(unit);
        i += unit.length;
    }
    return units;
}

// Whether the vowel at units[at] is stressed.
bool stressed(std::string_view line, const std::vector<Unit>& units, std::size_t at) {
    for (std::size_t j = at; j-- > 0;) {
        if (units[j].stress()) {
            return true;
        }
        if (units[j].vowel()) {
            return false;
        }
        if (units[j].row == nullptr && !transparent(line, units[j])) {
            break;
        }
    }
    // No mark before it in its word: stressed only as the one vowel of a word without marks.
    std::size_t begin = at;
    while (begin > 0 && (units[begin - 1].row != nullptr || transparent(line, units[begin - 1]))) {
        --begin;
    }
    std::size_t end = at;
    while (end < units.size() && (units[end].row != nullptr || transparent(line, units[end]))) {
        ++end;
    }
    int vowels = 0;
    for (std::size_t j = begin; j < end; ++j) {
        if (units[j].stress()) {
            return false;
        }
        vowels += units[j].vowel() ? 1 : 0;
    }
    return vowels == 1;
}

// The first unit after units[at] that is not a stress mark or a bracket; null at the end.
const Unit* following(std::string_view line, const std::vector<Unit>& units, std::size_t at) {
    for (std::size_t j = at + 1; j < units.size(); ++j) {
        if (!units[j].stress() && !transparent(line, units[j])) {
            return &units[j];
        }
    }
    return nullptr;
}

// The UTF-8 characters of a symbol, one for each code character.
void putSymbol(std::string_view symbol, std::size_t begin, std::vector<std::string>& pieces) {
    const std::vector<std::string_view> parts = characters(symbol);
    for (std::size_t k = 0; k < parts.size(); ++k) {
        pieces[begin + k] = std::string(parts[k]);
    }
}

std::string_view modernOf(const Code& code) {
    return code.modern.empty() ? std::string_view(code.symbol) : std::string_view(code.modern);
}

// The symbols of every byte of a line in the modern set; the bytes of a character that is no
// code keep themselves.
std::vector<std::string> modernPieces(std::string_view line) {
    const std::vector<bool> marked = delimiters(line);
    const std::vector<Unit> units = unitsOf(line, marked);
    std::vector<std::string> pieces(line.size());
    for (std::size_t k = 0; k < units.size(); ++k) {
        const Unit& unit = units[k];
        if (unit.row == nullptr) {
            if (unit.length > 1) {  // the full-width comma
                pieces[unit.begin] = ", ";
            } else {
                pieces[unit.begin] = std::string(1, line[unit.begin]);
            }
            continue;
        }
        const std::string_view code = unit.code;
        // The u of the dictionary's "ou" is the second half of a diphthong.
        const bool secondHalf =
            k > 0 && units[k - 1].row != nullptr && units[k - 1].row->kind == Kind::DictionaryOnly;
        const bool shortVowel = (code == "i" || code == "u") && !secondHalf;
        const bool centring = code == "iE" || code == "uE";
        if (!unit.vowel() || (!shortVowel && !centring)) {
            putSymbol(modernOf(*unit.row), unit.begin, pieces);
            continue;
        }
        const Unit* next = following(line, units, k);
        const bool atWordEnd = next == nullptr || next->row == nullptr;
        const bool optionalLength = line.substr(unit.begin + unit.length, 3) == "(:)";
        const bool beforeVowel = next != nullptr && next->vowel();
        const bool isStressed = stressed(line, units, k);
        if (shortVowel) {
            // happy, situation: the tense vowel keeps its plain letter.
            const bool tense = atWordEnd || optionalLength || (beforeVowel && !isStressed);
            putSymbol(tense ? std::string_view(unit.row->symbol) : modernOf(*unit.row), unit.begin,
                      pieces);
        } else if (isStressed) {
            putSymbol(modernOf(*unit.row), unit.begin, pieces);
        } else {
            // An unstressed "iE" is the tense i and a schwa, as in "period" and "happier".
            pieces[unit.begin] = std::string(1, code[0]);
            pieces[unit.begin + 1] = "ə";
        }
    }
    return pieces;
}

void convertModernLine(std::string_view line, std::size_t from, std::size_t to, std::string& out) {
    const std::vector<std::string> pieces = modernPieces(line);
    for (std::size_t i = from; i < line.size() && i < to; ++i) {
        out += pieces[i];
    }
}

}  // namespace

std::string toUnicodeIpa(std::string_view codes, Symbols symbols) {
    return toUnicodeIpa(codes, 0, codes.size(), symbols);
}

std::string toUnicodeIpa(std::string_view codes, std::size_t from, std::size_t to,
                         Symbols symbols) {
    std::string out;
    to = std::min(to, codes.size());
    out.reserve((to - std::min(from, to)) * 2);
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = std::min(codes.find_first_of("\r\n", start), codes.size());
        if (start < to && end > from) {
            const auto convert =
                symbols == Symbols::Modern ? convertModernLine : convertClassicLine;
            convert(codes.substr(start, end - start), from > start ? from - start : 0, to - start,
                    out);
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
