// The lookup client: the key, the method chosen by the initial, and a dictionary that is missing.
#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

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

TEST(MethodTable, InitialSelectsTheMethodAndAnythingElseSelectsNone) {
    EXPECT_EQ(LookupClient::methodFor("apple"), "Asonabet");
    EXPECT_EQ(LookupClient::methodFor("quality"), "Qsonabet");
    EXPECT_EQ(LookupClient::methodFor("tree"), "Tsonabet");
    for (const char* word : {"umbrella", "violin", "water"}) {
        EXPECT_EQ(LookupClient::methodFor(word), "UVWsonabet") << word;
    }
    for (const char* word : {"xylophone", "yes", "zoo", "x-ray"}) {
        EXPECT_EQ(LookupClient::methodFor(word), "XYZsonabet") << word;
    }
    for (const QString& word :
         {QString("3d"), QString("'til"), QString("-ism"), QString::fromUtf8("ärger"),
          QString::fromUtf8("ａpple"), QString("\tword"), QString()}) {
        EXPECT_EQ(LookupClient::methodFor(word), QString()) << word.toStdString();
    }
}

TEST(LookupClientTest, FindsByTheTrimmedLowerCaseKey) {
    TestEnvironment env;
    LookupClient client(env.services);
    const core::Lookup found = client.lookup("  Quality ");
    EXPECT_EQ(found.key, "quality");
    EXPECT_EQ(found.transcription, "5kwRliti");
    EXPECT_EQ(client.lookup("X-Ray").key, "x-ray");
    EXPECT_EQ(client.lookup("CHINA").transcription, "5tFainE");
    EXPECT_EQ(client.lookup("blind").transcription, " blaind");
    EXPECT_EQ(client.lookup("xyzzy").transcription, QString());
    EXPECT_EQ(client.lookup("3D").transcription, QString());
    EXPECT_TRUE(env.messages.shown.empty());
    EXPECT_FALSE(client.toldUnavailable());
}

TEST(LookupClientTest, AmericanLookupsTakeTheSameKeys) {
    TestEnvironment env;
    LookupClient client(env.services);
    const core::Lookup found = client.lookupAmerican("  Quality ");
    EXPECT_EQ(found.key, "quality");
    EXPECT_EQ(found.transcription, "5kwB:lEti");
    EXPECT_EQ(client.lookupAmerican("CHINA").transcription, "5tFaInE");
    EXPECT_EQ(client.lookupAmerican("xyzzy").transcription, QString());
    EXPECT_EQ(client.lookupAmerican("3D").transcription, QString());
    EXPECT_FALSE(client.lookupAmerican("3D").unavailable);
    EXPECT_EQ(client.lookup("quality").transcription, "5kwRliti");
    EXPECT_TRUE(env.messages.shown.empty());
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
