// Phonetic codes to Unicode IPA: every code of the notation table, and the dictionary's written
// forms whose slashes and commas mean different things.
#include <gtest/gtest.h>

#include <ostream>

#include "notation.h"
#include "unicodeipa.h"

namespace {

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
    EXPECT_EQ(checked, 119);  // 66 keyboard and 53 dictionary codes
}

struct Form {
    const char* codes;
    const char* ipa;
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
    EXPECT_EQ(toUnicodeIpa(GetParam().codes), GetParam().ipa);
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
        Form{"/E5filieit, E5filiit/", "/əˈfilieit, əˈfiliit/"},
        Form{"/5kRntrEri, kEn5tr/Eri/", "/ˈkɔntrəri, kənˈtrεəri/"},
        // Blanks, optional sounds, the keyboard's codes, an empty transcription.
        Form{" blaind", " blaind"}, Form{"5flu(:)id", "ˈflu(ː)id"},
        Form{"5nju: 5zi:lEnd", "ˈnjuː ˈziːlənd"}, Form{"dVEQdVE", "dʒəʌdʒə"},
        Form{"E7kCmE5deiFEn", "əˌkɔməˈdeiʃən"}, Form{"ZE", "εə"}, Form{"", ""},
        // Batch lines: the word, then the transcription between slashes, line by line.
        Form{"quality/5kwRliti/\nair//E/\r\nthe//TE, Ti//\nxyzzy/  /",
             "quality/ˈkwɔliti/\nair/εə/\r\nthe//ðə, ði//\nxyzzy/  /"}));

}  // namespace
