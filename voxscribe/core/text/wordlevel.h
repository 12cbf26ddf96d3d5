// The reader's level: which words of a text a reader already knows, by the frequency of their
// head word in contemporary English or by a list of the reader's own.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

namespace core {

// The levels a reader can choose: a reader of level N knows the N most frequent words and their
// forms, and only the words beyond them get a transcription.
inline constexpr std::array<int, 5> kReaderLevels{1000, 2000, 3000, 5000, 8000};

// A word as the level rules compare it: lower case, curly apostrophes straight.
QString levelKey(QStringView word);

// The words a form may come from, the form itself first: its head words by the irregular forms
// (went: go; children: child), by the regular endings (-s, -es, -ies, -ed, -ied, -ing, -er, -est,
// -ly, with a doubled consonant or a silent e restored: studying: study, stopped: stop, making:
// make) where the form's sounds begin as the head's do (shed is no form of she, nor herring of
// her) and, for a word with an apostrophe that the irregular forms lack (won't: will), those of
// the part before it (isn't: is, be; children's: child). A word of the frequency list itself takes
// a head word by -ed, -ing and -ly (used, making, simply), not by -s, -er and -est, with which the
// list's words are mostly words of their own (news, butter, forest); nor is seed a form of see.
// Takes a levelKey().
QStringList headWords(QStringView key);

// The word's place in the frequency list (1 the most frequent), or its most frequent head
// word's; 0 when neither is in the list. A hyphenated compound that the list lacks has the place
// of its rarest part (0 when a part is not in the list). Takes a levelKey().
int frequencyRank(QStringView key);

// Whether a reader of level N knows the word: its rank is N or better.
inline bool withinLevel(int rank, int level) {
    return rank > 0 && rank <= level;
}

// Words a reader knows, from a list of the reader's own; the forms of a listed word count as
// known too (studying when study is listed), and a compound whose parts all are.
class KnownWords {
public:
    KnownWords() = default;
    // One word a line, as a word list gives them; blanks around a word and empty lines are
    // ignored, case does not matter.
    explicit KnownWords(const QStringList& lines);
    // The words of a list file, read and decoded as word lists are (UTF-8, GB18030, UTF-16), or
    // standard input for "-". A file that cannot be read gives no words and *error says why, in
    // Chinese.
    static KnownWords read(const QString& path, QString* error);

    // Takes a levelKey().
    bool contains(QStringView key) const;
    qsizetype size() const { return words_.size(); }
    // The words in order, one a line as the list gives them back.
    QStringList words() const;
    bool isEmpty() const { return words_.isEmpty(); }

private:
    bool containsForm(QStringView key) const;
    QSet<QString> words_;
};

// The College English Test's bands.
enum class Examination { Band4, Band6 };

// The words a reader of the band knows: band 4's words, or bands 4 and 6's, with the most frequent
// words the syllabus takes for granted; their forms count as known as in a reader's own list.
const KnownWords& examinationWords(Examination band);

}  // namespace core
