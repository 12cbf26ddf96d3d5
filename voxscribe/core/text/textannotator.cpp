#include "textannotator.h"

#include <algorithm>
#include <array>

#include "annotation.h"
#include "annotatorentry.h"
#include "contextmodel.h"
#include "notation.h"
#include "wordforms.h"
#include "wordlevel.h"

namespace core {

using namespace wordforms;

QString countsSummary(const TextCounts& counts) {
    return QStringLiteral("共 %1 个单词：标注 %2 个（查到 %3 个，建议 %4 个），没找到 %5 个。")
        .arg(QString::number(counts.words), QString::number(counts.annotated),
             QString::number(counts.found), QString::number(counts.suggested),
             QString::number(counts.missing));
}

QString unwrappedCodes(QStringView codes) {
    // The runs of a transcription leave the wrapping slashes out and keep everything else.
    return textOf(transcriptionRuns(codes.toString(), QString()));
}

TextAnnotator::TextAnnotator(WordSource& words, const TextOptions& options)
    : words_(words), options_(options) {}

TextAnnotator::~TextAnnotator() = default;

int TextAnnotator::entryOf(QStringView word) {
    const size_t hash = WordIndex::hashOf(word);
    const int known = index_.find(
        word, hash, [this](int number) { return QStringView(entries_[size_t(number)].typed); });
    if (known >= 0) {
        return known;
    }
    Entry entry;
    entry.typed = word.toString();
    const QString key = levelKey(word);
    entry.key = key;
    auto identity = identities_.constFind(key);
    if (identity == identities_.cend()) {
        identity = identities_.insert(key, int(identities_.size()));
    }
    entry.identity = identity.value();
    entry.compound = isCompound(word);
    entry.knownToReader = (options_.level > 0 && withinLevel(frequencyRank(key), options_.level)) ||
                          (options_.known != nullptr && options_.known->contains(key)) ||
                          (options_.examination != nullptr && options_.examination->contains(key));
    entry.stressed = word.size() > 1 && entry.typed == entry.typed.toUpper() && key != entry.typed;
    for (qsizetype i = 0; i < qsizetype(std::size(kArticles)); ++i) {
        if (key == kArticles[i].word) {
            entry.article = int(i);
        }
    }
    for (qsizetype i = 0; i < qsizetype(std::size(kWeakForms)); ++i) {
        if (key == kWeakForms[i].word) {
            entry.weak = int(i);
        }
    }
    const ContextModel& model = ContextModel::instance();
    entry.heteronym = model.heteronym(key);
    entry.wordClass = model.wordClass(key);
    const int index = int(entries_.size());
    entries_.push_back(std::move(entry));
    index_.add(hash);
    return index;
}

WordTranscriptions TextAnnotator::transcriptionsOf(const QString& typed) {
    QString key = typed.toLower();
    key.replace(u'\u2019', u'\'');
    WordTranscriptions found = words_.transcriptions(key);
    // A possessive the dictionary lacks in an accent takes its word's form there.
    if (endsWithPossessive(key) && (found.british.isEmpty() || found.american.isEmpty())) {
        const WordTranscriptions stem = transcriptionsOf(key.chopped(2));
        if (found.british.isEmpty() && !stem.british.isEmpty()) {
            found.british = withPossessive(stem.british, false);
            found.uncertain = stem.uncertain;
        }
        if (found.american.isEmpty() && !stem.american.isEmpty()) {
            found.american = withPossessive(stem.american, true);
        }
    }
    found.uncertain = found.uncertain && !found.british.isEmpty();
    found.british = tidyTranscription(typed, found.british);
    found.american = tidyTranscription(typed, found.american);
    return found;
}

int TextAnnotator::formOf(const QString& codes, Gloss gloss, const QString& american) {
    const QChar kind = gloss == Gloss::Suggested ? u'?' : gloss == Gloss::Uncertain ? u'~' : u'=';
    const QString key = american.isEmpty() ? kind + codes : kind + codes + u'\x1f' + american;
    if (const auto found = formIndex_.constFind(key); found != formIndex_.cend()) {
        return found.value();
    }
    const int form = int(forms_.size());
    forms_.push_back(codes);
    americanForms_.push_back(american);
    formIndex_.insert(key, form);
    return form;
}

int TextAnnotator::numberOfForm(Entry& entry, int index) {
    int& number = entry.formNumbers[size_t(index)];
    if (number < 0) {
        // The American forms stand in the British forms' order; one fewer (a form American
        // English does not have) leaves the first.
        const QString american =
            entry.americanForms.isEmpty()
                ? QString()
                : entry.americanForms.value(index, entry.americanForms.front());
        number = formOf(entry.forms[index], entry.gloss, american);
    }
    return number;
}

int TextAnnotator::numberOfCodes(int& cached, QStringView british, QStringView american) {
    if (cached < 0) {
        switch (options_.accent) {
            case Accent::British:
                cached = formOf(british.toString(), Gloss::Found);
                break;
            case Accent::American:
                cached = formOf(american.toString(), Gloss::Found);
                break;
            case Accent::Both:
                cached = formOf(british.toString(), Gloss::Found, american.toString());
                break;
        }
    }
    return cached;
}

const QStringList& TextAnnotator::choiceForms(const Entry& entry) const {
    return options_.accent == Accent::American && !entry.britishForms.isEmpty() ? entry.britishForms
                                                                                : entry.forms;
}

int TextAnnotator::shownIndex(const Entry& entry, int chosen) const {
    return chosen < entry.forms.size() ? chosen : 0;
}

void TextAnnotator::lookUp(Entry& entry, bool guess) {
    const Accent accent = options_.accent;
    if (!entry.lookedUp) {
        entry.lookedUp = true;
        const WordTranscriptions found = transcriptionsOf(entry.typed);
        const bool american = accent == Accent::American;
        entry.codes = american ? found.american : found.british;
        if (!entry.codes.isEmpty()) {
            // Only British transcriptions carry the mark of doubt.
            entry.gloss = !american && found.uncertain ? Gloss::Uncertain : Gloss::Found;
            entry.sound = firstSound(entry.codes);
            // A missing American transcription tells nothing: the British one's sound.
            entry.americanSound = accent == Accent::Both && !found.american.isEmpty()
                                      ? firstSound(found.american)
                                      : entry.sound;
            entry.forms = pronunciations(entry.typed, entry.codes);
            entry.formNumbers.assign(size_t(entry.forms.size()), -1);
            if (american && entry.heteronym != nullptr && entry.forms.size() > 1) {
                entry.britishForms = pronunciations(entry.typed, found.british);
            } else if (accent == Accent::Both) {
                entry.americanForms = pronunciations(entry.typed, found.american);
            }
            const int first = firstFormOf(entry.heteronym, choiceForms(entry));
            entry.form = numberOfForm(entry, shownIndex(entry, first));
        }
    }
    if (guess && entry.codes.isEmpty() && !entry.guessed && options_.guesser != nullptr) {
        entry.guessed = true;
        // The suggestion of each accent shown, either one alone where the other has none.
        Suggestion& guesser = *options_.guesser;
        const QString british = withBritish(accent) ? guesser.suggest(entry.typed) : QString();
        const QString american =
            withAmerican(accent) ? guesser.suggestAmerican(entry.typed) : QString();
        if (!british.isEmpty() || !american.isEmpty()) {
            entry.codes = accent == Accent::American ? american : british;
            entry.gloss = Gloss::Suggested;
            entry.sound = firstSound(british.isEmpty() ? american : british);
            entry.americanSound = firstSound(american.isEmpty() ? british : american);
            entry.form = formOf(entry.codes, Gloss::Suggested,
                                accent == Accent::Both ? american : QString());
        }
    }
}

TextCounts TextAnnotator::annotate(QStringView text, TextSink& sink, Part part) {
    sink_ = &sink;
    if (part == Part::Whole) {
        counts_ = {};
        annotatedOnce_.assign(annotatedOnce_.size(), false);
    }
    before_ = beforeThat_ = WordClass::End;
    previous_ = -1;
    TextTokenizer tokenizer(text);
    TextToken token;
    while (tokenizer.next(token)) {
        const QStringView piece = text.sliced(token.start, token.length);
        if (token.word) {
            wordToken(piece);
        } else {
            emitBetween(piece);
        }
    }
    if (waiting_.entry >= 0) {
        resolveWaiting(nullptr);
    }
    sink_ = nullptr;
    return counts_;
}

void TextAnnotator::wordToken(QStringView word) {
    const int index = entryOf(word);
    Entry& entry = entries_[size_t(index)];
    if (entry.compound && !entry.knownToReader) {
        lookUp(entry, false);
        if (entry.codes.isEmpty()) {
            // Not in the dictionary as a whole: each part is a word of its own.
            qsizetype start = 0;
            for (qsizetype i = 0; i <= word.size(); ++i) {
                if (i == word.size() || isJoiningHyphen(word[i])) {
                    if (i > start) {
                        emitWord(word.sliced(start, i - start),
                                 entryOf(word.sliced(start, i - start)));
                    }
                    if (i < word.size()) {
                        emitBetween(word.sliced(i, 1));
                    }
                    start = i + 1;
                }
            }
            return;
        }
    }
    emitWord(word, index);
}

void TextAnnotator::emitWord(QStringView text, int index) {
    Entry& entry = entries_[size_t(index)];
    ++counts_.words;
    if (waiting_.entry >= 0) {
        resolveWaiting(&entry);
    }
    const WordClass before = before_;
    const WordClass beforeThat = beforeThat_;
    const int previous = previous_;
    beforeThat_ = before_;
    before_ = entry.wordClass;
    previous_ = index;
    if (entry.knownToReader) {
        send(text, Gloss::BelowLevel, -1);
        return;
    }
    if (size_t(entry.identity) >= annotatedOnce_.size()) {
        annotatedOnce_.resize(size_t(entry.identity) + 1, false);
    }
    if (options_.firstOnly && annotatedOnce_[size_t(entry.identity)]) {
        send(text, Gloss::Repeated, -1);
        return;
    }
    annotatedOnce_[size_t(entry.identity)] = true;
    lookUp(entry, true);
    switch (entry.gloss) {
        case Gloss::Found:
        case Gloss::Uncertain:
            ++counts_.found;
            ++counts_.annotated;
            break;
        case Gloss::Suggested:
            ++counts_.suggested;
            ++counts_.annotated;
            break;
        default:
            ++counts_.missing;
            break;
    }
    const bool waits = entry.article >= 0 || (entry.weak >= 0 && options_.weakForms) ||
                       (entry.heteronym != nullptr && entry.forms.size() > 1) || entry.weak == kTo;
    if ((entry.gloss == Gloss::Found || entry.gloss == Gloss::Uncertain) && waits) {
        waiting_ = {index, text, {}, before, beforeThat, previous};
        return;
    }
    send(text, entry.gloss, entry.form);
}

void TextAnnotator::emitBetween(QStringView text) {
    const bool phrase = keepsPhrase(text);
    if (!phrase) {
        before_ = beforeThat_ = WordClass::End;
        previous_ = -1;
    }
    if (waiting_.entry >= 0) {
        if (phrase) {
            // The pieces after a word follow one another in the text: one view holds them all.
            waiting_.between =
                waiting_.between.isEmpty()
                    ? text
                    : QStringView(waiting_.between.data(),
                                  text.data() + text.size() - waiting_.between.data());
            return;
        }
        resolveWaiting(nullptr);
    }
    sink_->between(text);
}

void TextAnnotator::send(QStringView text, Gloss gloss, int form) {
    WordSegment segment{text, gloss, {}, -1, options_.accent, {}};
    if (hasTranscription(gloss)) {
        segment.codes = forms_[size_t(form)];
        segment.american = americanForms_[size_t(form)];
        segment.form = form;
    }
    sink_->word(segment);
}

}  // namespace core
