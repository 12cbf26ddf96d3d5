// Which form of a word the text annotator writes where its neighbours decide: an article's and
// "to"'s by the next word's first sound, a weak form by its place, a heteronym's by the words
// around.
#include <algorithm>
#include <array>

#include "annotatorentry.h"
#include "contextmodel.h"
#include "textannotator.h"
#include "wordforms.h"

namespace core {

using namespace wordforms;

int TextAnnotator::chosenForm(Entry& entry, Entry* next) {
    Sound sound = Sound::Unknown;
    Sound americanSound = Sound::Unknown;
    WordClass after = WordClass::End;
    if (next != nullptr) {
        // A word the dictionary lacks decides by its suggestion, asked for here as it would be
        // when the word is written; a word the reader knows is never guessed.
        lookUp(*next, !next->knownToReader);
        sound = next->sound;
        americanSound = next->americanSound;
        after = next->wordClass;
    }
    if (entry.article >= 0) {
        // The articles are the same in both accents, but the next word may begin with a vowel in
        // one and a consonant in the other ("herb"): each accent its own form, the stored one
        // where the sound does not decide.
        const Article& forms = kArticles[entry.article];
        if (options_.accent == Accent::Both && americanSound != sound) {
            const auto formBefore = [&](Sound next, const QString& stored) {
                const QStringView decided = next == Sound::Consonant ? forms.beforeConsonant
                                            : next == Sound::Vowel   ? forms.beforeVowel
                                                                     : QStringView();
                return decided.isEmpty() ? stored : decided.toString();
            };
            const size_t stored = size_t(entry.form);
            const QString british = formBefore(sound, forms_[stored]);
            const QString american = formBefore(americanSound, americanForms_[stored]);
            return formOf(british, Gloss::Found, american);
        }
        if (sound == Sound::Consonant && !forms.beforeConsonant.isEmpty()) {
            return numberOfCodes(entry.beforeConsonant, forms.beforeConsonant,
                                 forms.beforeConsonant);
        }
        if (sound == Sound::Vowel && !forms.beforeVowel.isEmpty()) {
            return numberOfCodes(entry.beforeVowel, forms.beforeVowel, forms.beforeVowel);
        }
        return entry.form;
    }
    if (entry.weak >= 0 && next != nullptr && sound == Sound::Unknown) {
        // A word the dictionary lacks: its spelling's first letter tells the sound.
        sound = QStringView(u"aeiouAEIOU").contains(next->typed.front()) ? Sound::Vowel
                                                                         : Sound::Consonant;
    }
    if (entry.weak >= 0) {
        const WeakForm& weak = kWeakForms[entry.weak];
        const bool useWeak = options_.weakForms && next != nullptr && !entry.stressed &&
                             weakHere(weak.when, waiting_.before, after);
        const QStringView americanBeforeVowel =
            americanOf(weak.americanBeforeVowel, weak.beforeVowel);
        if (useWeak && sound == Sound::Vowel && !weak.beforeVowel.isEmpty()) {
            return numberOfCodes(entry.beforeVowel, weak.beforeVowel, americanBeforeVowel);
        }
        if (useWeak) {
            return numberOfCodes(entry.beforeConsonant, weak.form,
                                 americanOf(weak.americanForm, weak.form));
        }
        if (entry.weak == kTo && sound == Sound::Vowel) {
            return numberOfCodes(entry.beforeVowel, weak.beforeVowel, americanBeforeVowel);
        }
        if (entry.heteronym == nullptr) {
            return entry.form;
        }
    }
    if (entry.heteronym != nullptr && entry.forms.size() > 1) {
        const Neighbours around{waiting_.before, waiting_.beforeThat, after};
        const Heteronym& word = *entry.heteronym;
        std::array<int, kReadings> scores = ContextModel::instance().scores(word, around);
        const QString previous =
            waiting_.previous >= 0 ? entries_[size_t(waiting_.previous)].key : QString();
        // Two words the model weighs one by one that together decide: a plural noun or a
        // pronoun that begins the sentence is the subject of the verb after it ("Metals
        // contract"); a word before a past verb is no verb itself ("A police escort followed").
        const auto rule = [&](Reading a, Reading b) {
            for (int r = 0; r < kReadings; ++r) {
                if (Reading(r) != a && Reading(r) != b) {
                    scores[size_t(r)] -= kDecisive;
                }
            }
        };
        const bool subjectFirst = waiting_.before == WordClass::Nouns ||
                                  waiting_.before == WordClass::Name ||
                                  waiting_.before == WordClass::Subject;
        if (waiting_.beforeThat == WordClass::End && subjectFirst) {
            rule(Reading::Verb, Reading::Past);
        } else if (after == WordClass::Past) {
            rule(Reading::Noun, Reading::Adjective);
        }
        if (!word.forms[size_t(Reading::Past)].isEmpty()) {
            // A bare verb after he, she or it is past (she read: red), and so is one after a
            // have or a be (have you read, was read).
            const bool past = std::ranges::find(kThirdPersons, previous) != kThirdPersons.end() ||
                              waiting_.before == WordClass::Have ||
                              waiting_.beforeThat == WordClass::Have ||
                              waiting_.before == WordClass::Be;
            if (past) {
                scores[size_t(Reading::Past)] =
                    std::max(scores[size_t(Reading::Past)], scores[size_t(Reading::Verb)]) + 100;
            }
        }
        const QStringView key = entry.key;
        const QStringView nextKey = next != nullptr ? QStringView(next->key) : QStringView();
        const QStringList& forms = choiceForms(entry);
        for (const Collocation& collocation : kCollocations) {
            if (key == collocation.word &&
                (collocation.next.isEmpty() ? previous == collocation.previous
                                            : nextKey == collocation.next)) {
                const qsizetype index = forms.indexOf(collocation.form.toString());
                if (index >= 0 && options_.accent == Accent::British) {
                    return numberOfForm(entry, int(index));
                }
                if (index >= 0) {
                    // The American form may be missing from the entry ("used to"): the phrase's
                    // own.
                    int cached = -1;
                    return numberOfCodes(cached, collocation.form, collocation.americanForm);
                }
            }
        }
        return numberOfForm(entry, shownIndex(entry, likeliestForm(word, scores, forms)));
    }
    return entry.form;
}

void TextAnnotator::resolveWaiting(Entry* next) {
    Entry& entry = entries_[size_t(waiting_.entry)];
    const int form = chosenForm(entry, next);
    const QStringView text = waiting_.text;
    const QStringView between = waiting_.between;
    waiting_ = {};
    send(text, entry.gloss, form);
    if (!between.isEmpty()) {
        sink_->between(between);
    }
}

}  // namespace core
