// The class ipa, reached only as the program reaches it: created by "sonabet.ipa" and called by
// method name.
#include <dlfcn.h>

#include <gtest/gtest.h>
#include <QFile>
#include <QTextStream>
#include <cstdlib>
#include <new>
#include <string>

#include "componentruntime.h"
#include "ipa.h"
#include "methodof.h"
#include "testenv.h"
#include "wordtables.h"

// The test program's own allocator, which the library's allocations reach as well, so that a
// test can make them fail: after failAfter more allocations on this thread every further one
// throws, as when memory runs out.
namespace {
thread_local long allocationsLeft = -1;  // -1: never fail
}  // namespace

void* operator new(std::size_t size) {
    if (allocationsLeft == 0) {
        throw std::bad_alloc();
    }
    if (allocationsLeft > 0) {
        --allocationsLeft;
    }
    if (void* memory = std::malloc(size ? size : 1)) {
        return memory;
    }
    throw std::bad_alloc();
}
// Replaced too, so that every allocator of the process (a sanitizer's among them) takes this one.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

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

using sonabet_testing::methodOf;

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

// The one added method answers words of every initial from the American tables, exactly as the
// group methods compare, and leaves their British answers as they were.
TEST_F(IpaTest, TheAmericanMethodAnswersEveryInitialBesideTheBritishMethods) {
    EXPECT_EQ(call("American", "quality"), "5kwB:lEti");
    EXPECT_EQ(call("Qsonabet", "quality"), "5kwRliti");
    EXPECT_EQ(call("American", "apple"), "5Apl");
    EXPECT_EQ(call("American", "water"), "5wR:tEr");
    EXPECT_EQ(call("American", "zoo"), "zu:");
    EXPECT_EQ(call("American", "China"), "5tFaInE");
    for (const char* none : {"", "CHINA", " quality", "xyzzy", "3d", "\u00e4rger"}) {
        EXPECT_EQ(call("American", QString::fromUtf8(none)), QString()) << none;
    }
}

// The one call for everything on a word answers, for every key, what the three methods answer
// one by one, joined by tabs; the empty string for a word that is no key.
TEST_F(IpaTest, TheEntryMethodAnswersWhatTheOtherMethodsAnswerForEveryKey) {
    const platform::DispatchObject object = runtime.create(QStringLiteral("sonabet.ipa"));
    ASSERT_FALSE(object.isNull());
    const auto ask = [&object](const QString& method, const QString& word) {
        return object.call(method, word).value_or(QStringLiteral("<failed>"));
    };
    int keys = 0;
    int marked = 0;
    int withoutAmerican = 0;
    for (const sonabet::WordGroup& group : sonabet::wordGroups()) {
        const QString method = QString::fromStdU16String(std::u16string(group.method));
        for (std::size_t i = 0; i < group.size(); ++i) {
            const QString key = QString::fromStdU16String(std::u16string(group.entry(i).key));
            const QString british = ask(method, key);
            const QString mark = ask("Uncertain", key);
            const QString american = ask("American", key);
            ASSERT_EQ(ask("Entry", key), british + '\t' + mark + '\t' + american)
                << key.toStdString();
            ++keys;
            marked += mark == "?";
            withoutAmerican += american.isEmpty();
        }
    }
    EXPECT_GT(keys, 60000);
    EXPECT_GT(marked, 0);
    EXPECT_GT(withoutAmerican, 0);
    EXPECT_EQ(call("Entry", "quality"), "5kwRliti\t\t5kwB:lEti");
    for (const char* none : {"", "CHINA", " quality", "xyzzy", "3d", "\u00e4rger"}) {
        EXPECT_EQ(call("Entry", QString::fromUtf8(none)), QString()) << none;
    }
}

TEST_F(IpaTest, TheUncertainMarkIsAMethodBesideTheGroupsThatLeavesTheirAnswers) {
    // The first marked key of the tables: "?" by the added method, its reading unchanged by
    // the method of its group.
    QString marked;
    QString reading;
    QString method;
    for (const sonabet::WordGroup& group : sonabet::wordGroups()) {
        if (!group.uncertain.empty()) {
            const sonabet::Entry entry = group.entry(group.uncertain.front());
            marked = QString::fromStdU16String(std::u16string(entry.key));
            reading = QString::fromStdU16String(std::u16string(entry.transcription));
            method = QString::fromStdU16String(std::u16string(group.method));
            break;
        }
    }
    ASSERT_FALSE(marked.isEmpty());
    EXPECT_EQ(call(QStringLiteral("Uncertain"), marked), "?");
    EXPECT_EQ(call(method, marked), reading);
    EXPECT_FALSE(reading.isEmpty());
    // A checked key, an absent word and the empty word are not marked; the case of the initial
    // chooses no other group.
    EXPECT_EQ(call(QStringLiteral("Uncertain"), QStringLiteral("quality")), QString());
    EXPECT_EQ(call(QStringLiteral("Uncertain"), QStringLiteral("xyzzyq")), QString());
    EXPECT_EQ(call(QStringLiteral("Uncertain"), QString()), QString());
    EXPECT_EQ(call(QStringLiteral("Uncertain"), marked.toUpper()), QString());
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
    EXPECT_FALSE(object.call(QStringLiteral("american"), QStringLiteral("zoo")).has_value());
    EXPECT_FALSE(object.call(QStringLiteral("entry"), QStringLiteral("zoo")).has_value());
    EXPECT_FALSE(object.call(QString(), QStringLiteral("zoo")).has_value());
}

