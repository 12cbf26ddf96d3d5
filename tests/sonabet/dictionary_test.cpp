// The built-in dictionary as a whole: the word tables' structure read directly, and the answers
// of the component and the lookup client for every capitalised key, every syllabus word and the
// entries checked by hand.
#include <gtest/gtest.h>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTextStream>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "componentruntime.h"
#include "lookupclient.h"
#include "methodof.h"
#include "notation.h"
#include "testenv.h"
#include "wordtables.h"

namespace {

using testing_support::buildProgramFolder;

QString text(std::u16string_view view) {
    return QString::fromUtf16(view.data(), static_cast<qsizetype>(view.size()));
}

using sonabet_testing::methodOf;

// The quoted entries, by key; their quirks (empty and blank-led transcriptions) are kept.
QHash<QString, QString> quotedEntries() {
    QHash<QString, QString> quoted;
    QFile file(QStringLiteral(QUOTED_ENTRIES));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return quoted;
    }
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        const QStringList fields = line.split('\t');
        quoted.insert(fields[0], fields.value(1));
    }
    return quoted;
}

// Every entry of every group, as the tables list them.
struct Row {
    std::size_t group;
    QString key;
    QString transcription;
};

std::vector<Row> allRows(std::span<const sonabet::WordGroup> groups = sonabet::wordGroups()) {
    std::vector<Row> rows;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (std::size_t i = 0; i < groups[g].size(); ++i) {
            const sonabet::Entry entry = groups[g].entry(i);
            rows.push_back({g, text(entry.key), text(entry.transcription)});
        }
    }
    return rows;
}

// Every American transcription, with the British key of its row.
std::vector<Row> americanRows() {
    std::vector<Row> rows;
    const auto groups = sonabet::wordGroups();
    const auto american = sonabet::americanGroups();
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (std::size_t i = 0; i < groups[g].size(); ++i) {
            const std::u16string_view transcription = american[g].transcription(i);
            if (!transcription.empty()) {
                rows.push_back({g, text(groups[g].entry(i).key), text(transcription)});
            }
        }
    }
    return rows;
}

bool hasCapital(const QString& key) {
    return std::any_of(key.begin(), key.end(), [](QChar c) { return c.isUpper(); });
}

TEST(DictionaryTables, EveryKeyStandsInTheGroupOfItsInitial) {
    const auto groups = sonabet::wordGroups();
    ASSERT_EQ(groups.size(), sonabet::kGroupCount);
    std::size_t keys = 0;
    for (const sonabet::WordGroup& group : groups) {
        const QString initials = text(group.initials);
        EXPECT_EQ(text(group.method), methodOf(initials)) << initials.toStdString();
        for (std::size_t i = 0; i < group.size(); ++i) {
            const QString key = text(group.entry(i).key);
            ASSERT_FALSE(key.isEmpty()) << text(group.method).toStdString();
            EXPECT_TRUE(key.front().isLetter()) << key.toStdString();
            EXPECT_TRUE(initials.contains(key.front().toLower()))
                << key.toStdString() << " in " << text(group.method).toStdString();
            ++keys;
        }
    }
    EXPECT_GE(keys, 65000u);
}

TEST(DictionaryTables, GroupsAreInCaseInsensitiveOrderWithEachKeyOnceAndFoundThroughTheSlots) {
    const auto groups = sonabet::wordGroups();
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const sonabet::WordGroup& group = groups[g];
        QSet<QString> seen;
        QString previous;
        for (std::size_t i = 0; i < group.size(); ++i) {
            const sonabet::Entry entry = group.entry(i);
            // The generated slots lead to every key.
            EXPECT_EQ(sonabet::lookUp(g, entry.key).data(), entry.transcription.data());
            const QString key = text(entry.key);
            const QString folded = key.toLower();
            // The shared groups follow from this too: every u-word before every v-word.
            EXPECT_LE(QString::compare(previous, folded, Qt::CaseSensitive), 0)
                << previous.toStdString() << " before " << key.toStdString();
            EXPECT_FALSE(seen.contains(key)) << "listed twice: " << key.toStdString();
            seen.insert(key);
            previous = folded;
        }
    }
}

