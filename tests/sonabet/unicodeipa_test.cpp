// Phonetic codes to Unicode IPA: every code of the notation table, and the dictionary's written
// forms whose slashes and commas mean different things.
#include <gtest/gtest.h>

#include <ostream>

#include "notation.h"
#include "unicodeipa.h"

namespace {

using sonabet::notation::Symbols;
using sonabet::notation::toUnicodeIpa;

TEST(UnicodeIpa, EveryCodeBecomesItsSymbol) {
    int checked = 0;
    for (const sonabet::notation::Code& code : sonabet::notation::codes()) {
        for (const std::string& written : {code.keyboard, code.dictionary}) {
            if (!written.empty()) {
                EXPECT_EQ(toUnicodeIpa(written), code.symbol) << written;
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 122);  // 66 keyboard and 56 dictionary codes
}

struct Form {
    const char* codes;
    const char* ipa;
    Symbols symbols = Symbols::Classic;
};

// The codes in a test's name, rather than the bytes of two pointers.
void PrintTo(const Form& form, std::ostream* out) {
    *out << '"';
    for (const char* c = form.codes; *c != '\0'; ++c) {
        if (*c == '\r') {
            *out << "\\r";
        } else if (*c == '\n') {
            *out << "\\n";
        } else {
            *out << *c;
        }
    }
    *out << '"';
}

class UnicodeIpaForms : public ::testing::TestWithParam<Form> {};

TEST_P(UnicodeIpaForms, Convert) {
    EXPECT_EQ(toUnicodeIpa(GetParam().codes, GetParam().symbols), GetParam().ipa);
}

INSTANTIATE_TEST_SUITE_P(
    DictionaryEntries, UnicodeIpaForms,
    ::testing::Values(
        Form{"5kwRliti", "ˈkwɔliti"}, Form{"5kwR:tE", "ˈkwɔːtə"},
        // A comma before a syllable is the secondary stress; followed by a blank it separates.
        Form{"E,kRmE5deiFEn", "əˌkɔməˈdeiʃən"}, Form{"5AbsEnt, Eb5sent", "ˈæbsənt, əbˈsent"},
        Form{"get\xEF\xBC\x8CQp", "get, ʌp"},
        // "/" is ε unless it wraps the transcription.
        Form{"/E", "εə"}, Form{"k/E", "kεə"}, Form{"5daun5st/Ez", "ˈdaunˈstεəz"},
        Form{"/E5rEubik", "εəˈrəubik"}, Form{"/TE, Ti/", "/ðə, ði/"},
        Form{"/ klEuz, klEus/", "/ kləuz, kləus/"}, Form{"/,Ani5vE:sEri/", "/ˌæniˈvəːsəri/"},
        Form{"/fai5nAns, fi-/", "/faiˈnæns, fi-/"},
        // American entries take the rare codes of ɪ, ʊ and ɜ.
        Form{"5kwB:lEti", "ˈkwɑːləti"}, Form{"b\\:rd", "bɜːrd"}, Form{"5sIti", "ˈsɪti"},
        Form{"/goJ, gJd/", "/goʊ, gʊd/"},
        Form{"/E5filieit, E5filiit/", "/əˈfilieit, əˈfiliit/"},
        Form{"/5kRntrEri, kEn5tr/Eri/", "/ˈkɔntrəri, kənˈtrεəri/"},
        // Blanks, optional sounds, the keyboard's codes, an empty transcription.
        Form{" blaind", " blaind"}, Form{"5flu(:)id", "ˈflu(ː)id"},
        Form{"5nju: 5zi:lEnd", "ˈnjuː ˈziːlənd"}, Form{"dVEQdVE", "dʒəʌdʒə"},
        Form{"E7kCmE5deiFEn", "əˌkɔməˈdeiʃən"}, Form{"ZE", "εə"}, Form{"", ""},
        // Batch lines: the word, then the transcription between slashes, line by line.
        Form{"quality/5kwRliti/\nair//E/\r\nthe//TE, Ti//\nxyzzy/  /",
             "quality/ˈkwɔliti/\nair/εə/\r\nthe//ðə, ði//\nxyzzy/  /"}));

// The modern symbols: short i and u become ɪ and ʊ, except unstressed at the end of a word or
// before a vowel; an unstressed "iE" or "uE" is two vowels.
constexpr Symbols kModern = Symbols::Modern;
INSTANTIATE_TEST_SUITE_P(
    ModernSymbols, UnicodeIpaForms,
    ::testing::Values(
        Form{"5kwRliti", "ˈkwɒlɪti", kModern}, Form{"5hApi", "ˈhæpi", kModern},
        Form{",sitju5eiFEn", "ˌsɪtjuˈeɪʃən", kModern}, Form{"ri5Akt", "riˈækt", kModern},
        Form{"5stQdiiN", "ˈstʌdiɪŋ", kModern}, Form{"5piEriEd", "ˈpɪəriəd", kModern},
        Form{"5AktjuEl", "ˈæktjuəl", kModern}, Form{"iE", "ɪə", kModern},
        Form{"puE", "pʊə", kModern}, Form{"buk", "bʊk", kModern},
        Form{",ju:ni5vE:siti", "ˌjuːnɪˈvɜːsɪti", kModern}, Form{"a:m", "ɑːm", kModern},
        Form{"dR:", "dɔː", kModern}, Form{"gEu", "gəʊ", kModern},
        Form{"5mouldi", "ˈməʊldi", kModern}, Form{"bai hau bRi dei", "baɪ haʊ bɔɪ deɪ", kModern},
        Form{"k/E", "keə", kModern}, Form{"/TE, Ti/", "/ðə, ði/", kModern},
        Form{"5flu(:)id", "ˈflu(ː)ɪd", kModern}, Form{"5daun5st/Ez", "ˈdaʊnˈsteəz", kModern},
        // The keyboard's codes.
        Form{"E7kCmE5deiFEn", "əˌkɒməˈdeɪʃən", kModern}, Form{"ZE Ci", "eə ɔɪ", kModern},
        Form{"ju:s", "juːs", kModern}, Form{"", "", kModern}));

// A selection is read with the rest of its word: the "iE" of "riEd" is unstressed because of the
// stress mark before "piE".
TEST(UnicodeIpa, ModernSelectionReadsItsWholeWord) {
    EXPECT_EQ(toUnicodeIpa("5piEriEd", 4, 8, Symbols::Modern), "riəd");
    EXPECT_EQ(toUnicodeIpa("5piEriEd", 1, 4, Symbols::Modern), "pɪə");
}

}  // namespace
