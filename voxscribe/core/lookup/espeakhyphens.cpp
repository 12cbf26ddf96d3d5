#include "espeakhyphens.h"

#include <QStringView>
#include <algorithm>
#include <vector>

#include "espeakrules.h"

namespace core {
namespace {

// eSpeak's names of vowels begin with one of these, those of consonants never do; the names
// without a sound: a syllable break, the end of a phrase.
constexpr QStringView kVowelStarts = u"aAeEiIoOuUV0@3";
constexpr QStringView kSilentNames = u";!";

// A sounding phoneme of a word: its name without stress marks, and which piece of the word
// ("_" between pieces) it is.
struct Named {
    QStringView name;
    qsizetype piece = 0;
};

std::vector<Named> soundsOf(const QStringList& pieces) {
    std::vector<Named> out;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        QStringView name(pieces[i]);
        while (!name.isEmpty() && (name.front() == u'\'' || name.front() == u',')) {
            name = name.sliced(1);
        }
        if (!name.isEmpty() && !(name.size() == 1 && kSilentNames.contains(name.front()))) {
            out.push_back({name, i});
        }
    }
    return out;
}

// One consonant as the other, whatever eSpeak's variant of it (t, the flap t#, t2, the glottal
// stop); any vowel as any other.
bool sameSound(QStringView a, QStringView b) {
    const bool vowel = kVowelStarts.contains(a.front());
    if (vowel != kVowelStarts.contains(b.front())) {
        return false;
    }
    const auto plain = [](QStringView name) {
        if (name == u"?") {
            return QStringView(u"t");
        }
        while (name.size() > 1 && (name.back() == u'#' || name.back() == u'2')) {
            name.chop(1);
        }
        return name;
    };
    return vowel || plain(a) == plain(b);
}

bool partAt(const std::vector<Named>& word, std::size_t at, const std::vector<Named>& part) {
    return !part.empty() && at + part.size() <= word.size() &&
           std::equal(part.begin(), part.end(), word.begin() + std::ptrdiff_t(at),
                      [](const Named& a, const Named& b) { return sameSound(a.name, b.name); });
}

}  // namespace

QString withHyphens(const QString& wordNames, const QStringList& partNames) {
    const QStringList pieces = wordNames.split(u'_');
    const std::vector<Named> word = soundsOf(pieces);
    std::vector<QStringList> partPieces;
    std::vector<std::vector<Named>> parts;
    for (const QString& names : partNames) {
        partPieces.push_back(names.split(u'_'));
    }
    for (const QStringList& p : partPieces) {
        parts.push_back(soundsOf(p));
    }
    const std::size_t count = parts.size();
    if (count < 2) {
        return wordNames;
    }
    // starts[k]: the sound part k begins with, where it was found.
    std::vector<std::size_t> starts(count, 0);
    std::vector<bool> found(count, false);
    std::size_t at = 0;
    for (std::size_t k = 0; k + 1 < count && partAt(word, at, parts[k]); ++k) {
        at += parts[k].size();
        starts[k + 1] = at;
        found[k + 1] = true;
    }
    at = word.size();
    for (std::size_t k = count;
         k-- > 1 && at >= parts[k].size() && partAt(word, at - parts[k].size(), parts[k]);) {
        at -= parts[k].size();
        if (!found[k]) {
            starts[k] = at;
            found[k] = true;
        }
    }
    std::vector<bool> hyphenBefore(std::size_t(pieces.size()), false);
    std::size_t last = 0;
    for (std::size_t k = 1; k < count; ++k) {
        if (!found[k]) {
            continue;
        }
        // The parts stand in their order, none of them empty, or nothing is placed.
        if (starts[k] <= last || starts[k] >= word.size()) {
            return wordNames;
        }
        last = starts[k];
        hyphenBefore[std::size_t(word[last].piece)] = true;
    }
    QStringList out;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (hyphenBefore[std::size_t(i)]) {
            out << QString::fromLatin1(espeakrules::kHyphen.data(),
                                       qsizetype(espeakrules::kHyphen.size()));
        }
        out << pieces[i];
    }
    return out.join(u'_');
}

}  // namespace core
