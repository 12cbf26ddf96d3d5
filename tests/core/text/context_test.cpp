// A heteronym in running text shows the form its sentence calls for: the sentences of
// contextcases.h through the real dictionary, each word showing one form.
#include <gtest/gtest.h>

#include "contextcases.h"
#include "contextmodel.h"
#include "lookupclient.h"
#include "qtprinters.h"
#include "testenv.h"

void PrintTo(const ContextCase& c, std::ostream* out) {
    *out << c.sentence;
}

namespace {

class ContextChoiceTest : public testing::TestWithParam<ContextCase> {
protected:
    testing_support::TestEnvironment env;
    core::LookupClient client{env.services};
    core::ClientWords words{client};
};

TEST_P(ContextChoiceTest, TheSentenceChoosesTheForm) {
    const ContextChoice choice = chooseInContext(GetParam(), words);
    EXPECT_EQ(choice.shown, QString::fromUtf8(GetParam().form));
    EXPECT_TRUE(choice.twoForms.isEmpty()) << choice.twoForms.join(u' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Sentences, ContextChoiceTest, testing::ValuesIn(kContextCases));

// Sentences written beside the others but never tuned on: most must come right, and no word may
// show two forms.
TEST(HeldOutSentences, AreChosenRightAtLeast95PercentOfTheTime) {
    testing_support::TestEnvironment env;
    core::LookupClient client(env.services);
    core::ClientWords words(client);
    int right = 0;
    QStringList wrong;
    for (const ContextCase& c : kHeldOutCases) {
        const ContextChoice choice = chooseInContext(c, words);
        EXPECT_TRUE(choice.twoForms.isEmpty()) << c.sentence;
        if (choice.shown == QString::fromUtf8(c.form)) {
            ++right;
        } else {
            wrong << choice.sentence + u' ' + choice.shown;
        }
    }
    EXPECT_GE(right * 100, 95 * int(std::size(kHeldOutCases))) << wrong.join(u'\n').toStdString();
}

// The table's classes are the program's, in the same order.
TEST(ContextModel, TheTableNamesTheClassesInTheProgramsOrder) {
    const QStringList names = core::ContextModel::instance().classNames();
    ASSERT_EQ(names.size(), core::kWordClasses);
    EXPECT_EQ(names.front(), "END");
    EXPECT_EQ(names[int(core::WordClass::Modal)], "MODAL");
    EXPECT_EQ(names[int(core::WordClass::Noun)], "NOUN");
    EXPECT_EQ(names.back(), "OTHER");
}

}  // namespace
