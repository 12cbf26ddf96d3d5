#include "textwriters.h"

#include <QColor>
#include <QTextCharFormat>
#include <algorithm>
#include <cstring>

namespace core {
namespace {

constexpr qsizetype kChunk = 64 * 1024;

// The page around the text: %1 the title, %2 the faces of the transcriptions. The body keeps
// blanks as they are.
constexpr char kPageStart[] =
    "<!DOCTYPE html>\n"
    "<html lang=\"en\">\n"
    "<head>\n"
    "<meta charset=\"utf-8\">\n"
    "<title>%1</title>\n"
    "<style>\n"
    "body { font-family: \"Times New Roman\", \"DejaVu Serif\", \"Noto Serif\", \"Noto Serif CJK "
    "SC\", \"SimSun\", serif; font-size: 14pt; line-height: 2.6; white-space: pre-wrap; }\n"
    "ruby { ruby-position: over; }\n"
    "rt { font-family: %2; font-size: 0.6em; color: #0000ff; }\n"
    "ruby.suggested rt { color: #808080; }\n"
    "</style>\n"
    "</head>\n"
    "<body>";
constexpr char kPageEnd[] = "</body>\n</html>\n";

}  // namespace

QList<Run> wordRuns(const WordSegment& word, const TextDocumentStyle& style) {
    const bool missingAsNone = style.noneForMissing && word.gloss == Gloss::Missing;
    if (!hasTranscription(word.gloss) && !missingAsNone) {
        return {{word.text.toString(), latinFont(), kBlack}};
    }
    if (word.accent == Accent::Both) {
        QList<Run> runs{{word.text.toString(), latinFont(), kBlack}};
        // Only a suggestion is to be checked in both accents, and "none" in neither.
        const Shown british{unwrappedCodes(word.codes),
                            !word.codes.isEmpty() && toBeChecked(word.gloss)};
        const Shown american{unwrappedCodes(word.american),
                             !word.american.isEmpty() && word.gloss == Gloss::Suggested};
        runs += bothRuns(british, american, style.marks, QStringLiteral("none"));
        return runs;
    }
    const MarkPair pair = marksAfterWord(style.marks);
    QList<Run> runs{{word.text.toString() + pair.opening, latinFont(), kBlack}};
    const quint32 colour = toBeChecked(word.gloss) ? kGrey : kBlue;
    runs += transcriptionRuns(missingAsNone ? QStringLiteral("none") : word.codes.toString(),
                              latinFont(), colour);
    runs.push_back({pair.closing, latinFont(), kBlack});
    return runs;
}

Run betweenRun(QStringView text) {
    return {text.toString(), latinFont(), kBlack};
}

void TextRunWriter::between(QStringView text) {
    run(betweenRun(text));
}

void TextRunWriter::word(const WordSegment& word) {
    for (const Run& piece : wordRuns(word, style_)) {
        run(piece);
    }
}

DocumentTextWriter::DocumentTextWriter(const QTextCursor& cursor, const TextDocumentStyle& style)
    : TextRunWriter(style), cursor_(cursor) {
    cursor_.beginEditBlock();
}

DocumentTextWriter::~DocumentTextWriter() {
    cursor_.endEditBlock();
}

void DocumentTextWriter::run(const Run& run) {
    QTextCharFormat format = cursor_.charFormat();
    format.setFontFamilies({run.family});
    format.setForeground(QColor::fromRgb(rgbOf(run.colour)));
    if (!run.text.contains(u'\r')) {
        cursor_.insertText(run.text, format);
        return;
    }
    QString text = run.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    cursor_.insertText(text, format);
}

RtfTextWriter::RtfTextWriter(const TextDocumentStyle& style, const QString& defaultFamily,
                             qreal pointSize)
    : TextRunWriter(style), rtf_(defaultFamily, pointSize) {}

void RtfTextWriter::run(const Run& run) {
    rtf_.append(run.text, run.family, rgbOf(run.colour));
}

Utf8TextWriter::Utf8TextWriter(ByteSink& out, Symbols symbols)
    : out_(out), symbols_(symbols), buffer_(2 * kChunk, Qt::Uninitialized) {}

char* Utf8TextWriter::room(qsizetype bytes) {
    if (used_ + bytes > buffer_.size()) {
        handOn();
        if (bytes > buffer_.size()) {
            buffer_.resize(bytes);
        }
    }
    return buffer_.data() + used_;
}

void Utf8TextWriter::put(QByteArrayView bytes) {
    char* at = room(bytes.size());
    std::memcpy(at, bytes.data(), size_t(bytes.size()));
    used_ += bytes.size();
}

void Utf8TextWriter::putUtf8(QStringView text) {
    char* at = room(encoder_.requiredSpace(text.size()));
    used_ = encoder_.appendToBuffer(at, text) - buffer_.constData();
}

void Utf8TextWriter::handOn() {
    if (used_ > 0) {
        out_.write(QByteArrayView(buffer_.constData(), used_));
        used_ = 0;
    }
}

void Utf8TextWriter::written() {
    if (used_ >= kChunk) {
        handOn();
    }
}

void Utf8TextWriter::finish() {
    handOn();
}

const QByteArray& Utf8TextWriter::ipaOf(const WordSegment& word) {
    if (size_t(word.form) >= ipa_.size()) {
        ipa_.resize(size_t(word.form) + 1);
    }
    QByteArray& ipa = ipa_[size_t(word.form)];
    if (ipa.isEmpty()) {
        ipa = word.accent == Accent::American
                  ? americanIpa(unwrappedCodes(word.codes))
                  : QByteArray::fromStdString(sonabet::notation::toUnicodeIpa(
                        unwrappedCodes(word.codes).toUtf8().toStdString(), symbols_));
    }
    return ipa;
}

// With both accents: opening, the British IPA, middle, the American IPA and closing, a
// suggestion's "?" after each of its IPA forms, a missing form written "none" as the
// document writes it. Made once for each form: a long text repeats its words.
void Utf8TextWriter::putBoth(const WordSegment& word, const char* opening, const char* middle,
                             const char* closing) {
    if (size_t(word.form) >= both_.size()) {
        both_.resize(size_t(word.form) + 1);
    }
    QByteArray& whole = both_[size_t(word.form)];
    if (whole.isEmpty()) {
        const QByteArray american = americanIpa(unwrappedCodes(word.american));
        whole = opening;
        if (word.codes.isEmpty()) {
            whole += "none";
        } else {
            whole += ipaOf(word) + (toBeChecked(word.gloss) ? "?" : "");
        }
        whole += middle;
        whole += american.isEmpty() ? QByteArray("none") : american;
        if (!american.isEmpty() && word.gloss == Gloss::Suggested) {
            whole += '?';
        }
        whole += closing;
    }
    put(whole);
}

void IpaTextWriter::between(QStringView text) {
    putUtf8(text);
    written();
}

void IpaTextWriter::word(const WordSegment& word) {
    putUtf8(word.text);
    if (hasTranscription(word.gloss) && word.accent == Accent::Both) {
        putBoth(word, " 英[", "] 美[", "]");
    } else if (hasTranscription(word.gloss)) {
        put(" [");
        put(ipaOf(word));
        put(toBeChecked(word.gloss) ? "?]" : "]");
    }
    written();
}

HtmlTextWriter::HtmlTextWriter(ByteSink& out, Symbols symbols, const QString& title)
    : Utf8TextWriter(out, symbols) {
    putUtf8(QString::fromLatin1(kPageStart).arg(title.toHtmlEscaped(), ipaFaces()));
}

// Text for HTML: the markup characters as entities, every line end a <br> (with no line end of
// its own in the page, which the blanks-keeping body would show as a second one).
void HtmlTextWriter::putHtml(QStringView text) {
    const auto isLineEnd = [](QChar c) { return c == u'\r' || c == u'\n'; };
    qsizetype start = 0;
    for (;;) {
        qsizetype end = start;
        while (end < text.size() && !isLineEnd(text[end])) {
            ++end;
        }
        const QStringView line = text.sliced(start, end - start);
        // Most pieces are plain words: they go as they are.
        if (std::any_of(line.begin(), line.end(),
                        [](QChar c) { return c == u'&' || c == u'<' || c == u'>' || c == u'"'; })) {
            putUtf8(line.toString().toHtmlEscaped());
        } else {
            putUtf8(line);
        }
        if (end == text.size()) {
            return;
        }
        put("<br>");
        start =
            end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
    }
}

void HtmlTextWriter::between(QStringView text) {
    putHtml(text);
    written();
}

void HtmlTextWriter::word(const WordSegment& word) {
    if (!hasTranscription(word.gloss)) {
        putHtml(word.text);
        written();
        return;
    }
    put(toBeChecked(word.gloss) ? "<ruby class=\"suggested\">" : "<ruby>");
    putHtml(word.text);
    if (word.accent == Accent::Both) {
        putBoth(word, "<rp> </rp><rt>英[", "] 美[", "]</rt></ruby>");
        written();
        return;
    }
    put("<rp> [</rp><rt>");
    put(ipaOf(word));
    put("</rt><rp>]</rp></ruby>");
    written();
}

void HtmlTextWriter::finish() {
    put(kPageEnd);
    Utf8TextWriter::finish();
}

}  // namespace core
