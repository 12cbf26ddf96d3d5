// Annotating a text: the lookup rules, the articles' forms by the next word, the reader's level
// (frequent head words, the reader's own list, first occurrences) and the counts.
#include <gtest/gtest.h>

#include "qtprinters.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include "segments.h"
#include "textannotator.h"
#include "wordlevel.h"

namespace {

using core::Gloss;

// A small dictionary that counts its lookups.
class Dictionary final : public core::WordSource {
public:
    core::WordTranscriptions transcriptions(const QString& key) override {
        ++lookups;
        return {entries.value(key), american.value(key), key == QStringLiteral("netsuke")};
    }
    QHash<QString, QString> entries{
        {"the", "/TE, Ti/"},
        {"a", "ei"},
        {"an", "An"},
        {"apple", "5Apl"},
        {"netsuke", "5netski"},
        {"pear", "p/E"},
        {"hour", "5auE"},
        {"university", ",ju:ni5vE:siti"},
        {"china", "5tFainE"},
        {"john", "dVRn"},
        {"cat", "kAt"},
        {"bridge", "bridV"},
        {"danger", "5deindVE"},
        {"isn't", "5iznt"},
        {"ice-cream", "5aiskri:m"},
        {"sun", "sQn"},
        {"flower", "5flauE"},
        {"library", "5laibrEri"},
        {"libraries", "5laibrEriz"},
        {"studied", "5stQdid"},
        {"end", "end"},
        {"in", "in"},
        {"children", "5tFildrEn"},
        {"were", "wE:"},
        {"studying", "5stQdiiN"},
        {"to", "/tu:, tu/"},
        {"present", "/pri5zent, 5prezEnt/"},
        {"close", "/ klEuz, klEus/"},
        {"live", "liv laiv"},
        {"blind", " blaind"},
        {"you", "/ju:, ju/"},
        {"we", "wi:"},
        {"can", "kAn"},
        {"see", "si:"},
        {"them", "Tem"},
        {"but", "bQt"},
        {"some", "sQm"},
        {"of", "Rv"},
        {"at", "At"},
        {"year", "/jE:, jiE/"},
        {"for", "fR:"},
        {"her", "hE:"},
        {"him", "him"},
    };
    // The American table: no "netsuke" nor "cat" (keys without an American form).
    QHash<QString, QString> american{
        {"the", "/TE, Ti/"},   {"a", "E"},
        {"to", "/tu:, tI/"},   {"apple", "5Apl"},
        {"bridge", "brIdV"},   {"present", "/pri5zent, 5preznt/"},
        {"at", "At"},          {"for", "fR:r"},
        {"her", "h\\:r"},      {"him", "hIm"},
        {"honest", "5B:nIst"}, {"earth", "\\:rW"},
        {"oath", "oJW"},       {"owl", "aJl"},
        {"ice", "aIs"},        {"it", "It"},
        {"oil", "RIl"},        {"eight", "eIt"},
        {"awe", "R:"},         {"yard", "jB:rd"},
        {"hook", "hJk"},
    };
    int lookups = 0;
};

class Guesser final : public core::Suggestion {
public:
    bool available() override { return true; }
    QString suggest(const QString& word) override {
        ++suggestions;
        return kBritish.value(word.toLower());
    }
    // "plugh" has an American suggestion alone; "herb" begins with a vowel in American alone.
    QString suggestAmerican(const QString& word) override {
        ++americanSuggestions;
        return kAmerican.value(word.toLower());
    }
    const QHash<QString, QString> kBritish{
        {"xyzzy", "5zizi"}, {"ylang", "5i:lAN"}, {"herb", "hE:b"}};
    const QHash<QString, QString> kAmerican{
        {"xyzzy", "5zIzi"}, {"plugh", "plQg"}, {"ylang", "5i:lB:N"}, {"herb", "\\:rb"}};
    int suggestions = 0;
    int americanSuggestions = 0;
};

// The annotation as one line: each word followed by what it got: "[codes]" found, "[?codes]"
// suggested, "[-]" missing, "[=]" repeated, nothing when the reader knows it; with both accents
// "[codes|american]".
QString render(const testing_support::TextAnnotation& annotation, bool bothAccents = false) {
    QString out;
    for (const testing_support::TextSegment& segment : annotation.segments) {
        const QString both = bothAccents ? u'|' + segment.american : QString();
        out += segment.text;
        if (!segment.isWord) {
            continue;
        }
        switch (segment.gloss) {
            case Gloss::Found:
                out += u'[' + segment.codes + both + u']';
                break;
            case Gloss::Suggested:
                out += QStringLiteral("[?") + segment.codes + both + u']';
                break;
            case Gloss::Uncertain:
                out += QStringLiteral("[~") + segment.codes + both + u']';
                break;
            case Gloss::Missing:
                out += QStringLiteral("[-]");
                break;
            case Gloss::Repeated:
                out += QStringLiteral("[=]");
                break;
            case Gloss::BelowLevel:
                break;
        }
    }
    return out;
}

struct Case {
    const char* text;
    const char* rendered;
    core::Accent accent = core::Accent::British;
    bool weakForms = false;
    bool guess = false;  // missing words take the suggestion of their accent
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.text;
}

class TextLookup : public testing::TestWithParam<Case> {};

TEST_P(TextLookup, EveryWordItsTranscription) {
    Dictionary dictionary;
    Guesser guesser;
    core::TextOptions options;
    options.accent = GetParam().accent;
    options.weakForms = GetParam().weakForms;
    options.guesser = GetParam().guess ? &guesser : nullptr;
    EXPECT_EQ(render(testing_support::annotateText(QString::fromUtf8(GetParam().text), dictionary,
                                                   options),
                     options.accent == core::Accent::Both),
              QString::fromUtf8(GetParam().rendered));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TextLookup,
    testing::Values(
        // Capitals: looked up in lower case, as every key is stored.
        Case{"China and APPLE", "China[5tFainE] and[-] APPLE[5Apl]"}, Case{"isn’t", "isn’t[5iznt]"},
        // A transcription made by rules alone is marked for checking, the possessive too.
        Case{"a Netsuke, the netsuke's", "a[E] Netsuke[~5netski], the[TE] netsuke's[~5netskiz]"},
        // Possessive 's: the word's transcription and the ending its last sound takes.
        Case{"John's cat's bridge's danger's",
             "John's[dVRnz] cat's[kAts] bridge's[bridViz] danger's[5deindVEz]"},
        // A compound whole, else its parts.
        Case{"ice-cream sun-flower", "ice-cream[5aiskri:m] sun[sQn]-flower[5flauE]"},
        // The articles by the next word's first sound, across blanks and opening quotes.
        Case{"The apple, the pear", "The[Ti] apple[5Apl], the[TE] pear[p/E]"},
        Case{"the hour, the university", "the[Ti] hour[5auE], the[TE] university[,ju:ni5vE:siti]"},
        Case{"a pear, an apple, an “apple”",
             "a[E] pear[p/E], an[En] apple[5Apl], an[En] “apple[5Apl]”"},
        // A stressed "a" or a slip keeps the stored form; an article the next word cannot
        // decide (unknown, before a full stop or an empty line, at the end) takes its first form.
        // One line end goes on with the phrase.
        Case{"a apple", "a[ei] apple[5Apl]"},
        // "to" as "the" is; a heteronym by its sentence; every other word its first form, never
        // a blank inside the bracket nor two forms without a comma.
        Case{"to an apple, to the pear, to.",
             "to[tu] an[En] apple[5Apl], to[tu:] the[TE] "
             "pear[p/E], to[tu:]."},
        Case{"The present, to present. You see, blind",
             "The[TE] present[5prezEnt], to[tu:] "
             "present[pri5zent]. You[ju:] see[si:], "
             "blind[blaind]"},
        Case{"year", "year[jiE]"},
        Case{"you live close to the apple",
             "you[ju:] live[liv] close[klEus] to[tu:] the[Ti] apple[5Apl]"},
        Case{"the xyzzy. the\napple the\n\napple",
             "the[TE] xyzzy[-]. the[Ti]\napple[5Apl] the[TE]\n\napple[5Apl]"},
        // American: a heteronym's form chosen as the British one is, by its place; a word the
        // American table lacks is missing, never British; the possessive's short i is I.
        Case{"The present, to present.", "The[TE] present[5preznt], to[tu:] present[pri5zent].",
             core::Accent::American},
        Case{"a netsuke, the cat's bridge's", "a[E] netsuke[-], the[TE] cat's[-] bridge's[brIdVIz]",
             core::Accent::American},
        // The American codes of a vowel, each a vowel to the article before it.
        Case{"the honest, the earth, the oath, the owl, the ice, the it, the oil, the eight, "
             "the awe, the yard, the hook",
             "the[Ti] honest[5B:nIst], the[Ti] earth[\\:rW], the[Ti] oath[oJW], the[Ti] "
             "owl[aJl], the[Ti] ice[aIs], the[Ti] it[It], the[Ti] oil[RIl], the[Ti] eight[eIt], "
             "the[Ti] awe[R:], the[TE] yard[jB:rd], the[TE] hook[hJk]",
             core::Accent::American},
        // Both: each form beside the British one of the same reading; the articles alike.
        Case{"The present, to present.",
             "The[TE|TE] present[5prezEnt|5preznt], to[tu:|tu:] present[pri5zent|pri5zent].",
             core::Accent::Both},
        Case{"a netsuke, the cat", "a[E|E] netsuke[~5netski|], the[TE|TE] cat[kAt|]",
             core::Accent::Both},
        // Weak forms keep the American r and I; the strong form at a phrase's end.
        Case{"for her apple, at him.", "for[fEr] her[hEr] apple[5Apl], at[Et] him[hIm].",
             core::Accent::American, true},
        Case{"for her apple, at him.",
             "for[fE|fEr] her[hE|hEr] apple[5Apl|5Apl], at[Et|Et] him[him|hIm].",
             core::Accent::Both, true},
        // A missing word's suggestion in its accent, in both each beside the other, or either
        // alone.
        Case{"the xyzzy plugh", "the[TE] xyzzy[?5zizi] plugh[-]", core::Accent::British, false,
             true},
        Case{"the xyzzy plugh", "the[TE] xyzzy[?5zIzi] plugh[?plQg]", core::Accent::American, false,
             true},
        Case{"the xyzzy, cat plugh", "the[TE|TE] xyzzy[?5zizi|5zIzi], cat[kAt|] plugh[?|plQg]",
             core::Accent::Both, false, true},
        // An article before a missing word: by the first sound of its suggestion (not of its
        // spelling) in each accent, the stored form where that sound does not decide.
        Case{"the ylang, an herb, the herb, a plugh",
             "the[Ti|Ti] ylang[?5i:lAN|5i:lB:N], an[An|En] herb[?hE:b|\\:rb], "
             "the[TE|Ti] herb[?hE:b|\\:rb], a[E|E] plugh[?|plQg]",
             core::Accent::Both, false, true},
        Case{"the ylang", "the[Ti] ylang[?5i:lAN]", core::Accent::British, false, true}));

TEST(TextAnnotator, SuggestionsMarkedAndEveryDistinctWordLookedUpOnce) {
    Dictionary dictionary;
    Guesser guesser;
    core::TextOptions options;
    options.guesser = &guesser;
    QString text;
    for (int i = 0; i < 500; ++i) {
        text += QStringLiteral("The apple, xyzzy and Xyzzy. ");
    }
    const testing_support::TextAnnotation annotation =
        testing_support::annotateText(text, dictionary, options);
    EXPECT_TRUE(render(annotation)
                    .startsWith(QStringLiteral(
                        "The[Ti] apple[5Apl], xyzzy[?5zizi] and[-] Xyzzy[?5zizi]. The[Ti]")))
        << render(annotation).left(100).toStdString();
    EXPECT_EQ(annotation.counts, (core::TextCounts{2500, 2000, 1000, 1000, 500}));
    // Each spelling once, in lower case: the (for The), apple, xyzzy, and, xyzzy (for Xyzzy).
    EXPECT_EQ(dictionary.lookups, 5);
    EXPECT_EQ(guesser.suggestions, 3);  // xyzzy, Xyzzy, and
}

// Thousands of distinct words, each seen twice: every word is told apart from the others.
TEST(TextAnnotator, ManyDistinctWordsEachItsOwn) {
    class Echo final : public core::WordSource {
    public:
        core::WordTranscriptions transcriptions(const QString& key) override {
            return {key, {}, false};
        }
    } echo;
    QStringList words;
    for (char a = 'a'; a <= 'z'; ++a) {
        for (char b = 'a'; b <= 'z'; ++b) {
            for (char c = 'q'; c <= 'x'; ++c) {
                words << QString(QChar(a)) + QChar(b) + QChar(c);
            }
        }
    }
    const QString text = (words + words).join(u' ');
    const testing_support::TextAnnotation annotation =
        testing_support::annotateText(text, echo, {});
    ASSERT_EQ(annotation.counts.found, 2 * words.size());
    for (const testing_support::TextSegment& segment : annotation.segments) {
        if (segment.isWord) {
            ASSERT_EQ(segment.codes, segment.text);
        }
    }
}

// The head words a form comes from.
struct Form {
    const char* form;
    const char* head;
};

void PrintTo(const Form& f, std::ostream* out) {
    *out << f.form;
}

class HeadWords : public testing::TestWithParam<Form> {};

TEST_P(HeadWords, FormComesFromItsHead) {
    const QStringList heads = core::headWords(core::levelKey(QString::fromUtf8(GetParam().form)));
    EXPECT_TRUE(heads.contains(QString::fromUtf8(GetParam().head)))
        << heads.join(u' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Endings, HeadWords,
    testing::Values(Form{"cats", "cat"}, Form{"boxes", "box"}, Form{"studies", "study"},
                    Form{"walked", "walk"}, Form{"studied", "study"}, Form{"stopped", "stop"},
                    Form{"used", "use"}, Form{"making", "make"}, Form{"hoped", "hope"},
                    Form{"running", "run"}, Form{"lying", "lie"}, Form{"taller", "tall"},
                    Form{"larger", "large"}, Form{"biggest", "big"}, Form{"happier", "happy"},
                    Form{"quickly", "quick"}, Form{"happily", "happy"}, Form{"simply", "simple"},
                    Form{"went", "go"}, Form{"children", "child"}, Form{"better", "good"},
                    Form{"Isn't", "be"}, Form{"children’s", "child"}, Form{"I'm", "i"},
                    Form{"an", "a"}));

// Words that only look like forms: "seed" does not come from "see", nor "butter" from "but";
// nor is "sing" s + -ing, "shed" a past of "she" or "herring" a form of "her"; "won't" is will.
TEST(HeadWords, ListedWordsAreTheirOwnHeads) {
    for (const QStringView word : {u"seed", u"butter", u"news", u"sing", u"forest"}) {
        EXPECT_EQ(core::headWords(word), QStringList{word.toString()})
            << word.toString().toStdString();
    }
    EXPECT_FALSE(core::headWords(u"shed").contains(u"she"));
    EXPECT_FALSE(core::headWords(u"herring").contains(u"her"));
    EXPECT_EQ(core::headWords(u"won't"), (QStringList{"won't", "will"}));
    EXPECT_FALSE(core::withinLevel(core::frequencyRank(u"shed"), 1000));
    EXPECT_FALSE(core::withinLevel(core::frequencyRank(u"herring"), 8000));
}

// The examination bands: band 4's words, bands 4 and 6's, the forms of each.
TEST(ReaderLevel, TheExaminationBands) {
    const core::KnownWords& band4 = core::examinationWords(core::Examination::Band4);
    const core::KnownWords& band6 = core::examinationWords(core::Examination::Band6);
    struct Known {
        QStringView word;
        bool band4;
        bool band6;
    };
    for (const Known& k :
         {Known{u"abandoned", true, true}, Known{u"she", true, true}, Known{u"water", true, true},
          Known{u"i", true, true}, Known{u"accelerating", false, true},
          Known{u"abbreviation", false, true}, Known{u"herring", false, false}}) {
        EXPECT_EQ(band4.contains(k.word), k.band4) << k.word.toString().toStdString();
        EXPECT_EQ(band6.contains(k.word), k.band6) << k.word.toString().toStdString();
    }
}

// With weak forms the function words take them inside a phrase and keep the strong form at a
// phrase's end, before "of", and in capitals.
TEST(WeakForms, InsideAPhraseNotAtItsEnd) {
    Dictionary dictionary;
    const QString passage = QStringLiteral(
        "We can see them but you. Some of them can. Look at THEM, to an apple "
        "but to the pear, to.");
    core::TextOptions options;
    options.weakForms = true;
    EXPECT_EQ(render(testing_support::annotateText(passage, dictionary, options)),
              "We[wi] can[kEn] see[si:] them[TEm] but[bEt] you[ju:]. Some[sQm] of[Ev] "
              "them[TEm] can[kAn]. Look[-] at[Et] THEM[Tem], to[tu] an[En] apple[5Apl] but[bEt] "
              "to[tE] the[TE] pear[p/E], to[tu:].");
    EXPECT_EQ(render(testing_support::annotateText(passage, dictionary, {})),
              "We[wi:] can[kAn] see[si:] them[Tem] but[bQt] you[ju:]. Some[sQm] of[Rv] "
              "them[Tem] can[kAn]. Look[-] at[At] THEM[Tem], to[tu] an[En] apple[5Apl] but[bQt] "
              "to[tu:] the[TE] pear[p/E], to[tu:].");
}

struct Level {
    int level;
    bool firstOnly;
    const char* rendered;
};

void PrintTo(const Level& l, std::ostream* out) {
    *out << l.level << (l.firstOnly ? " first only" : "");
}

class ReaderLevel : public testing::TestWithParam<Level> {};

constexpr char kPassage[] = "The children were studying in the library. Libraries end; library!";

// library is beyond the 1000 most frequent words and within the 3000; child, be and study are
// within the 1000, so their forms are too.
TEST_P(ReaderLevel, OnlyWordsBeyondTheLevel) {
    Dictionary dictionary;
    core::TextOptions options;
    options.level = GetParam().level;
    options.firstOnly = GetParam().firstOnly;
    EXPECT_EQ(
        render(testing_support::annotateText(QString::fromUtf8(kPassage), dictionary, options)),
        QString::fromUtf8(GetParam().rendered));
}

INSTANTIATE_TEST_SUITE_P(
    Levels, ReaderLevel,
    testing::Values(
        Level{0, false,
              "The[TE] children[5tFildrEn] were[wE:] studying[5stQdiiN] in[in] the[TE] "
              "library[5laibrEri]. Libraries[5laibrEriz] end[end]; library[5laibrEri]!"},
        Level{0, true,
              "The[TE] children[5tFildrEn] were[wE:] studying[5stQdiiN] in[in] the[=] "
              "library[5laibrEri]. Libraries[5laibrEriz] end[end]; library[=]!"},
        Level{1000, false,
              "The children were studying in the library[5laibrEri]. Libraries[5laibrEriz] end; "
              "library[5laibrEri]!"},
        Level{1000, true,
              "The children were studying in the library[5laibrEri]. Libraries[5laibrEriz] end; "
              "library[=]!"},
        Level{3000, false, "The children were studying in the library. Libraries end; library!"}));

// A window annotates a long passage a few paragraphs at a time: the parts give what the whole
// gives, repeated words and counts carried from part to part.
TEST(ReaderLevel, APassageInPartsIsAnnotatedAsAWhole) {
    class Collect final : public core::TextSink {
    public:
        void between(QStringView text) override {
            segments.push_back({text.toString(), false, Gloss::Missing, QString(), QString()});
        }
        void word(const core::WordSegment& word) override {
            segments.push_back({word.text.toString(), true, word.gloss, word.codes.toString(),
                                word.american.toString()});
        }
        QList<testing_support::TextSegment> segments;
    };
    Dictionary dictionary;
    core::TextOptions options;
    options.firstOnly = true;
    const QString passage = QString::fromUtf8(kPassage);
    const qsizetype cut = passage.indexOf(u'.') + 2;
    core::TextAnnotator annotator(dictionary, options);
    Collect parts;
    annotator.annotate(QStringView(passage).first(cut), parts);
    const core::TextCounts counts = annotator.annotate(QStringView(passage).sliced(cut), parts,
                                                       core::TextAnnotator::Part::Continued);
    const testing_support::TextAnnotation whole = testing_support::annotateText(annotator, passage);
    EXPECT_EQ(render({parts.segments, counts}), render(whole));
    EXPECT_EQ(counts, whole.counts);
}

// The reader's list as a file of one word a line (here UTF-16 with blanks around a word and an
// empty line), and the forms of its words.
TEST(ReaderLevel, TheReadersListAndTheFormsOfItsWords) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("known.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QString lines = QStringLiteral(" Library \r\n\r\nSTUDY\r\nice\r\ncream\r\n");
    file.write("\xFF\xFE");
    file.write(reinterpret_cast<const char*>(lines.utf16()), lines.size() * 2);
    file.close();
    QString error;
    const core::KnownWords known = core::KnownWords::read(path, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(known.size(), 4);

    Dictionary dictionary;
    core::TextOptions options;
    options.known = &known;
    EXPECT_EQ(render(testing_support::annotateText(
                  QStringLiteral("The library’s libraries; she studied ice-cream and apples"),
                  dictionary, options)),
              QStringLiteral("The[TE] library’s libraries; she[-] studied ice-cream and[-] "
                             "apples[-]"));

    EXPECT_TRUE(core::KnownWords::read(dir.filePath(QStringLiteral("none.txt")), &error).isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("none.txt"))) << error.toStdString();
}

}  // namespace