// Each code of the notation has a class, the same as every code that begins with its first
// character: the class of a sound is told by where it begins.
TEST(NotationTable, EveryCodeHasTheClassOfTheCodesThatBeginAlike) {
    using sonabet::notation::SoundClass;
    for (const sonabet::notation::Code& code : sonabet::notation::codes()) {
        EXPECT_NE(code.soundClass, SoundClass::None) << code.symbol;
        for (const std::string& written : {code.keyboard, code.dictionary}) {
            if (!written.empty()) {
                EXPECT_EQ(sonabet::notation::soundClassOf(char32_t(written[0])), code.soundClass)
                    << written;
            }
        }
    }
}

// Every character of a British or an American transcription but the punctuation of its written
// forms begins a code with a class; the American codes among others begin with the class of their
// sound.
TEST(DictionaryTables, EveryCodeOfBothAccentsIsClassed) {
    using sonabet::notation::SoundClass;
    using sonabet::notation::soundClassOf;
    const std::vector<Row> american = americanRows();
    for (const auto& rows : {allRows(), american}) {
        for (const Row& row : rows) {
            for (const QChar c : row.transcription) {
                if (!QStringView(u"()- \uFF0C").contains(c)) {
                    EXPECT_NE(soundClassOf(c.unicode()), SoundClass::None)
                        << row.key.toStdString() << ": " << row.transcription.toStdString();
                }
            }
        }
    }
    EXPECT_GT(american.size(), 10000u);
    const std::pair<const char*, SoundClass> kCodes[] = {
        {"B:", SoundClass::Vowel},      {"R:", SoundClass::Vowel}, {"oJ", SoundClass::Vowel},
        {"\\:r", SoundClass::Vowel},    {"Er", SoundClass::Vowel}, {"I", SoundClass::Vowel},
        {"J", SoundClass::Vowel},       {"aI", SoundClass::Vowel}, {"aJ", SoundClass::Vowel},
        {"RI", SoundClass::Vowel},      {"eI", SoundClass::Vowel}, {"dV", SoundClass::Consonant},
        {"ju:", SoundClass::Consonant}, {"7", SoundClass::Mark},   {",", SoundClass::Mark},
    };
    for (const auto& [code, soundClass] : kCodes) {
        EXPECT_EQ(soundClassOf(char32_t(code[0])), soundClass) << code;
    }
}

// The American transcriptions stand by British row: rows that followed other keys would give
// every word after a changed key its neighbour's reading.
TEST(DictionaryTables, TheAmericanRowsFollowTheBritishKeys) {
    const auto groups = sonabet::wordGroups();
    const auto american = sonabet::americanGroups();
    ASSERT_EQ(american.size(), groups.size());
    for (std::size_t g = 0; g < groups.size(); ++g) {
        std::uint32_t hash = 2166136261u;
        for (std::size_t i = 0; i < groups[g].size(); ++i) {
            for (const char16_t unit : groups[g].entry(i).key) {
                hash = (hash ^ unit) * 16777619u;
            }
            hash *= 16777619u;
        }
        EXPECT_EQ(hash, american[g].britishKeys) << text(groups[g].method).toStdString();
        const auto starts = american[g].starts;
        ASSERT_EQ(starts.size(), groups[g].size() + 1);
        EXPECT_TRUE(std::is_sorted(starts.begin(), starts.end()));
        EXPECT_EQ(starts.back(), american[g].text.size());
    }
}

TEST(DictionaryTables, TranscriptionsUseOnlyDictionaryCharactersAndFitTheirField) {
    const QHash<QString, QString> quoted = quotedEntries();
    ASSERT_FALSE(quoted.isEmpty());
    for (const Row& row : allRows()) {
        for (const QChar c : row.transcription) {
            EXPECT_TRUE(sonabet::notation::isDictionaryCharacter(c.unicode()))
                << row.key.toStdString() << ": " << row.transcription.toStdString();
        }
        EXPECT_LE(row.transcription.size(), 24) << row.key.toStdString();
        if (quoted.contains(row.key)) {
            continue;
        }
        // Only the quoted entries keep the empty transcription and the leading blank.
        EXPECT_FALSE(row.transcription.isEmpty()) << row.key.toStdString();
        EXPECT_FALSE(row.transcription.startsWith(' ')) << row.key.toStdString();
    }
}

