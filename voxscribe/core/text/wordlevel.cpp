#include "wordlevel.h"

#include <QHash>
#include <QMultiHash>
#include <QSet>

#include "examwords.inc"
#include "irregularforms.inc"
#include "texttokens.h"
#include "wordfrequency.inc"
#include "wordlist.h"

namespace core {
namespace {

// A regular ending and what takes its place to give the head word: studies: study.
struct Ending {
    QStringView ending;
    QStringView replacement;
    bool undoubles = false;  // the stem's doubled final consonant is single in the head: stopp-ed
    // Whether a word of the frequency list takes it too. The list gives many -ed, -ing and -ly
    // forms of their own (used, making, simply) that are forms all the same; its words in -s,
    // -er and -est are mostly words of their own (news, butter, manner, forest).
    bool listedToo = false;
    // A listed word whose stem ends so takes no head by this ending: seed is no form of see.
    QStringView listedNotAfter = {};
};

constexpr Ending kEndings[] = {
    {u"ies", u"y", false, true},
    {u"es", u""},
    {u"s", u""},
    {u"ied", u"y", false, true},
    {u"ed", u"", false, true},
    {u"ed", u"e", false, true, u"e"},
    {u"ed", u"", true, true},
    {u"ying", u"ie", false, true},
    {u"ing", u"", false, true},
    {u"ing", u"e", false, true},
    {u"ing", u"", true, true},
    {u"ier", u"y"},
    {u"er", u""},
    {u"er", u"e"},
    {u"er", u"", true},
    {u"iest", u"y"},
    {u"est", u""},
    {u"est", u"e"},
    {u"est", u"", true},
    {u"ily", u"y", false, true},
    {u"ly", u"", false, true},
    {u"ly", u"le", false, true},
};

// A head word shorter than this comes from no regular ending ("sing" is not se + -ing, "bed" not
// be + -d).
constexpr qsizetype kShortestRegularHead = 3;

bool isVowelLetter(QChar c) {
    return QStringView(u"aeiouy").contains(c);
}

struct Tables {
    QHash<QString, int> ranks;               // word: place in the frequency list, from 1
    QMultiHash<QString, QString> irregular;  // form: head word
    QSet<QString> falseHeads;                // "form head": the form only looks like one
};

const Tables& tables() {
    static const Tables loaded = [] {
        Tables result;
        const QString words = QString::fromUtf8(kFrequentWords);
        int rank = 0;
        for (const QStringView word : QStringView(words).split(u'\n', Qt::SkipEmptyParts)) {
            result.ranks.insert(word.toString(), ++rank);
        }
        const QString forms = QString::fromUtf8(kIrregularForms);
        for (const QStringView line : QStringView(forms).split(u'\n', Qt::SkipEmptyParts)) {
            const qsizetype blank = line.indexOf(u' ');
            result.irregular.insert(line.first(blank).toString(),
                                    line.sliced(blank + 1).toString());
        }
        const QString falseHeads = QString::fromUtf8(kFalseHeads);
        for (const QStringView line : QStringView(falseHeads).split(u'\n', Qt::SkipEmptyParts)) {
            result.falseHeads.insert(line.toString());
        }
        return result;
    }();
    return loaded;
}

int rankOf(QStringView word) {
    return tables().ranks.value(QString::fromRawData(word.data(), word.size()), 0);
}

void addHead(QStringList& heads, const QString& head) {
    if (!head.isEmpty() && !heads.contains(head)) {
        heads.push_back(head);
    }
}

void addRegularHeads(QStringList& heads, QStringView word) {
    const bool listed = rankOf(word) > 0;
    for (const Ending& rule : kEndings) {
        if (word.size() <= rule.ending.size() || !word.endsWith(rule.ending) ||
            (listed && !rule.listedToo)) {
            continue;
        }
        QStringView stem = word.chopped(rule.ending.size());
        if (listed && !rule.listedNotAfter.isEmpty() && stem.endsWith(rule.listedNotAfter)) {
            continue;
        }
        if (rule.undoubles) {
            if (stem.size() < 2 || stem.back() != stem[stem.size() - 2] ||
                isVowelLetter(stem.back())) {
                continue;
            }
            stem.chop(1);
        }
        const QString head = stem.toString() + rule.replacement.toString();
        if (head.size() >= kShortestRegularHead &&
            !tables().falseHeads.contains(word.toString() + u' ' + head)) {
            addHead(heads, head);
        }
    }
}

// Adds the word's head words; false when the irregular forms name them all (won't: will).
bool addHeads(QStringList& heads, QStringView word) {
    const QList<QString> irregular = tables().irregular.values(word.toString());
    for (const QString& head : irregular) {
        addHead(heads, head);
    }
    addRegularHeads(heads, word);
    return irregular.isEmpty();
}

// The parts of a compound; empty when the word is none.
QList<QStringView> compoundParts(QStringView key) {
    QList<QStringView> parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= key.size(); ++i) {
        if (i == key.size() || isJoiningHyphen(key[i])) {
            parts.push_back(key.sliced(start, i - start));
            start = i + 1;
        }
    }
    return parts.size() > 1 ? parts : QList<QStringView>();
}

int bestRank(QStringView key) {
    int best = 0;
    for (const QString& head : headWords(key)) {
        const int rank = rankOf(head);
        if (rank > 0 && (best == 0 || rank < best)) {
            best = rank;
        }
    }
    return best;
}

}  // namespace

