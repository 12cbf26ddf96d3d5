// Annotating a whole text: every word, or every word beyond the reader's level, with its
// transcription, a suggested one, or nothing; the text between the words kept as it is.
#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringView>
#include <deque>
#include <vector>

#include "accent.h"
#include "contextmodel.h"
#include "suggestion.h"
#include "texttokens.h"
#include "wordindex.h"
#include "wordsource.h"

namespace core {

class KnownWords;
struct TextOptions {
    int level = 0;  // 0: every word; otherwise only words beyond the level most frequent
    const KnownWords* known = nullptr;        // the reader's own known words, with their forms
    const KnownWords* examination = nullptr;  // an examination's words (examinationWords())
    bool firstOnly = false;                   // a word only where it first occurs (in any case)
    Suggestion* guesser = nullptr;            // suggestions for missing words; none when null
    // The weak forms of the function words where connected speech uses them; otherwise their
    // citation forms.
    bool weakForms = false;
    // The transcriptions written: British, American, or both side by side.
    Accent accent = Accent::British;
    bool operator==(const TextOptions&) const = default;
};

// What a word of the text got.
enum class Gloss {
    Found,       // its transcription from the dictionary
    Suggested,   // a suggested transcription, to be checked
    Uncertain,   // its transcription from the dictionary, made by rules alone: to be checked
    Missing,     // none: the dictionary lacks it and nothing was suggested
    BelowLevel,  // none: the reader knows it (frequent or in the reader's list)
    Repeated,    // none: annotated where it first occurred
};

inline bool hasTranscription(Gloss gloss) {
    return gloss == Gloss::Found || gloss == Gloss::Suggested || gloss == Gloss::Uncertain;
}

// Shown grey and marked "?", for the reader to check.
inline bool toBeChecked(Gloss gloss) {
    return gloss == Gloss::Suggested || gloss == Gloss::Uncertain;
}

// A word as the annotator hands it on. The views are valid during the call only.
struct WordSegment {
    QStringView text;  // as it stands in the text
    Gloss gloss = Gloss::Missing;
    QStringView codes;  // the transcription for Found and Suggested; empty otherwise
    // The same number for the same codes and gloss from one annotator, counted from 0; -1 without
    // a transcription. Writers keep what they make of a transcription under it.
    int form = -1;
    // American: codes are American. Both: codes are British, and american the American form
    // beside them; either may be empty where that accent has none. An empty one is never to be
    // checked.
    Accent accent = Accent::British;
    QStringView american;
};

// Receives a text's pieces in order; written one after another they give the text back.
class TextSink {
public:
    virtual ~TextSink() = default;
    virtual void between(QStringView text) = 0;
    virtual void word(const WordSegment& word) = 0;
};

struct TextCounts {
    qsizetype words = 0;      // every word of the text
    qsizetype annotated = 0;  // with a transcription: found + suggested
    qsizetype found = 0;
    qsizetype suggested = 0;
    qsizetype missing = 0;  // to be annotated, but nothing was found or suggested
    bool operator==(const TextCounts&) const = default;
};

// The counts as the window and the command line tell them.
QString countsSummary(const TextCounts& counts);

// Lookup of a word, in this order: in lower case, as the dictionary holds every key, proper
// names too; with a curly apostrophe made straight;
// a hyphenated compound whole, else each part as a word of its own; a possessive 's from its
// word, the ending added by its final sound (John's: dVRnz). In running text every word shows
// one form: "the" is TE before a consonant sound and Ti before a vowel sound, "a" E and "an" En,
// "to" tu before a vowel sound and tu: otherwise, by the transcription of the word that follows;
// a heteronym the form of its reading in the sentence (the present: 5prezEnt; to present:
// pri5zent), by the words around it (contextmodel.h); any other word its first form. With weak
// forms the function words take them inside a phrase and keep their citation form at its end or
// written in capitals for stress. A phrase goes on over blanks, opening quotes and brackets and
// one line end. An annotator looks each
// distinct word up once, however often it occurs and however many runs it makes, so a window
// keeps one for as long as its options stay and annotates the text anew at each change. One
// thread at a time.
class TextAnnotator {
public:
    TextAnnotator(WordSource& words, const TextOptions& options);
    ~TextAnnotator();
    TextAnnotator(const TextAnnotator&) = delete;
    TextAnnotator& operator=(const TextAnnotator&) = delete;

    // Whether a run begins a text or goes on with the one the last run began.
    enum class Part { Whole, Continued };

    // Annotates text, handing each piece to sink as it goes. Lookups made by an earlier run of
    // the same annotator are reused; which words count as repeated starts afresh, unless part is
    // Continued: then the text goes on from the last run (a window annotating a long text a
    // paragraph at a time), its repeated words and counts carried on. A part ends with its text:
    // a word at its end takes the form of a phrase's end.
    TextCounts annotate(QStringView text, TextSink& sink, Part part = Part::Whole);

private:
    struct Entry;

    int entryOf(QStringView word);
    void lookUp(Entry& entry, bool guess);
    // The transcriptions of a word as typed, each tidied for it.
    WordTranscriptions transcriptionsOf(const QString& typed);
    int formOf(const QString& codes, Gloss gloss, const QString& american = {});
    void wordToken(QStringView word);
    void emitWord(QStringView text, int entry);
    void emitBetween(QStringView text);
    void resolveWaiting(Entry* next);
    int chosenForm(Entry& entry, Entry* next);
    int numberOfForm(Entry& entry, int index);
    int numberOfCodes(int& cached, QStringView british, QStringView american);
    // The forms the choice of a heteronym's form reads (the British ones) and the index of the
    // form shown for the one chosen among them.
    const QStringList& choiceForms(const Entry& entry) const;
    int shownIndex(const Entry& entry, int chosen) const;
    void send(QStringView text, Gloss gloss, int form);

    WordSource& words_;
    TextOptions options_;
    WordIndex index_;  // the entries by their word as typed
    std::deque<Entry> entries_;
    QHash<QString, int> identities_;  // a word in lower case: its number, for first-only
    std::vector<bool> annotatedOnce_;
    QHash<QString, int> formIndex_;
    std::deque<QString> forms_;          // the codes of each form number
    std::deque<QString> americanForms_;  // with both accents: the American codes beside them
    TextSink* sink_ = nullptr;
    TextCounts counts_;
    // The classes of the last two words of the phrase, the last first.
    WordClass before_ = WordClass::End;
    WordClass beforeThat_ = WordClass::End;
    // A word whose form the word after it decides, and the text between them.
    struct Waiting {
        int entry = -1;  // -1: none waits
        QStringView text;
        QStringView between;
        WordClass before = WordClass::End;
        WordClass beforeThat = WordClass::End;
        int previous = -1;  // the entry of the word before
    } waiting_;
    int previous_ = -1;
};

// The codes of a transcription without the slashes that wrap several pronunciations ("/TE, Ti/"
// gives "TE, Ti"); a slash that begins the vowel of "air" stays.
QString unwrappedCodes(QStringView codes);

}  // namespace core