class DictionaryComponent : public ::testing::Test {
protected:
    DictionaryComponent() : runtime(buildProgramFolder()) {
        testing_support::addDictionaryManifest(runtime);
        object = runtime.create(QStringLiteral("sonabet.ipa"));
    }
    QString call(const QString& key) {
        const auto answer = object.call(methodOf(key), key);
        EXPECT_TRUE(answer.has_value()) << key.toStdString();
        return answer.value_or(QStringLiteral("<failed>"));
    }
    platform::ComponentRuntime runtime;
    platform::DispatchObject object;
};

TEST_F(DictionaryComponent, EveryCapitalisedKeyHasALowerCaseTwinThatAnswersAlike) {
    ASSERT_FALSE(object.isNull());
    QSet<QString> keys;
    for (const Row& row : allRows()) {
        keys.insert(row.key);
    }
    int twins = 0;
    for (const Row& row : allRows()) {
        if (!hasCapital(row.key)) {
            continue;
        }
        const QString twin = row.key.toLower();
        EXPECT_TRUE(keys.contains(twin)) << "no twin for " << row.key.toStdString();
        EXPECT_EQ(call(twin), call(row.key)) << row.key.toStdString();
        ++twins;
    }
    EXPECT_GT(twins, 200);
    // Names of every kind, and twins of quoted names that keep the quoted value exactly.
    EXPECT_EQ(call("Monday"), call("monday"));
    EXPECT_FALSE(call("monday").isEmpty());
    EXPECT_FALSE(call("australia").isEmpty());
    EXPECT_FALSE(call("south america").isEmpty());
    EXPECT_EQ(call("new york"), "nju:5jR:k");
    EXPECT_EQ(call("new zealand"), "5nju: 5zi:lEnd");
    EXPECT_EQ(call("german"), "5dVEE:mEn");
}

TEST_F(DictionaryComponent, WordFormsContractionsAbbreviationsAndAmericanSpellingsAnswer) {
    ASSERT_FALSE(object.isNull());
    for (const char* word : {"children", "were", "studying", "studied", "happier", "teeth", "isn't",
                             "don't", "it's", "i'm", "well-being", "twenty-one"}) {
        EXPECT_FALSE(call(word).isEmpty()) << word;
    }
    // American spellings answer with the British transcription.
    EXPECT_EQ(call("color"), call("colour"));
    EXPECT_EQ(call("center"), call("centre"));
    EXPECT_EQ(call("traveling"), call("travelling"));
    EXPECT_EQ(call("gray"), call("grey"));
    // Abbreviations are read as letters, capitalised or not.
    EXPECT_EQ(call("TV"), "5ti:5vi:");
    EXPECT_EQ(call("dna"), call("DNA"));
    EXPECT_FALSE(call("dna").isEmpty());
}

// Entries checked by hand: the words the syllabus has with two pronunciations answer with both,
// the syllabus's first ("present" the verb, then the noun); the corrections reach a name's
// lower-case twin; compounds take the stress of their pattern; the consonants CMU hears; and
// what is no word (a composed form, a misprint of the syllabus) is not found.
struct CheckedEntry {
    const char* key;
    const char* transcription;
};

std::ostream& operator<<(std::ostream& out, const CheckedEntry& entry) {
    return out << entry.key;
}