QString levelKey(QStringView word) {
    QString key = word.toString().toLower();
    key.replace(u'\u2019', u'\'');
    return key;
}

QStringList headWords(QStringView key) {
    QStringList heads{key.toString()};
    const bool regular = addHeads(heads, key);
    const qsizetype apostrophe = key.indexOf(u'\'');
    if (apostrophe > 0 && regular) {
        // isn't: is; I'm: i; children's: children, and their own heads.
        QStringList bases{key.first(apostrophe).toString()};
        if (key.endsWith(u"n't") && apostrophe == key.size() - 2) {
            bases.push_back(key.first(apostrophe - 1).toString());
        }
        for (const QString& base : bases) {
            addHead(heads, base);
            addHeads(heads, base);
        }
    }
    return heads;
}

int frequencyRank(QStringView key) {
    const int own = bestRank(key);
    if (own > 0) {
        return own;
    }
    int rarest = 0;
    const QList<QStringView> parts = compoundParts(key);
    for (const QStringView part : parts) {
        const int rank = bestRank(part);
        if (rank == 0) {
            return 0;
        }
        rarest = qMax(rarest, rank);
    }
    return rarest;
}

const KnownWords& examinationWords(Examination band) {
    static const auto load = [](const char* words) {
        return KnownWords(QString::fromUtf8(words).split(u'\n', Qt::SkipEmptyParts));
    };
    static const KnownWords band4 = load(kBand4Words);
    static const KnownWords band6 = load(kBand6Words);
    return band == Examination::Band4 ? band4 : band6;
}

KnownWords::KnownWords(const QStringList& lines) {
    for (const QString& line : lines) {
        const QString word = levelKey(line.trimmed());
        if (!word.isEmpty()) {
            words_.insert(word);
        }
    }
}

QStringList KnownWords::words() const {
    QStringList words(words_.cbegin(), words_.cend());
    words.sort();
    return words;
}

KnownWords KnownWords::read(const QString& path, QString* error) {
    const WordList list = readWordList(path);
    *error = list.error;
    return list.ok() ? KnownWords(list.lines) : KnownWords();
}

bool KnownWords::containsForm(QStringView key) const {
    for (const QString& head : headWords(key)) {
        if (words_.contains(head)) {
            return true;
        }
    }
    return false;
}

bool KnownWords::contains(QStringView key) const {
    if (containsForm(key)) {
        return true;
    }
    const QList<QStringView> parts = compoundParts(key);
    for (const QStringView part : parts) {
        if (!containsForm(part)) {
            return false;
        }
    }
    return !parts.isEmpty();
}

}  // namespace core
