// The class ipa, reached only as the program reaches it: created by "sonabet.ipa" and called by
// method name.
#include <gtest/gtest.h>
#include <QFile>
#include <QTextStream>

#include "componentruntime.h"
#include "testenv.h"

namespace {

using testing_support::buildProgramFolder;

class IpaTest : public ::testing::Test {
protected:
    IpaTest() : runtime(buildProgramFolder()) { testing_support::addDictionaryManifest(runtime); }
    QString call(const QString& method, const QString& word) {
        const platform::DispatchObject object = runtime.create(QStringLiteral("sonabet.ipa"));
        EXPECT_FALSE(object.isNull());
        const auto answer = object.call(method, word);
        EXPECT_TRUE(answer.has_value()) << method.toStdString();
        return answer.value_or(QStringLiteral("<failed>"));
    }
    platform::ComponentRuntime runtime;
};

const QStringList kMethods = {"Asonabet",   "Bsonabet",  "Csonabet", "Dsonabet", "Esonabet",
                              "Fsonabet",   "Gsonabet",  "Hsonabet", "Isonabet", "Jsonabet",
                              "Ksonabet",   "Lsonabet",  "Msonabet", "Nsonabet", "Osonabet",
                              "Psonabet",   "Qsonabet",  "Rsonabet", "Ssonabet", "Tsonabet",
                              "UVWsonabet", "XYZsonabet"};

QString methodOf(const QString& key) {
    const QChar c = key.front().toLower();
    if (QStringLiteral("uvw").contains(c)) {
        return QStringLiteral("UVWsonabet");
    }
    if (QStringLiteral("xyz").contains(c)) {
        return QStringLiteral("XYZsonabet");
    }
    return QString(c.toUpper()) + QStringLiteral("sonabet");
}

TEST_F(IpaTest, EveryMethodAnswersTheEmptyWordWithTheEmptyString) {
    for (const QString& method : kMethods) {
        EXPECT_EQ(call(method, QString()), QString()) << method.toStdString();
    }
}

TEST_F(IpaTest, ComparisonIsExactWithNoFoldingOrTrimming) {
    EXPECT_EQ(call("Bsonabet", "blind"), " blaind");
    for (const char* other : {"Blind", "BLIND", " blind", "blind "}) {
        EXPECT_EQ(call("Bsonabet", other), QString()) << other;
    }
    EXPECT_EQ(call("Csonabet", "China"), "5tFainE");
    EXPECT_EQ(call("Csonabet", "china"), "5tFainE");
    EXPECT_EQ(call("Csonabet", "CHINA"), QString());
}

TEST_F(IpaTest, AMethodNeverAnswersAnotherGroupsWord) {
    EXPECT_EQ(call("Asonabet", "apple"), "5Apl");
    EXPECT_EQ(call("Bsonabet", "apple"), QString());
    EXPECT_EQ(call("UVWsonabet", "way"), "wei");
    EXPECT_EQ(call("XYZsonabet", "zoo"), "zu:");
    EXPECT_EQ(call("XYZsonabet", "yes"), "jes");
    EXPECT_EQ(call("Tsonabet", "the"), "/TE, Ti/");
    EXPECT_EQ(call("Gsonabet", "goodbye"), QString());
    EXPECT_EQ(call("Gsonabet", "good-bye"), "5gud5bai");
    EXPECT_EQ(call("Nsonabet", "New York"), "nju:5jR:k");
    EXPECT_EQ(call("Isonabet", "it5s time to get up."), QString());
}

TEST_F(IpaTest, EveryQuotedEntryIsAnsweredExactlyAsQuoted) {
    QFile file(QStringLiteral(QUOTED_ENTRIES));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream in(&file);
    int checked = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith('#') || line.isEmpty()) {
            continue;
        }
        const QStringList fields = line.split('\t');
        ASSERT_EQ(fields.size(), 2) << line.toStdString();
        EXPECT_EQ(call(methodOf(fields[0]), fields[0]), fields[1]) << line.toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 70);
}

TEST_F(IpaTest, UnknownMethodNamesAreRefusedAndTheCallerSeesNoValue) {
    const platform::DispatchObject object = runtime.create(QStringLiteral("sonabet.ipa"));
    ASSERT_FALSE(object.isNull());
    EXPECT_FALSE(object.call(QStringLiteral("asonabet"), QStringLiteral("about")).has_value());
    EXPECT_FALSE(object.call(QStringLiteral("Zsonabet"), QStringLiteral("zoo")).has_value());
    EXPECT_FALSE(object.call(QString(), QStringLiteral("zoo")).has_value());
}

TEST_F(IpaTest, OtherClassIdentifiersAreNotCreated) {
    QString error;
    EXPECT_TRUE(runtime.create(QStringLiteral("sonabet.other"), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
