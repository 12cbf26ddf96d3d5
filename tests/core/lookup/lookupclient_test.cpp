// The lookup client: the key, the method chosen by the initial, and a dictionary that is missing.
#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <ostream>
#include <string>

#include "lookupclient.h"
#include "testenv.h"

namespace {

using core::LookupClient;
using testing_support::TestEnvironment;

TEST(LookupKey, TrimsOnlyBlanksAndLowerCases) {
    EXPECT_EQ(LookupClient::lookupKey("  Apple "), "apple");
    EXPECT_EQ(LookupClient::lookupKey("APPLE"), "apple");
    EXPECT_EQ(LookupClient::lookupKey(" Ice-Cream"), "ice-cream");
    EXPECT_EQ(LookupClient::lookupKey("  Don't  "), "don't");
    EXPECT_EQ(LookupClient::lookupKey("New York"), "new york");
    EXPECT_EQ(LookupClient::lookupKey("\tword "), "\tword");
    EXPECT_EQ(LookupClient::lookupKey("word\u3000"), "word\u3000");
    EXPECT_EQ(LookupClient::lookupKey("    "), "");
}

// The initial chooses the dictionary's method: a word of every group is found, and a key that
// begins with anything but an ASCII letter is a miss that asks no method.
TEST(MethodTable, InitialSelectsTheMethodAndAnythingElseSelectsNone) {
    TestEnvironment env;
    LookupClient client(env.services);
    for (const char* word : {"apple", "quality", "tree", "umbrella", "violin", "water", "xylophone",
                             "yes", "zoo", "x-ray"}) {
        EXPECT_FALSE(client.lookup(word).transcription.isEmpty()) << word;
    }
    for (const QString& word :
         {QString("3d"), QString("'til"), QString("-ism"), QString::fromUtf8("ärger"),
          QString::fromUtf8("ａpple"), QString("\tword"), QString()}) {
        const core::Lookup found = client.lookup(word);
        EXPECT_EQ(found.transcription, QString()) << word.toStdString();
        EXPECT_FALSE(found.unavailable) << word.toStdString();
    }
    EXPECT_TRUE(env.messages.shown.empty());
}

// Each accent's lookup: keys trimmed and lower-cased, misses empty, nothing shown.
struct KeyCase {
    const char* name;
    core::Lookup (LookupClient::*ask)(const QString&);
    const char* quality;
    const char* china;
    // What only this accent's lookup is asked besides.
    void (*more)(LookupClient& client);
};

std::ostream& operator<<(std::ostream& out, const KeyCase& c) {
    return out << c.name;
}

class LookupClientKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(LookupClientKeys, FindsByTheTrimmedLowerCaseKey) {
    TestEnvironment env;
    LookupClient client(env.services);
    const auto ask = [&](const char* text) { return (client.*GetParam().ask)(text); };
    const core::Lookup found = ask("  Quality ");
    EXPECT_EQ(found.key, "quality");
    EXPECT_EQ(found.transcription, GetParam().quality);
    EXPECT_EQ(ask("CHINA").transcription, GetParam().china);
    EXPECT_EQ(ask("xyzzy").transcription, QString());
    EXPECT_EQ(ask("3D").transcription, QString());
    GetParam().more(client);
    EXPECT_TRUE(env.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Accents, LookupClientKeys,
    ::testing::Values(
        KeyCase{"British", &LookupClient::lookup, "5kwRliti", "5tFainE",
                [](LookupClient& client) {
                    EXPECT_EQ(client.lookup("X-Ray").key, "x-ray");
                    EXPECT_EQ(client.lookup("blind").transcription, " blaind");
                    EXPECT_FALSE(client.toldUnavailable());
                }},
        // The American lookup takes the same keys and leaves the British one as it was.
        KeyCase{"American", &LookupClient::lookupAmerican, "5kwB:lEti", "5tFaInE",
                [](LookupClient& client) {
                    EXPECT_FALSE(client.lookupAmerican("3D").unavailable);
                    EXPECT_EQ(client.lookup("quality").transcription, "5kwRliti");
                }}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

// A dictionary library from before the one call for everything on a word is asked method by
// method, and answers every accent as today's library does: found, marked, without an American
// form, missing, no key at all.
TEST(LookupClientTest, ALibraryWithoutTheEntryMethodAnswersAlike) {
    TestEnvironment today;
    TestEnvironment before(QStringLiteral(OLD_DICTIONARY_DIR));
    LookupClient now(today.services);
    LookupClient old(before.services);
    for (const char* word : {"Quality", "polythene", "halfpennies", "blind", "xyzzy", "3D"}) {
        const LookupClient::BothLookup expected = now.lookupBoth(word);
        const LookupClient::BothLookup found = old.lookupBoth(word);
        EXPECT_EQ(found.british.transcription, expected.british.transcription) << word;
        EXPECT_EQ(found.british.uncertain, expected.british.uncertain) << word;
        EXPECT_EQ(found.american, expected.american) << word;
        EXPECT_EQ(old.lookup(word).transcription, expected.british.transcription) << word;
        EXPECT_EQ(old.lookup(word).uncertain, expected.british.uncertain) << word;
        EXPECT_EQ(old.lookupAmerican(word).transcription, expected.american) << word;
        EXPECT_FALSE(found.british.unavailable) << word;
    }
    EXPECT_TRUE(now.lookup("polythene").uncertain);
    EXPECT_EQ(now.lookupBoth("halfpennies").american, QString());
    EXPECT_EQ(now.lookupBoth("Quality").american, "5kwB:lEti");
    EXPECT_TRUE(before.messages.shown.empty());
}

TEST(LookupClientTest, AMissingDictionaryIsAMissAndTheUserIsToldOnce) {
    QTemporaryDir noLibrary;
    TestEnvironment env(noLibrary.path());
    LookupClient client(env.services);
    // The object is created before the initial is examined, so even "3D" finds the library gone.
    const core::Lookup first = client.lookup("3D");
    EXPECT_EQ(first.transcription, QString());
    EXPECT_TRUE(first.unavailable);
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].icon, platform::Icon::Critical);
    EXPECT_TRUE(env.messages.shown[0].text.contains("sonabet"));
    EXPECT_TRUE(env.messages.shown[0].text.contains(noLibrary.path()));
    EXPECT_EQ(client.lookup("quality").transcription, QString());
    EXPECT_EQ(env.messages.shown.size(), 1u);
    EXPECT_TRUE(client.toldUnavailable());

    // A dictionary not found is looked for again: once it is there, lookups find words and the
    // client has nothing left to have told.
    ASSERT_TRUE(QFile::copy(testing_support::buildProgramFolder() + "/libsonabet.so",
                            noLibrary.filePath("libsonabet.so")));
    const core::Lookup later = client.lookup("quality");
    EXPECT_EQ(later.transcription, "5kwRliti");
    EXPECT_FALSE(later.unavailable);
    EXPECT_FALSE(client.toldUnavailable());
    EXPECT_EQ(env.messages.shown.size(), 1u);
}

}  // namespace