TEST_F(IpaTest, OtherClassIdentifiersAreNotCreated) {
    QString error;
    EXPECT_TRUE(runtime.create(QStringLiteral("sonabet.other"), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

// Calls into the library as the program's runtime does, but straight through its entry points,
// so that nothing of this side allocates while allocations are made to fail.
class IpaServer : public ::testing::Test {
protected:
    void SetUp() override {
        handle = dlopen(SONABET_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr);
        canUnload = reinterpret_cast<DllCanUnloadNowFn>(dlsym(handle, "DllCanUnloadNow"));
        auto getClass = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
        ASSERT_TRUE(canUnload && getClass);
        ASSERT_EQ(getClass(&sonabet::kClsidIpa, &component::kIidClassFactory,
                           reinterpret_cast<void**>(&factory)),
                  component::kOk);
        ASSERT_EQ(
            factory->createInstance(nullptr, sonabet::kIidIpa, reinterpret_cast<void**>(&ipa)),
            component::kOk);
    }
    void TearDown() override {
        if (ipa) {
            ipa->release();
        }
        if (factory) {
            factory->release();
        }
        if (handle) {
            dlclose(handle);
        }
    }
    // Asonabet with word, failing every allocation after the first allowed ones.
    component::Result lookUp(const std::u16string& word, long allowed, QString* answer) {
        component::IText* text = reinterpret_cast<component::IText*>(1);
        allocationsLeft = allowed;
        component::Result result = component::kFail;
        try {
            result = ipa->Asonabet(word.data(), static_cast<std::uint32_t>(word.size()), &text);
        } catch (...) {
            allocationsLeft = -1;
            ADD_FAILURE() << "an exception came out of the library with " << allowed
                          << " allocations allowed";
            return component::kFail;
        }
        allocationsLeft = -1;
        if (result == component::kOk) {
            EXPECT_NE(text, nullptr);
            *answer = QString::fromUtf16(text->data(), text->length());
            text->release();
        } else {
            EXPECT_EQ(text, nullptr) << "a failed call left a result behind";
        }
        return result;
    }

    void* handle = nullptr;
    DllCanUnloadNowFn canUnload = nullptr;
    component::IClassFactory* factory = nullptr;
    sonabet::_ipa* ipa = nullptr;
};

TEST_F(IpaServer, AMethodThatCannotAllocateAnswersWithAnError) {
    const std::u16string word = u"accommodation";  // long enough to need memory of its own
    QString answer;
    // The first lookup also builds the word index.
    EXPECT_EQ(lookUp(word, 0, &answer), component::kOutOfMemory);
    EXPECT_EQ(lookUp(word, -1, &answer), component::kOk);
    EXPECT_EQ(answer, "E,kRmE5deiFEn");
    // Now the result object, then its copy of the transcription, cannot be made.
    EXPECT_EQ(lookUp(word, 0, &answer), component::kOutOfMemory);
    EXPECT_EQ(lookUp(word, 1, &answer), component::kOutOfMemory);
    answer.clear();
    EXPECT_EQ(lookUp(word, 2, &answer), component::kOk);
    EXPECT_EQ(answer, "E,kRmE5deiFEn");
    ipa->release();
    ipa = nullptr;
    EXPECT_EQ(canUnload(), component::kOk) << "a failed call left an object counted";
}

TEST_F(IpaServer, AnUnlockWithoutALockLeavesTheCountAtZero) {
    ipa->release();
    ipa = nullptr;
    EXPECT_NE(factory->lockServer(false), component::kOk);
    EXPECT_EQ(canUnload(), component::kOk);
    ASSERT_EQ(factory->lockServer(true), component::kOk);
    EXPECT_EQ(canUnload(), component::kFalse) << "the lock was lost to the unlock before it";
    ASSERT_EQ(factory->lockServer(false), component::kOk);
    EXPECT_EQ(canUnload(), component::kOk);
}

}  // namespace
