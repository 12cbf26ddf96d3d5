// Suggested transcriptions: eSpeak NG's phonemes in the dictionary's codes and style, and the
// service that loads eSpeak NG when it is first needed and does without it when it is missing.
#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "espeakcodes.h"
#include "espeakhyphens.h"
#include "standins.h"
#include "suggestion.h"

namespace {

struct PhonemeCase {
    const char* name;       // the eSpeak phoneme the case is for
    const char* word;       // the spelling
    const char* phonemes;   // what eSpeak says for it
    const char* codes;      // what we write: the dictionary's own entry where it has the word
    bool american = false;  // eSpeak's American voice, in the American codes
    // For a hyphenated word: what eSpeak says for each part alone, a blank between the parts.
    const char* parts = nullptr;
};

std::ostream& operator<<(std::ostream& out, const PhonemeCase& c) {
    return out << c.name << " in " << c.word;
}

// Each phoneme of eSpeak's British English once.
constexpr PhonemeCase kPhonemeCases[] = {
    // Vowels.
    {"a", "ad", "'a_d", "Ad"},
    {"a#", "about", "a#_b_'aU_t", "E5baut"},
    {"aa", "ask", "'aa_s_k", "a:sk"},
    {"A:", "ah", "'A:", "a:"},
    {"A@", "arc", "'A@_k", "a:k"},
    {"A~", "croissant", "k_w_'A:_s_A~", "5kwa:sa:"},
    {"@", "era", "'i@_r_@", "5iErE"},
    {"@-", "camera", "k_'a_m_@-_r_@", "5kAmErE"},
    {"3", "acre", "'eI_k_3", "5eikE"},
    {"3:", "err", "'3:", "E:"},
    {"@L", "able", "'eI_b_@L", "5eibl"},
    {"e", "atelier", ",a_t_@_l_j_'e", ",AtE5lje"},
    {"E", "em", "'E_m", "em"},
    {"I", "if", "I_f", "if"},
    {"I2", "defy", "d_I2_f_'aI", "di5fai"},
    {"i", "icy", "'aI_s_i", "5aisi"},
    {"i:", "be", "b_'i:", "bi:"},
    {"0", "of", "0_v", "Rv"},
    {"O", "korea", "k_O_r_'i:_;_@", "kR5ri:E"},
    {"O~", "denouement", "d_eI_n_'u:_m_O~", "dei5nu:mR"},
    {"O:", "all", "'O:_l", "R:l"},
    {"O@", "for", "f_O@", "fR:"},
    {"o@", "oar", "'o@", "R:"},
    {"U", "put", "p_'U_t", "put"},
    {"u:", "do", "d_'u:", "du:"},
    {"V", "uh", "'V", "Q"},
    {"aI", "i", "'aI", "ai"},
    {"aI@", "via", "v_'aI@", "5vaiE"},
    {"aU", "cow", "k_'aU", "kau"},
    {"eI", "a", "'eI", "ei"},
    {"OI", "boy", "b_'OI", "bRi"},
    {"oU", "go", "g_'oU", "gEu"},
    {"i@", "era", "'i@_r_@", "5iErE"},
    {"i@3", "ear", "'i@3", "iE"},
    {"e@", "air", "'e@", "/E"},
    {"U@", "cure", "k_j_'U@", "kjuE"},
    // Consonants.
    {"p", "up", "'V_p", "Qp"},
    {"b", "be", "b_'i:", "bi:"},
    {"t", "at", "a_t", "At"},
    {"d", "ad", "'a_d", "Ad"},
    {"k", "ax", "'a_k_s", "Aks"},
    {"g", "go", "g_'oU", "gEu"},
    {"x", "loch", "l_'0_x", "lRk"},
    {"f", "if", "I_f", "if"},
    {"v", "of", "0_v", "Rv"},
    {"T", "bath", "b_'aa_T", "ba:W"},
    {"D", "that", "D_'a_t", "TAt"},
    {"s", "ax", "'a_k_s", "Aks"},
    {"z", "as", "a_z", "Az"},
    {"S", "ash", "'a_S", "AF"},
    {"Z", "genre", "Z_'0_n_r_@", "5VRnrE"},
    {"tS", "arch", "'A@_tS", "a:tF"},
    {"dZ", "age", "'eI_dZ", "eidV"},
    {"h", "ha", "h_'A:", "ha:"},
    {"m", "am", "a_m", "Am"},
    {"n", "an", "a_n", "An"},
    {"N", "ink", "'I_N_k", "iNk"},
    {"l", "ail", "'eI_l", "eil"},
    {"l#", "llanos", "l#_a_n_'oU_z", "lA5nEuz"},
    {"r", "bra", "b_r_'A:", "bra:"},
    {"r-", "forever", "f_3_r-_'E_v_3", "fEr5evE"},
    {"w", "we", "w_i:", "wi:"},
    {"j", "ya", "j_a#", "jE"},
    // Markers without a sound: a syllable break, a pause inside a compound, a phrase end.
    {";", "vs", "v_,i:_;_'E_s", "5vi:5es"},
    {"_", "wheelbarrows", "w_'i:_l___b_,a_r_oU_z", "5(h)wi:lbArEuz"},
    {"!", "ie", "'aI_i:__!", "5aii:"},
};

// Each phoneme of eSpeak's American English once, in the American codes: the dictionary's own
// American entry where it has the word.
constexpr PhonemeCase kAmericanPhonemeCases[] = {
    // Vowels: the r-coloured ones keep their r, the lot vowel is ɑː, the bath words have æ.
    {"a", "an", "'a_n", "An", true},
    {"a#", "agog", "a#_g_'0_g", "E5gB:g", true},
    {"aa", "asks", "'aa_s_k_s", "Asks", true},
    {"A:", "pa", "p_'A:", "pB:", true},
    {"A@", "are", "'A@", "B:r", true},
    {"A~", "croissant", "k_w_'A:_s_A~", "5kwB:sB:", true},
    {"@", "atom", "'a_t#_@_m", "5AtEm", true},
    {"@-", "realty", "r_'i:_;_@-_l_t_i", "5ri:Elti", true},
    {"3", "awry", "3_r_'aI", "E5raI", true},
    {"3:", "cur", "k_'3:", "k\\:r", true},
    {"@L", "able", "'eI_b_@L", "5eIbl", true},
    {"e", "atelier", ",a_t_@_l_j_'e", ",AtE5lje", true},
    {"E", "em", "'E_m", "em", true},
    {"I", "in", "'I_n", "In", true},
    {"I2", "ruin", "r_'u:_I2_n", "5ru:In", true},
    {"I#", "aces", "'eI_s_I#_z", "5eIsIz", true},
    {"i", "amy", "'eI_m_i", "5eImi", true},
    {"i:", "tea", "t_'i:", "ti:", true},
    {"0", "pot", "p_'0_t", "pB:t", true},
    {"O", "utah", "j_'u:_t2_O", "5ju:tR:", true},
    {"O2", "off", "'O2_f", "R:f", true},
    {"O~", "denouement", "d_eI_n_'u:_m_O~", "deI5nu:mR:", true},
    {"O:", "awe", "'O:", "R:", true},
    {"O@", "org", "'O@_g", "R:rg", true},
    {"o@", "kor", "k_'o@", "kR:r", true},
    {"U", "pud", "p_'U_d", "pJd", true},
    {"u:", "do", "d_'u:", "du:", true},
    {"V", "uh", "'V", "Q", true},
    {"aI", "why", "w_'aI", "waI", true},
    {"aI@", "diet", "d_'aI@_t", "5daIEt", true},
    {"aI3", "fire", "f_'aI3", "5faIEr", true},
    {"aU", "how", "h_'aU", "haJ", true},
    {"eI", "a", "'eI", "eI", true},
    {"OI", "oi", "'OI", "RI", true},
    {"oU", "co", "k_'oU", "koJ", true},
    {"i@", "idea", "aI_d_'i@", "aI5di:E", true},
    {"i@3", "mir", "m_'i@3", "mIr", true},
    {"e@", "dare", "d_'e@", "der", true},
    {"U@", "euro", "j_'U@_r_oU", "5jJroJ", true},
    // Consonants: the flap and the glottal stop eSpeak says for a t are written t.
    {"p", "up", "'V_p", "Qp", true},
    {"b", "be", "b_'i:", "bi:", true},
    {"t", "at", "a_t", "At", true},
    {"t#", "atom", "'a_t#_@_m", "5AtEm", true},
    {"t2", "taps", "t2_'a_p_s", "tAps", true},
    {"?", "eaten", "'i:_?_n-", "5i:tn", true},
    {"d", "ad", "'a_d", "Ad", true},
    {"k", "ax", "'a_k_s", "Aks", true},
    {"g", "go", "g_'oU", "goJ", true},
    {"x", "loch", "l_'0_x", "lB:k", true},
    {"f", "if", "I_f", "If", true},
    {"v", "of", "V_v", "Qv", true},
    {"T", "bath", "b_'aa_T", "bAW", true},
    {"D", "that", "D_'a_t", "TAt", true},
    {"s", "ax", "'a_k_s", "Aks", true},
    {"z", "as", "a_z", "Az", true},
    {"S", "shy", "S_'aI", "FaI", true},
    {"Z", "azure", "'a_Z_3", "5AVEr", true},
    {"tS", "arch", "'A@_tS", "B:rtF", true},
    {"dZ", "age", "'eI_dZ", "eIdV", true},
    {"h", "hag", "h_'a_g", "hAg", true},
    {"m", "am", "a_m", "Am", true},
    {"n", "an", "'a_n", "An", true},
    {"n-", "eaten", "'i:_?_n-", "5i:tn", true},
    {"N", "ankh", "'a_N_k", "ANk", true},
    {"l", "lo", "l_'oU", "loJ", true},
    {"l#", "llanos", "l#_a_n_'oU_z", "lA5noJz", true},
    {"r", "ra", "r_'A:", "rB:", true},
    {"r-", "forever", "f_3_r-_'E_v_3", "fEr5evEr", true},
    {"w", "we", "w_i:", "wi:", true},
    {"j", "ya", "j_a#", "jE", true},
    // Markers without a sound.
    {";", "cs", "s_,i:_;_'E_s", ",si:5es", true},
    {"_", "wheelbarrows", "w_'i:_l___b_,a_r_oU_z", "5wi:lbAroJz", true},
    {"!", "ie", "'aI_i:__!", "5aIi:", true},
};

class EspeakPhonemesTest : public ::testing::TestWithParam<PhonemeCase> {};

TEST_P(EspeakPhonemesTest, BecomeTheDictionarysCodesInItsStyle) {
    const PhonemeCase& c = GetParam();
    QString names = QString::fromLatin1(c.phonemes);
    const QString word = QString::fromLatin1(c.word);
    if (c.parts != nullptr) {
        names = core::withHyphens(names, QString::fromLatin1(c.parts).split(u' '));
    }
    EXPECT_EQ(c.american ? core::americanCodesFromEspeak(names, word)
                         : core::codesFromEspeak(names, word),
              QString::fromLatin1(c.codes));
}

INSTANTIATE_TEST_SUITE_P(EveryPhoneme, EspeakPhonemesTest, ::testing::ValuesIn(kPhonemeCases));
INSTANTIATE_TEST_SUITE_P(EveryAmericanPhoneme, EspeakPhonemesTest,
                         ::testing::ValuesIn(kAmericanPhonemeCases));

TEST(EspeakPhonemes, EveryPhonemeTheSuggestionKnowsHasItsCase) {
    const auto check = [](std::span<const core::EspeakPhoneme> phonemes,
                          std::span<const PhonemeCase> cases) {
        for (const core::EspeakPhoneme& phoneme : phonemes) {
            EXPECT_TRUE(std::any_of(cases.begin(), cases.end(), [&](const PhonemeCase& c) {
                return c.name == phoneme.name;
            })) << phoneme.name;
        }
        EXPECT_EQ(cases.size(), phonemes.size());
    };
    check(core::espeakPhonemes(), kPhonemeCases);
    check(core::americanEspeakPhonemes(), kAmericanPhonemeCases);
}

// The dictionary's style on eSpeak's phonemes: stress before the syllable, syllabic consonants,
// the older sounds, one transcription per word of a phrase; nothing for what cannot be read.
constexpr PhonemeCase kStyleCases[] = {
    {"syllabic n", "lesson", "l_'E_s_@_n", "5lesn"},
    {"two primary stresses", "fifteen", "f_'I_f_t_i:_n", "5fif5ti:n"},
    {"secondary stress", "accommodation", "a#_k_,0_m_@_d_'eI_S_@_n", "E,kRmE5deiFEn"},
    {"breathed wh", "which", "w_'I_tS", "(h)witF"},
    {"stressed prefix", "unfair", "V_n_f_'e@", "5Qn5f/E"},
    {"tu kept apart", "actual", "'a_k_tS_u:_@L", "5AktjuEl"},
    {"older uE", "sure", "S_'U@", "FuE"},
    {"stress without a mark before it", "hello", "h_@_l_'oU", "hE5lEu"},
    {"a phrase", "New York", "n_j_'u: j_'O@_k", "nju: jR:k"},
    {"a stress mark alone", "go", "g_'_oU", "gEu"},
    {"an unknown phoneme", "bonjour", "b_'0~_Z_u@", ""},
    {"no sound", "", "", ""},
    // The American voice in the American style: one r after an r-coloured vowel, the linking r
    // ending its syllable; ɑː after w; syllabic consonants; one primary stress, on -teen in the
    // numbers, a secondary right before it.
    {"one r", "hurry", "h_'3:_r_i", "5h\\:ri", true},
    {"one r before the stress", "career", "k_3_r_'i@3", "kE5rIr", true},
    {"short u, syllabic n after F", "situation", "s_,I_tS_u:_'eI_S_@_n", ",sItFu5eIFn", true},
    {"syllabic l after the flap", "little", "l_'I_t#_@L", "5lItl", true},
    {"lot vowel after w", "quality", "k_w_'O2_l_I#_t#_i", "5kwB:lIti", true},
    {"devoiced d", "typed", "t2_'aI_p_d", "taIpt", true},
    {"an American phrase", "New York", "n_'u: j_'O@_k", "nu: jR:rk", true},
    {"-teen stressed", "fifteen", "f_'I_f_t_i:_n", ",fIf5ti:n", true},
    {"a secondary before a final stress", "tv", "t_,i:_v_'i:", ",ti:5vi:", true},
    {"an unknown American phoneme", "bonjour", "b_'0~_Z_u@", "", true},
    // A hyphen keeps its consonants on its side of a stress mark, whatever eSpeak runs together:
    // no s split from its stop, no cluster taken over; a part eSpeak weakens is found from the
    // other end, and a part found nowhere leaves the word as eSpeak's alone gives it.
    {"s and a stop after a hyphen", "high-speed", "h_'aI_s_p_'i:_d", ",haI5spi:d", true,
     "h_'aI s_p_'i:_d"},
    {"British s and stop after a hyphen", "high-speed", "h_'aI_s_p_'i:_d", "5hai5spi:d", false,
     "h_'aI s_p_'i:_d"},
    {"a consonant before a hyphen", "right-wing", "r_'aI_t_w_'I_N", ",raIt5wIN", true,
     "r_'aI_t w_'I_N"},
    {"British consonant before a hyphen", "right-wing", "r_'aI_t_w_'I_N", "5rait5wiN", false,
     "r_'aI_t w_'I_N"},
    {"weakened and flapped parts", "state-of-the-art", "s_t_'eI_t#_V_v_D_I2_;_'A@_t",
     ",steItQvTi5B:rt", true, "s_t_'eI_t '0_v D_'@2 'A@_t"},
    {"s and a stop after a prefix", "re-spray", "r_,i:_s_p_r_'eI", ",ri:5spreI", true,
     "r_'i: s_p_r_'eI"},
    {"a part spelt out alone, found from the back", "re-spray", "r_,i:_s_p_r_'eI", ",ri:5spreI",
     true, "'A@_r_'i: s_p_r_'eI"},
    {"a linking r across a hyphen, one r", "counter-attack", "k_'aU_n_t_3_r-_a#_t_'a_k",
     ",kaJntErE5tAk", true, "k_'aU_n_t_3 a#_t_'a_k"},
    {"two r across a hyphen, one r", "chinchilla-rat", "tS_I_n_tS_'I_l_3_r_'a_t", "tFIn,tFIlE5rAt",
     true, "tS_I_n_tS_'I_l_@ r_'a_t"},
    {"parts found nowhere", "high-speed", "h_'aI_s_p_'i:_d", ",haIs5pi:d", true,
     "'eI_tS s_p_'i:_d_z"},
};

INSTANTIATE_TEST_SUITE_P(Rules, EspeakPhonemesTest, ::testing::ValuesIn(kStyleCases));

// The dictionary generator writes with the same rules file: the names of its sample, converted
// there (tools/dictionary/conversion_cases.tsv), must give the same codes here.
TEST(EspeakPhonemes, BecomeWhatTheDictionaryGeneratorWrites) {
    QFile file(QStringLiteral(VOXSCRIBE_SOURCE_DIR "/tools/dictionary/conversion_cases.tsv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    int cases = 0;
    QStringList differ;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        const QStringList fields = line.split(u'\t');
        ASSERT_EQ(fields.size(), 3) << line.toStdString();
        ++cases;
        const QString codes = core::codesFromEspeak(fields[1], fields[0]);
        if (codes != fields[2]) {
            differ << QStringLiteral("%1 %2 (generator %3)").arg(fields[0], codes, fields[2]);
        }
    }
    EXPECT_GT(cases, 1000);
    EXPECT_TRUE(differ.isEmpty()) << differ.size()
                                  << " differ: " << differ.mid(0, 10).join(u"; ").toStdString();
}

TEST(EspeakSuggestion, LoadsEspeakAtTheFirstSuggestionAndReadsOnlyWords) {
    if (testing_support::espeakLoaded()) {
        GTEST_SKIP() << "an earlier test of this process loaded eSpeak NG";
    }
    core::EspeakSuggestion suggestion;
    EXPECT_EQ(suggestion.suggest(QStringLiteral("3D")), "");  // digits: not even loaded for it
    EXPECT_FALSE(testing_support::espeakLoaded());
    EXPECT_EQ(suggestion.suggest(QStringLiteral(" Quality ")), "5kwRliti");
    EXPECT_TRUE(testing_support::espeakLoaded());
    EXPECT_TRUE(suggestion.available());
    EXPECT_EQ(suggestion.suggest(QStringLiteral("New York")), "nju: jR:k");
    // eSpeak runs a hyphenated word together; its parts read alone tell where each begins.
    EXPECT_EQ(suggestion.suggest(QStringLiteral("high-speed")), "5hai5spi:d");
    EXPECT_EQ(suggestion.suggestAmerican(QStringLiteral("right-wing trains")), ",raIt5wIN treInz");
    for (const char* word : {"", "   ", "a.b", "x1", "café", "-"}) {
        EXPECT_EQ(suggestion.suggest(QString::fromUtf8(word)), "") << word;
    }
}

// Without the library or its data there are no suggestions, and nothing else happens.
TEST(EspeakSuggestion, WithoutTheLibraryOrItsDataThereIsNoSuggestion) {
    QTemporaryDir emptyFolder;
    ASSERT_TRUE(emptyFolder.isValid());
    const core::EspeakSuggestion::Location missing[] = {
        {QStringLiteral("/nonexistent/libespeak-ng.so.1"), QString()},
        {QStringLiteral("libespeak-ng.so.1"), emptyFolder.path()},
    };
    for (const auto& location : missing) {
        core::EspeakSuggestion suggestion(location);
        EXPECT_EQ(suggestion.suggest(QStringLiteral("quality")), "")
            << location.library.toStdString();
        EXPECT_FALSE(suggestion.available());
    }
}

}  // namespace
