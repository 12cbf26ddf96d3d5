// Which reading a word of several pronunciations has in its sentence: noun, adjective, verb or
// past, by the classes of the words around it. The model is learnt from a treebank's
// part-of-speech tags by tools/context/generate.py; the heteronyms and the reading of each of
// their forms are data of the same table.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <vector>

namespace core {

// What a neighbouring word is, as far as its spelling tells; in the order of the table.
enum class WordClass : unsigned char {
    End,  // no word: the sentence's edge or punctuation
    Determiner,
    Possessive,
    Subject,
    Object,
    Modal,
    Be,
    Have,
    Do,
    To,
    Preposition,
    Adjective,
    Noun,
    Nouns,  // a plural noun
    Name,
    Verb,
    Past,
    Ing,
    Adverb,
    Not,
    Conjunction,
    Subordinator,
    Number,
    Wh,
    Other,
};
inline constexpr int kWordClasses = int(WordClass::Other) + 1;

enum class Reading : unsigned char { Noun, Adjective, Verb, Past };
inline constexpr int kReadings = 4;

// A heteronym: the form of each reading, and how often the word has each.
struct Heteronym {
    std::array<int, kReadings> prior{};  // log share times 100
    // The form of each reading by its codes; empty: by the stress (shift) or the first form.
    std::array<QString, kReadings> forms;
    bool shift = false;  // the noun and adjective stressed on the first syllable, the verb later
    QString first;       // the form to take where the context cannot decide; empty: the first
};

// Where a heteronym stands: the classes of the two words before it and of the word after it.
struct Neighbours {
    WordClass before = WordClass::End;
    WordClass beforeThat = WordClass::End;
    WordClass after = WordClass::End;
};

class ContextModel {
public:
    // The model of the generated table, read once.
    static const ContextModel& instance();

    // The class of a word in lower case: the treebank's, else by its ending; a contraction by
    // its ending ("don't" a Not, "we'll" a Modal).
    WordClass wordClass(QStringView lowerWord) const;
    // The heteronym of a word in lower case; null when it is none.
    const Heteronym* heteronym(QStringView lowerWord) const;
    // How likely each reading of a heteronym is where it stands, as log weights times 100.
    std::array<int, kReadings> scores(const Heteronym& word, const Neighbours& around) const;

    // The names of the classes as the table gives them, for a check that they match WordClass.
    const QStringList& classNames() const { return classNames_; }

private:
    ContextModel();
    int weightsOf(const QString& feature) const;

    QStringList classNames_;
    QHash<QString, WordClass> words_;
    std::vector<std::pair<QString, WordClass>> endings_;
    // Per reading: the weight of each class before, before that and after, and of each pair of
    // classes before and after.
    std::array<std::array<int, kReadings>, kWordClasses> before_{};
    std::array<std::array<int, kReadings>, kWordClasses> beforeThat_{};
    std::array<std::array<int, kReadings>, kWordClasses> after_{};
    std::vector<std::array<int, kReadings>> pairs_;
    QHash<QString, Heteronym> heteronyms_;
};

// The form of a heteronym's reading among the word's stored forms: by its codes (a past without
// codes of its own as the verb, an adjective as the noun and back), else by its stress, else the
// first. Forms as pronunciations() gives them.
int formOfReading(const Heteronym& word, Reading reading, const QStringList& forms);
// The form the readings most likely call for together: each reading's likelihood added to its
// form's.
int likeliestForm(const Heteronym& word, const std::array<int, kReadings>& scores,
                  const QStringList& forms);
// The form a heteronym shows where nothing decides: its named first form, else the first.
int firstFormOf(const Heteronym* word, const QStringList& forms);

}  // namespace core
