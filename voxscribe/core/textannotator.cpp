#include "textannotator.h"

#include <bit>

#include "annotation.h"
#include "lookupclient.h"
#include "wordlevel.h"

namespace core {
namespace {

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

// The codes a transcription may begin with that are vowels; "/" is the ε of "/E" once the
// wrapping slashes are gone.
constexpr QStringView kVowelCodes = u"ieAEQaRCuoB/Z";
// What may stand before a transcription's first sound: blanks, stress marks, brackets.
constexpr QStringView kBeforeSound = u" 5,7()";

Sound firstSound(QStringView codes) {
    const QString bare = unwrappedCodes(codes);
    for (const QChar c : bare) {
        if (kBeforeSound.contains(c)) {
            continue;
        }
        if (kVowelCodes.contains(c)) {
            return Sound::Vowel;
        }
        return c.isLetter() ? Sound::Consonant : Sound::Unknown;
    }
    return Sound::Unknown;
}

// Whether the text between an article and the next word lets the word choose the article's form:
// blanks, opening quotes and brackets do; a line end or any other punctuation ends the phrase.
bool keepsPhrase(QStringView between) {
    for (const QChar c : between) {
        const QChar::Category category = c.category();
        const bool opening = c == u'"' || c == u'\'' || category == QChar::Punctuation_Open ||
                             category == QChar::Punctuation_InitialQuote;
        if (!(c == u' ' || c == u'\t' || c == u'\u00A0' || opening)) {
            return false;
        }
    }
    return true;
}

// The ending of a possessive by the word's final sound: iz after a hissing sound (tF and dV end
// in one), s after another voiceless one, z otherwise ("danger" 5deindVE ends in a schwa).
QStringView possessiveEnding(QStringView form) {
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

QString withPossessive(const QString& codes) {
    const QString bare = unwrappedCodes(codes);
    const bool wrapped = bare.size() != codes.size();
    QStringList forms;
    for (const QStringView form : QStringView(bare).split(u", ")) {
        forms << form.toString() + possessiveEnding(form).toString();
    }
    const QString joined = forms.join(u", ");
    return wrapped ? QStringLiteral("/") + joined + u'/' : joined;
}

bool endsWithPossessive(QStringView word) {
    return word.size() > 2 && isApostrophe(word[word.size() - 2]) &&
           (word.back() == u's' || word.back() == u'S');
}

bool isCompound(QStringView word) {
    for (const QChar c : word) {
        if (isJoiningHyphen(c)) {
            return true;
        }
    }
    return false;
}

}  // namespace

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

QString ClientWords::transcription(const QString& key) {
    return client_.lookup(key).transcription;
}

struct TextAnnotator::Entry {
    QString typed;
    int identity = 0;
    bool compound = false;
    bool knownToReader = false;
    int article = -1;  // in kArticles
    bool lookedUp = false;
    bool guessed = false;
    QString codes;
    Gloss gloss = Gloss::Missing;
    int form = -1;
    int beforeConsonant = -1;  // an article's forms by the next word
    int beforeVowel = -1;
};

TextAnnotator::TextAnnotator(WordSource& words, const TextOptions& options)
    : words_(words), options_(options) {}

TextAnnotator::~TextAnnotator() = default;

int TextAnnotator::entryOf(QStringView word) {
    const size_t hash = qHash(word);
    if (!slots_.empty()) {
        const size_t mask = slots_.size() - 1;
        for (size_t slot = hash & mask; slots_[slot].second != 0; slot = (slot + 1) & mask) {
            if (slots_[slot].first == hash) {
                const int index = slots_[slot].second - 1;
                if (QStringView(entries_[size_t(index)].typed) == word) {
                    return index;
                }
            }
        }
    }
    Entry entry;
    entry.typed = word.toString();
    const QString key = levelKey(word);
    auto identity = identities_.constFind(key);
    if (identity == identities_.cend()) {
        identity = identities_.insert(key, int(identities_.size()));
    }
    entry.identity = identity.value();
    entry.compound = isCompound(word);
    entry.knownToReader = (options_.level > 0 && withinLevel(frequencyRank(key), options_.level)) ||
                          (options_.known != nullptr && options_.known->contains(key));
    for (qsizetype i = 0; i < qsizetype(std::size(kArticles)); ++i) {
        if (key == kArticles[i].word) {
            entry.article = int(i);
        }
    }
    const int index = int(entries_.size());
    entries_.push_back(std::move(entry));
    // At most half the slots in use keeps the probes short.
    if (2 * entries_.size() > slots_.size()) {
        const std::vector<std::pair<size_t, int>> old =
            std::exchange(slots_, std::vector<std::pair<size_t, int>>(
                                      std::bit_ceil(std::max<size_t>(1024, 4 * entries_.size()))));
        for (const auto& [oldHash, number] : old) {
            if (number != 0) {
                place(oldHash, number);
            }
        }
    }
    place(hash, index + 1);
    return index;
}

void TextAnnotator::place(size_t hash, int number) {
    const size_t mask = slots_.size() - 1;
    size_t slot = hash & mask;
    while (slots_[slot].second != 0) {
        slot = (slot + 1) & mask;
    }
    slots_[slot] = {hash, number};
}

QString TextAnnotator::dictionaryCodes(const QString& typed) {
    QString key = typed;
    key.replace(u'\u2019', u'\'');
    QString codes = words_.transcription(key);
    if (codes.isEmpty()) {
        const QString lower = key.toLower();
        if (lower != key) {
            codes = words_.transcription(lower);
        }
    }
    if (codes.isEmpty() && endsWithPossessive(key)) {
        const QString stem = dictionaryCodes(key.chopped(2));
        if (!stem.isEmpty()) {
            codes = withPossessive(stem);
        }
    }
    return codes;
}

int TextAnnotator::formOf(const QString& codes, Gloss gloss) {
    const QString key = (gloss == Gloss::Suggested ? u'?' : u'=') + codes;
    if (const auto found = formIndex_.constFind(key); found != formIndex_.cend()) {
        return found.value();
    }
    const int form = int(forms_.size());
    forms_.push_back(codes);
    formIndex_.insert(key, form);
    return form;
}

void TextAnnotator::lookUp(Entry& entry, bool guess) {
    if (!entry.lookedUp) {
        entry.lookedUp = true;
        entry.codes = dictionaryCodes(entry.typed);
        if (!entry.codes.isEmpty()) {
            entry.gloss = Gloss::Found;
            entry.form = formOf(entry.codes, Gloss::Found);
        }
    }
    if (guess && entry.codes.isEmpty() && !entry.guessed && options_.guesser != nullptr) {
        entry.guessed = true;
        entry.codes = options_.guesser->suggest(entry.typed);
        if (!entry.codes.isEmpty()) {
            entry.gloss = Gloss::Suggested;
            entry.form = formOf(entry.codes, Gloss::Suggested);
        }
    }
}

TextCounts TextAnnotator::annotate(QStringView text, TextSink& sink, Part part) {
    sink_ = &sink;
    if (part == Part::Whole) {
        counts_ = {};
        annotatedOnce_.assign(annotatedOnce_.size(), false);
    }
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
    if (entry.gloss == Gloss::Found && entry.article >= 0) {
        waiting_.entry = index;
        waiting_.text = text;
        return;
    }
    send(text, entry.gloss, entry.form);
}

void TextAnnotator::emitBetween(QStringView text) {
    if (waiting_.entry >= 0) {
        if (keepsPhrase(text)) {
            waiting_.between.push_back(text);
            return;
        }
        resolveWaiting(nullptr);
    }
    sink_->between(text);
}

void TextAnnotator::resolveWaiting(Entry* next) {
    Entry& article = entries_[size_t(waiting_.entry)];
    Sound sound = Sound::Unknown;
    if (next != nullptr) {
        lookUp(*next, false);
        sound = firstSound(next->codes);
    }
    const Article& forms = kArticles[article.article];
    int form = article.form;
    if (sound == Sound::Consonant && !forms.beforeConsonant.isEmpty()) {
        if (article.beforeConsonant < 0) {
            article.beforeConsonant = formOf(forms.beforeConsonant.toString(), Gloss::Found);
        }
        form = article.beforeConsonant;
    } else if (sound == Sound::Vowel && !forms.beforeVowel.isEmpty()) {
        if (article.beforeVowel < 0) {
            article.beforeVowel = formOf(forms.beforeVowel.toString(), Gloss::Found);
        }
        form = article.beforeVowel;
    }
    const QStringView text = waiting_.text;
    const QList<QStringView> between = std::move(waiting_.between);
    waiting_ = {};
    send(text, Gloss::Found, form);
    for (const QStringView piece : between) {
        sink_->between(piece);
    }
}

void TextAnnotator::send(QStringView text, Gloss gloss, int form) {
    WordSegment segment{text, gloss, {}, -1};
    if (hasTranscription(gloss)) {
        segment.codes = forms_[size_t(form)];
        segment.form = form;
    }
    sink_->word(segment);
}

namespace {

class Collector final : public TextSink {
public:
    void between(QStringView text) override {
        if (!segments.isEmpty() && !segments.back().isWord) {
            segments.back().text += text;
            return;
        }
        segments.push_back({text.toString(), false, Gloss::Missing, {}});
    }
    void word(const WordSegment& word) override {
        segments.push_back({word.text.toString(), true, word.gloss, word.codes.toString()});
    }
    QList<TextSegment> segments;
};

}  // namespace

TextAnnotation annotateText(TextAnnotator& annotator, QStringView text) {
    Collector collector;
    const TextCounts counts = annotator.annotate(text, collector);
    return {std::move(collector.segments), counts};
}

TextAnnotation annotateText(QStringView text, WordSource& words, const TextOptions& options) {
    TextAnnotator annotator(words, options);
    return annotateText(annotator, text);
}

}  // namespace core
