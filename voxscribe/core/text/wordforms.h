// The rules of running text that choose a word's form: the articles by the next sound, the weak
// forms of connected speech, the collocations that decide a heteronym, the possessive ending and
// the sound a transcription begins with. Used by the text annotator alone.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <algorithm>
#include <array>
#include <initializer_list>

#include "notation.h"
#include "textannotator.h"

namespace core::wordforms {

// The articles whose form the next word's first sound chooses; an empty form keeps the stored
// transcription ("a" before a vowel sound is a slip or a stressed "a").
struct Article {
    QStringView word;
    QStringView beforeConsonant;
    QStringView beforeVowel;
};
constexpr Article kArticles[] = {
    {u"the", u"TE", u"Ti"},
    {u"a", u"E", u""},
    {u"an", u"", u"En"},
};

enum class Sound { Unknown, Consonant, Vowel };

// When a function word is weak, by the class of the word before and after it; at the end of a
// phrase it never is.
enum class WeakWhen {
    InPhrase,     // anywhere inside a phrase
    Auxiliary,    // have, has, had before a participle, an adverb, "not" or a subject
    DoAuxiliary,  // do, does before a subject, a determiner, a name or "not"
    Conjunction,  // that before a clause, after a word that can take one
    Determiner,   // some before a noun or an adjective
    Existential,  // there before be, a modal or have
};

// The weak forms of connected speech, in the classic style of our codes: the list of function
// words that learners' dictionaries print weak forms for, each with the form it takes before a
// consonant sound and, where it differs, before a vowel sound (a linking r, "to" tu). Written for
// this program from the usual descriptions of connected speech (Jones, Gimson); the strong form
// is the dictionary's first form. "the", "a" and "an" take their forms by the next sound always.
// American English keeps its r (for fEr, her hEr) and writes the short i as I (him Im), so it
// has forms of its own where those occur; empty: the same as the British.
struct WeakForm {
    QStringView word;
    QStringView form;
    QStringView beforeVowel = {};
    WeakWhen when = WeakWhen::InPhrase;
    QStringView americanForm = {};
    QStringView americanBeforeVowel = {};
};
constexpr WeakForm kWeakForms[] = {
    {u"to", u"tE", u"tu"},
    {u"and", u"End"},
    {u"but", u"bEt"},
    {u"as", u"Ez"},
    {u"than", u"TEn"},
    {u"that", u"TEt", u"", WeakWhen::Conjunction},
    {u"at", u"Et"},
    {u"for", u"fE", u"fEr", WeakWhen::InPhrase, u"fEr"},
    {u"from", u"frEm"},
    {u"of", u"Ev"},
    {u"can", u"kEn"},
    {u"could", u"kEd"},
    {u"must", u"mEst"},
    {u"shall", u"FEl"},
    {u"should", u"FEd"},
    {u"will", u"wEl"},
    {u"would", u"wEd"},
    {u"do", u"dE", u"du", WeakWhen::DoAuxiliary},
    {u"does", u"dEz", u"", WeakWhen::DoAuxiliary},
    {u"am", u"Em"},
    {u"are", u"E", u"Er", WeakWhen::InPhrase, u"Er"},
    {u"was", u"wEz"},
    {u"were", u"wE", u"wEr", WeakWhen::InPhrase, u"wEr"},
    {u"be", u"bi"},
    {u"been", u"bin", u"", WeakWhen::InPhrase, u"bIn"},
    {u"has", u"hEz", u"", WeakWhen::Auxiliary},
    {u"have", u"hEv", u"", WeakWhen::Auxiliary},
    {u"had", u"hEd", u"", WeakWhen::Auxiliary},
    {u"he", u"hi"},
    {u"him", u"im", u"", WeakWhen::InPhrase, u"Im"},
    {u"his", u"iz", u"", WeakWhen::InPhrase, u"Iz"},
    {u"her", u"hE", u"", WeakWhen::InPhrase, u"hEr"},
    {u"me", u"mi"},
    {u"we", u"wi"},
    {u"us", u"Es"},
    {u"she", u"Fi"},
    {u"you", u"ju"},
    {u"your", u"jE", u"", WeakWhen::InPhrase, u"jEr"},
    {u"them", u"TEm"},
    {u"some", u"sEm", u"", WeakWhen::Determiner},
    {u"there", u"TE", u"TEr", WeakWhen::Existential, u"TEr"},
};

// The American form of a weak form: its own where it has one, else the British.
inline QStringView americanOf(QStringView own, QStringView british) {
    return own.isEmpty() ? british : own;
}

// "to" takes tu before a vowel sound with weak forms or without.
constexpr int kTo = 0;

inline bool weakHere(WeakWhen when, WordClass before, WordClass after) {
    using enum WordClass;
    const auto in = [](WordClass c, std::initializer_list<WordClass> set) {
        return std::find(set.begin(), set.end(), c) != set.end();
    };
    switch (when) {
        case WeakWhen::InPhrase:
            return after != End;
        case WeakWhen::Auxiliary:
            return in(after, {Past, Adverb, Not, Be, Subject});
        case WeakWhen::DoAuxiliary:
            return in(after, {Subject, Determiner, Name, Not});
        case WeakWhen::Conjunction:
            return in(after, {Subject, Determiner, Possessive, Name, Number}) &&
                   !in(before, {End, Preposition});
        case WeakWhen::Determiner:
            return in(after, {Noun, Adjective, Number});
        case WeakWhen::Existential:
            return in(after, {Be, Modal, Have});
    }
    return false;
}

// What a rule that decides takes from the log weight (times 100) of the readings it rules out.
constexpr int kDecisive = 1000;

// After these a heteronym's bare verb form is past (she read: red).
constexpr std::array<QStringView, 3> kThirdPersons{u"he", u"she", u"it"};

// Fixed phrases whose heteronym the next word, or else the word before, decides as no class
// can: "used to" (habit), lead the metal. The form in British and in American codes.
struct Collocation {
    QStringView word;
    QStringView next;
    QStringView previous;
    QStringView form;
    QStringView americanForm;
};
constexpr Collocation kCollocations[] = {
    {u"used", u"to", u"", u"ju:st", u"ju:st"},  {u"lead", u"poisoning", u"", u"led", u"led"},
    {u"lead", u"pipes", u"", u"led", u"led"},   {u"lead", u"paint", u"", u"led", u"led"},
    {u"lead", u"pencil", u"", u"led", u"led"},  {u"lead", u"pipe", u"", u"led", u"led"},
    {u"lead", u"", u"of", u"led", u"led"},      {u"live", u"music", u"", u"laiv", u"laIv"},
    {u"close", u"to", u"", u"klEus", u"kloJs"},
};

// What may stand before a transcription's first sound besides the stress marks: blanks and
// brackets. Once the wrapping slashes are gone a slash is the ε of "/E", a vowel.
constexpr QStringView kBeforeSound = u" ()";

inline Sound firstSound(QStringView codes) {
    using sonabet::notation::SoundClass;
    const QString bare = unwrappedCodes(codes);
    for (const QChar c : bare) {
        const SoundClass soundClass = sonabet::notation::soundClassOf(c.unicode());
        if (kBeforeSound.contains(c) || soundClass == SoundClass::Mark) {
            continue;
        }
        switch (soundClass) {
            case SoundClass::Vowel:
                return Sound::Vowel;
            case SoundClass::Consonant:
                return Sound::Consonant;
            default:
                return Sound::Unknown;
        }
    }
    return Sound::Unknown;
}

// Whether the text between an article and the next word lets the word choose the article's form:
// blanks, opening quotes and brackets and one line end (a text wrapped by hand) do; an empty line
// or any other punctuation ends the phrase.
inline bool keepsPhrase(QStringView between) {
    if (between.size() == 1 && between.front() == u' ') {
        return true;  // nearly every time
    }
    int lineEnds = 0;
    for (const QChar c : between) {
        if (c == u'\n') {
            ++lineEnds;
            continue;
        }
        if (c == u'\r') {
            continue;
        }
        const QChar::Category category = c.category();
        const bool opening = c == u'"' || c == u'\'' || category == QChar::Punctuation_Open ||
                             category == QChar::Punctuation_InitialQuote;
        if (!(c == u' ' || c == u'\t' || c == u'\u00A0' || opening)) {
            return false;
        }
    }
    return lineEnds < 2;
}

// The ending of a possessive by the word's final sound: iz after a hissing sound (tF and dV end
// in one), s after another voiceless one, z otherwise ("danger" 5deindVE ends in a schwa).
inline QStringView possessiveEnding(QStringView form) {
    while (!form.isEmpty() && (form.back() == u' ' || form.back() == u')')) {
        form.chop(1);
    }
    if (form.isEmpty()) {
        return {};
    }
    const QChar last = form.back();
    if (QStringView(u"szFV").contains(last)) {
        return u"iz";
    }
    if (QStringView(u"ptkfW").contains(last)) {
        return u"s";
    }
    return u"z";
}

// american: the short i of the ending is I in American codes.
inline QString withPossessive(const QString& codes, bool american) {
    const QString bare = unwrappedCodes(codes);
    const bool wrapped = bare.size() != codes.size();
    QStringList forms;
    const QStringView separator = sonabet::notation::kFormSeparator;
    for (const QStringView form : QStringView(bare).split(separator)) {
        const QStringView ending = possessiveEnding(form);
        forms << form.toString() +
                     (american && ending == u"iz" ? QStringLiteral("Iz") : ending.toString());
    }
    const QString joined = forms.join(separator);
    return wrapped ? QStringLiteral("/") + joined + u'/' : joined;
}

inline bool endsWithPossessive(QStringView word) {
    return word.size() > 2 && isApostrophe(word[word.size() - 2]) &&
           (word.back() == u's' || word.back() == u'S');
}

inline bool isCompound(QStringView word) {
    for (const QChar c : word) {
        if (isJoiningHyphen(c)) {
            return true;
        }
    }
    return false;
}

}  // namespace core::wordforms
