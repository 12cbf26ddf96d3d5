// How transcriptions go into documents: codes in the phonetic face, delimiters never.
#include <gtest/gtest.h>

#include "annotation.h"
#include "pieces.h"

namespace {

const QString kPhonetic = core::phoneticFont();
const QString kLatin = QStringLiteral("Latin");

struct Case {
    const char* codes;
    std::vector<std::pair<const char*, bool>> runs;  // text, in the phonetic face
};

class TranscriptionRuns : public testing::TestWithParam<Case> {};

TEST_P(TranscriptionRuns, CodesInThePhoneticFaceDelimitersInTheLatinOne) {
    QList<core::Run> expected;
    for (const auto& [text, phonetic] : GetParam().runs) {
        expected.push_back({QString::fromUtf8(text), phonetic ? kPhonetic : kLatin,
                            phonetic ? core::kBlue : core::kBlack});
    }
    EXPECT_EQ(core::transcriptionRuns(QString::fromUtf8(GetParam().codes), kLatin), expected);
}

INSTANTIATE_TEST_SUITE_P(
    DictionaryForms, TranscriptionRuns,
    testing::Values(Case{"5kwRliti", {{"5kwRliti", true}}},
                    // The vowel of "air" begins with a slash that is no delimiter.
                    Case{"/E", {{"/E", true}}}, Case{"k/E", {{"k/E", true}}},
                    Case{"/TE, Ti/", {{"TE", true}, {", ", false}, {"Ti", true}}},
                    Case{"/ klEuz, klEus/", {{" klEuz", true}, {", ", false}, {"klEus", true}}},
                    Case{"5AbsEnt, Eb5sent", {{"5AbsEnt", true}, {", ", false}, {"Eb5sent", true}}},
                    Case{"/fai5nAns, fi-/", {{"fai5nAns", true}, {", ", false}, {"fi-", true}}},
                    // A comma before a syllable is the secondary stress.
                    Case{"/,Ani5vE:sEri/", {{",Ani5vE:sEri", true}}},
                    Case{" blaind", {{" blaind", true}}}, Case{"liv laiv", {{"liv laiv", true}}},
                    Case{"get，Qp", {{"get，Qp", true}}}, Case{"", {}}));

}  // namespace
