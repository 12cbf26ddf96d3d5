// Splitting a text into words and the text between them: the words the annotator looks up, and
// every character of the text kept.
#include <gtest/gtest.h>

#include "qtprinters.h"

#include <QStringList>

#include "texttokens.h"

namespace {

struct Case {
    const char* name;
    const char* text;  // UTF-8
    std::vector<const char*> words;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class TextTokens : public testing::TestWithParam<Case> {};

TEST_P(TextTokens, WordsInOrderAndTheTextKept) {
    const QString text = QString::fromUtf8(GetParam().text);
    const QList<core::TextToken> tokens = core::textTokens(text);
    QString joined;
    QStringList words;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const core::TextToken& token = tokens[i];
        ASSERT_GT(token.length, 0);
        ASSERT_EQ(token.start, joined.size());
        joined += text.sliced(token.start, token.length);
        if (token.word) {
            words << text.sliced(token.start, token.length);
        } else if (i > 0) {
            EXPECT_TRUE(tokens[i - 1].word) << "two pieces between words in a row at " << i;
        }
    }
    EXPECT_EQ(joined, text);
    QStringList expected;
    for (const char* word : GetParam().words) {
        expected << QString::fromUtf8(word);
    }
    EXPECT_EQ(words, expected);
}

INSTANTIATE_TEST_SUITE_P(
    HardCases, TextTokens,
    testing::Values(
        Case{"Contractions",
             "Isn't it? I'm sure, I’m sure they’re here.",
             {"Isn't", "it", "I'm", "sure", "I’m", "sure", "they’re", "here"}},
        Case{"Possessives",
             "the children's books and the students' books",
             {"the", "children's", "books", "and", "the", "students", "books"}},
        Case{"ApostrophesAtTheEdges",
             "'Tis goin' 'round ‘quoted’",
             {"Tis", "goin", "round", "quoted"}},
        Case{"Hyphens",
             "a well-known mother-in-law, -ism, pre- and post‐war; ice--cream - x",
             {"a", "well-known", "mother-in-law", "ism", "pre", "and", "post‐war", "ice", "cream",
              "x"}},
        Case{"Capitals",
             "The BBC's CEO met McDonald in NEW YORK",
             {"The", "BBC's", "CEO", "met", "McDonald", "in", "NEW", "YORK"}},
        Case{"Numbers",
             "In 1990, 3.5 people, the 4th of 10 MP3s cost $20.",
             {"In", "people", "the", "of", "cost"}},
        Case{"ChineseAroundEnglish",
             "我们学习English很好。Hello世界！“the”",
             {"English", "Hello", "the"}},
        Case{"LineEnds",
             "one\r\ntwo\r\n\r\nthree\nfour\rfive\r\n",
             {"one", "two", "three", "four", "five"}},
        Case{"Accents", "café naïve cafe\u0301 Ærø", {"café", "naïve", "cafe\u0301", "Ærø"}},
        Case{"OtherScripts", "Москва and Αθήνα", {"and"}}, Case{"OnlyBetween", " \t42 。\r\n", {}},
        Case{"Empty", "", {}}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