constexpr CheckedEntry kCheckedEntries[] = {
    {"present", "/pri5zent, 5prezEnt/"},
    {"record", "/5rekR:d, ri5kR:d/"},
    {"object", "/5RbdVikt, Eb5dVekt/"},
    {"use", "/ju:s, ju:z/"},
    {"minute", "/5minit, mai5nju:t/"},
    {"content", "/kEn5tent, 5kRntent/"},
    {"lead", "/li:d, led/"},
    {"tear", "/tiE, t/E/"},
    {"wind", "/waind, wind/"},
    {"bow", "/bau, bEu/"},
    {"row", "/rau, rEu/"},
    {"house", "/haus, hauz/"},
    {"close", "/klEuz, klEus/"},
    {"excuse", "/iks5kju:z, iks5kju:s/"},
    {"transfer", "/trAns5fE:, 5trAnsfE:/"},
    {"project", "/5prRdVekt, prE5dVekt/"},
    {"produce", "/prE5dju:s, 5prRdju:s/"},
    {"increase", "/in5kri:s, 5inkri:s/"},
    {"subject", "/5sQbdVikt, sEb5dVekt/"},
    {"contract", "/5kRntrAkt, kEn5trAkt/"},
    {"desert", "/di5zE:t, 5dezEt/"},
    {"refuse", "/ri5fju:z, 5refju:s/"},
    {"separate", "/5sepEreit, 5sepErit/"},
    {"schedule", "/5skedVjul, 5Fedju:l/"},
    {"England", "5iNglEnd"},
    {"england", "5iNglEnd"},
    {"down-to-earth", ",dauntu5E:W"},
    {"close-up", "5klEusQp"},
    {"resistors", "ri5zistEz"},
    {"synchronize", "5siNkrEnaiz"},
    {"worldwides", ""},
    {"airtights", ""},
    {"instalation", ""},
    {"celcius", ""},
};

class CheckedEntries : public DictionaryComponent,
                       public ::testing::WithParamInterface<CheckedEntry> {};

TEST_P(CheckedEntries, AnswerAsCheckedByHand) {
    ASSERT_FALSE(object.isNull());
    EXPECT_EQ(call(QString::fromLatin1(GetParam().key)), GetParam().transcription);
}

INSTANTIATE_TEST_SUITE_P(Dictionary, CheckedEntries, ::testing::ValuesIn(kCheckedEntries));

// The syllabus word list's misprints, which must not be found.
QSet<QString> syllabusMisprints() {
    QSet<QString> misprints;
    QFile file(QStringLiteral(VOXSCRIBE_SOURCE_DIR "/tools/dictionary/syllabus_misprints.tsv"));
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&file);
        while (!in.atEnd()) {
            const QString line = in.readLine();
            if (!line.isEmpty() && !line.startsWith('#')) {
                misprints.insert(line.section('\t', 0, 0));
            }
        }
    }
    return misprints;
}

TEST(DictionaryThroughTheClient, EverySyllabusWordIsFound) {
    QFile file(QStringLiteral(VOXSCRIBE_SHARED_DATA_DIR "/wordlists/cet-4-6-syllabus-words.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        GTEST_SKIP() << "the syllabus word list is not there: " << file.fileName().toStdString();
    }
    const QHash<QString, QString> quoted = quotedEntries();
    const QSet<QString> misprints = syllabusMisprints();
    ASSERT_FALSE(misprints.isEmpty());
    testing_support::TestEnvironment env;
    core::LookupClient client(env.services);
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    int words = 0;
    QStringList missing;
    while (!in.atEnd()) {
        const QString word = in.readLine().trimmed();
        if (word.isEmpty()) {
            continue;
        }
        ++words;
        const core::Lookup found = client.lookup(word);
        // "goodbye" is quoted with the empty transcription and answers like an absent word.
        const auto quotedEntry = quoted.constFind(found.key);
        if ((quotedEntry != quoted.cend() && quotedEntry->isEmpty()) || misprints.contains(word)) {
            EXPECT_TRUE(found.transcription.isEmpty()) << word.toStdString();
        } else if (found.transcription.isEmpty()) {
            missing << word;
        }
    }
    EXPECT_GT(words, 7000);
    EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();
    EXPECT_FALSE(client.toldUnavailable());
    EXPECT_TRUE(env.messages.shown.empty());
}

}  // namespace
