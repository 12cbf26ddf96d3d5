#include "textwriters.h"

#include <QColor>
#include <QTextCharFormat>
#include <cstring>

namespace core {
namespace {

constexpr qsizetype kChunk = 64 * 1024;

// The page around the text. The body keeps blanks as they are; the transcriptions take a face
// that has the IPA symbols, the first of these the machine has.
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
    "rt { font-family: \"Charis SIL\", \"Doulos SIL\", \"Gentium Plus\", \"DejaVu Sans\", "
    "\"Noto Sans\", \"Lucida Sans Unicode\", \"Arial Unicode MS\", sans-serif; font-size: 0.6em; "
    "color: #0000ff; }\n"
    "ruby.suggested rt { color: #808080; }\n"
    "</style>\n"
    "</head>\n"
    "<body>";
constexpr char kPageEnd[] = "</body>\n</html>\n";

// UTF-8 of text at out, which has room for three bytes a UTF-16 unit; the end of what was written.
char* encodeUtf8(char* out, QStringView text) {
    const char16_t* data = text.utf16();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        char32_t c = data[i];
        if (c < 0x80) {
            *out++ = char(c);
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(data[i + 1])) {
            c = QChar::surrogateToUcs4(char16_t(c), data[++i]);
        } else if (QChar::isSurrogate(c)) {
            c = 0xFFFD;
        }
        if (c < 0x800) {
            *out++ = char(0xC0 | (c >> 6));
        } else if (c < 0x10000) {
            *out++ = char(0xE0 | (c >> 12));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
        } else {
            *out++ = char(0xF0 | (c >> 18));
            *out++ = char(0x80 | ((c >> 12) & 0x3F));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
        }
        *out++ = char(0x80 | (c & 0x3F));
    }
    return out;
}

}  // namespace

QList<Run> wordRuns(const WordSegment& word, const TextDocumentStyle& style) {
    const bool missingAsNone = style.noneForMissing && word.gloss == Gloss::Missing;
    if (!hasTranscription(word.gloss) && !missingAsNone) {
        return {{word.text.toString(), latinFont(), kBlack}};
    }
    if (word.accent == Accent::Both) {
        QList<Run> runs{{word.text.toString(), latinFont(), kBlack}};
        const Shown british{unwrappedCodes(word.codes), toBeChecked(word.gloss)};
        runs += bothRuns(british, {unwrappedCodes(word.american), false}, style.marks,
                         QStringLiteral("none"));
        return runs;
    }
    const bool brackets = style.marks == Marks::SquareBrackets;
    const QString opening = brackets ? QStringLiteral(" [") : QStringLiteral(" /");
    QList<Run> runs{{word.text.toString() + opening, latinFont(), kBlack}};
    const quint32 colour = toBeChecked(word.gloss) ? kGrey : kBlue;
    runs += transcriptionRuns(missingAsNone ? QStringLiteral("none") : word.codes.toString(),
                              latinFont(), colour);
    runs.push_back({brackets ? QStringLiteral("]") : QStringLiteral(" /"), latinFont(), kBlack});
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
    char* at = room(text.size() * 3);
    used_ = encodeUtf8(at, text) - buffer_.constData();
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

const QByteArray& Utf8TextWriter::americanIpaOf(const WordSegment& word) {
    if (size_t(word.form) >= americanIpa_.size()) {
        americanIpa_.resize(size_t(word.form) + 1);
    }
    QByteArray& ipa = americanIpa_[size_t(word.form)];
    if (ipa.isEmpty() && !word.american.isEmpty()) {
        ipa = americanIpa(unwrappedCodes(word.american));
    }
    return ipa;
}

// With both accents: " 英[" british "] 美[" american "]", a suggestion's "?" after its IPA, a
// missing American form written "none" as the document writes it.
void Utf8TextWriter::putBoth(const WordSegment& word, const char* opening, const char* middle,
                             const char* closing) {
    put(opening);
    put(ipaOf(word));
    if (toBeChecked(word.gloss)) {
        put("?");
    }
    put(middle);
    const QByteArray& american = americanIpaOf(word);
    put(american.isEmpty() ? QByteArrayView("none") : QByteArrayView(american));
    put(closing);
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
    const QByteArray page(kPageStart);
    const qsizetype at = page.indexOf("%1");
    put(QByteArrayView(page).first(at));
    putHtml(title);
    put(QByteArrayView(page).sliced(at + 2));
}

// Text for HTML: the markup characters as entities, every line end a <br> (with no line end of
// its own in the page, which the blanks-keeping body would show as a second one).
void HtmlTextWriter::putHtml(QStringView text) {
    qsizetype start = 0;
    const auto replace = [&](qsizetype at, qsizetype length, const char* with) {
        putUtf8(text.sliced(start, at - start));
        put(with);
        start = at + length;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        switch (text[i].unicode()) {
            case u'&':
                replace(i, 1, "&amp;");
                break;
            case u'<':
                replace(i, 1, "&lt;");
                break;
            case u'>':
                replace(i, 1, "&gt;");
                break;
            case u'\r':
                if (i + 1 < text.size() && text[i + 1] == u'\n') {
                    replace(i, 2, "<br>");
                    ++i;
                } else {
                    replace(i, 1, "<br>");
                }
                break;
            case u'\n':
                replace(i, 1, "<br>");
                break;
            default:
                break;
        }
    }
    putUtf8(text.sliced(start));
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
