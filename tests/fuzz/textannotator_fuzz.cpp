// Any bytes as a text to annotate, over the real dictionary, at any reader's level: nothing
// crashes; the pieces handed on give the text back exactly; the tokenizer's words are those that
// Unicode's word boundaries alone give (it reads ASCII stretches without them); the counts add
// up; and the IPA text is the text with " [IPA]" after each annotated word and nothing else.
#include <QStringDecoder>
#include <QTextBoundaryFinder>

#include "fuzzsupport.h"
#include "lookupclient.h"
#include "textannotator.h"
#include "textwriters.h"
#include "wordlevel.h"
#include "wordlist.h"

namespace {

// Suggests the letters of every other missing word as its codes.
class Letters final : public core::Suggestion {
public:
    bool available() override { return true; }
    QString suggest(const QString& word) override {
        QString codes;
        for (QChar c : word) {
            if (c >= u'a' && c <= u'z') {
                codes += c;
            }
        }
        return word.size() % 2 == 0 ? codes : QString();
    }
};

class Collector final : public core::TextSink {
public:
    void between(QStringView text) override {
        FUZZ_CHECK(!text.isEmpty(), QString());
        pieces << text.toString();
        words << false;
        glosses << core::Gloss::Missing;
        codes << QString();
    }
    void word(const core::WordSegment& word) override {
        FUZZ_CHECK(!word.text.isEmpty(), QString());
        FUZZ_CHECK(core::hasTranscription(word.gloss) == !word.codes.isEmpty(),
                   word.text.toString());
        pieces << word.text.toString();
        words << true;
        glosses << word.gloss;
        codes << word.codes.toString();
    }
    QStringList pieces;
    QList<bool> words;
    QList<core::Gloss> glosses;
    QStringList codes;
};

// The text with each unpaired surrogate as U+FFFD, as UTF-8 output writes it.
QString paired(const QString& text) {
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (out[i].isHighSurrogate() && i + 1 < out.size() && out[i + 1].isLowSurrogate()) {
            ++i;
        } else if (out[i].isSurrogate()) {
            out[i] = QChar(QChar::ReplacementCharacter);
        }
    }
    return out;
}

bool isLatinLetter(char32_t c) {
    return QChar::isLetter(c) && QChar::script(c) == QChar::Script_Latin;
}

// The words of a text by Unicode's word boundaries over the whole text, worked out here without
// the tokenizer's code: pieces of Latin letters, combining marks and inner apostrophes, joined by
// single hyphens between them. Each as its start and length.
QList<std::pair<qsizetype, qsizetype>> referenceWords(const QString& text) {
    struct Piece {
        qsizetype start;
        qsizetype end;
        bool word;
    };
    QList<Piece> pieces;
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Word, text);
    qsizetype from = 0;
    for (qsizetype to = boundaries.toNextBoundary(); to > from; to = boundaries.toNextBoundary()) {
        bool letters = false;
        bool word = true;
        for (qsizetype i = from; i < to && word; ++i) {
            char32_t c = text[i].unicode();
            if (text[i].isHighSurrogate() && i + 1 < to && text[i + 1].isLowSurrogate()) {
                c = QChar::surrogateToUcs4(text[i], text[i + 1]);
                ++i;
            }
            if (isLatinLetter(c)) {
                letters = true;
            } else {
                word = letters && (QChar::isMark(c) || c == U'\'' || c == U'\u2019');
            }
        }
        pieces.push_back({from, to, word && letters});
        from = to;
    }
    QList<std::pair<qsizetype, qsizetype>> words;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (!pieces[i].word) {
            continue;
        }
        const qsizetype start = pieces[i].start;
        qsizetype end = pieces[i].end;
        while (i + 2 < pieces.size() && pieces[i + 1].end == end + 1 &&
               core::isJoiningHyphen(text[end]) && pieces[i + 2].word) {
            end = pieces[i + 2].end;
            i += 2;
        }
        words.push_back({start, end - start});
    }
    return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::Dictionary& dictionary = *new fuzzing::Dictionary;
    fuzzing::Bytes in(data, size);
    core::TextOptions options;
    const unsigned level = in.below(core::kReaderLevels.size() + 1);
    options.level = level == 0 ? 0 : core::kReaderLevels[level - 1];
    options.firstOnly = in.below(2) == 1;
    Letters letters;
    options.guesser = in.below(2) == 1 ? &letters : nullptr;
    const auto symbols = in.below(2) == 1 ? core::Symbols::Modern : core::Symbols::Classic;
    const core::KnownWords known({QStringLiteral("the"), QStringLiteral("study")});
    options.known = in.below(2) == 1 ? &known : nullptr;
    const QString text = core::decodeWordList(in.take(size));

    core::ClientWords words(dictionary.client);
    core::TextAnnotator annotator(words, options);
    Collector collected;
    const core::TextCounts counts = annotator.annotate(text, collected);
    FUZZ_CHECK(collected.pieces.join(QString()) == text, text);

    qsizetype wordCount = 0;
    qsizetype annotated = 0;
    qsizetype glossed[6] = {};
    for (qsizetype i = 0; i < collected.pieces.size(); ++i) {
        if (collected.words[i]) {
            ++wordCount;
            ++glossed[int(collected.glosses[i])];
            annotated += core::hasTranscription(collected.glosses[i]) ? 1 : 0;
        } else if (i > 0) {
            FUZZ_CHECK(collected.words[i - 1], collected.pieces[i]);
        }
    }
    FUZZ_CHECK(counts.words == wordCount, QString());
    FUZZ_CHECK(counts.annotated == annotated && counts.annotated == counts.found + counts.suggested,
               QString());
    FUZZ_CHECK(
        counts.found == glossed[int(core::Gloss::Found)] + glossed[int(core::Gloss::Uncertain)] &&
            counts.suggested == glossed[int(core::Gloss::Suggested)] &&
            counts.missing == glossed[int(core::Gloss::Missing)],
        QString());
    // The tokenizer's words are Unicode's.
    QList<std::pair<qsizetype, qsizetype>> tokenWords;
    for (const core::TextToken& token : core::textTokens(text)) {
        if (token.word) {
            tokenWords.push_back({token.start, token.length});
        }
    }
    FUZZ_CHECK(tokenWords == referenceWords(text), text);

    // The IPA text: each piece as it stands, an annotated word followed by its brackets.
    core::ByteBuffer out;
    core::IpaTextWriter ipa(out, symbols);
    annotator.annotate(text, ipa);
    ipa.finish();
    // A byte-order mark at the start is text here, not a mark to drop.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString written = utf8(out.bytes());
    qsizetype at = 0;
    for (qsizetype i = 0; i < collected.pieces.size(); ++i) {
        const QString piece = paired(collected.pieces[i]);
        FUZZ_CHECK(QStringView(written).sliced(at).startsWith(piece), piece);
        at += piece.size();
        if (collected.words[i] && core::hasTranscription(collected.glosses[i])) {
            FUZZ_CHECK(QStringView(written).sliced(at).startsWith(u" ["), collected.pieces[i]);
            const qsizetype close = written.indexOf(u']', at);
            FUZZ_CHECK(close > at, collected.pieces[i]);
            at = close + 1;
        }
    }
    FUZZ_CHECK(at == written.size(), written);

    core::ByteBuffer page;
    core::HtmlTextWriter html(page, symbols, text.left(20));
    annotator.annotate(text, html);
    html.finish();
    FUZZ_CHECK(page.bytes().startsWith("<!DOCTYPE html>") && page.bytes().endsWith("</html>\n"),
               QString());
    return 0;
}
