// An annotated text written out as it is annotated: as document runs (the smart-annotation
// window's style, for a document box or an RTF stream), as plain text with Unicode IPA, or as an
// HTML page with each transcription above its word.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringEncoder>
#include <QTextCursor>
#include <vector>

#include "accent.h"
#include "annotation.h"
#include "rtfwriter.h"
#include "textannotator.h"
#include "unicodeipa.h"

namespace core {

using sonabet::notation::Symbols;

// How a text document writes its words.
struct TextDocumentStyle {
    Marks marks = Marks::SquareBrackets;
    // A word the dictionary lacks gets "none" in the phonetic face, as the smart-annotation
    // window writes a single missing word; otherwise it stands alone.
    bool noneForMissing = false;
};

// The runs of a word: the word and the opening mark (" [" or " /") in black Arial, the codes in
// the phonetic face, blue, or grey for a suggestion, and the closing mark ("]" or " /"). A word
// without a transcription is the word alone in black Arial.
QList<Run> wordRuns(const WordSegment& word, const TextDocumentStyle& style = {});

// Text between words: black Arial, as it stands.
Run betweenRun(QStringView text);

// Turns a text's pieces into document runs as they come.
class TextRunWriter : public TextSink {
public:
    explicit TextRunWriter(const TextDocumentStyle& style = {}) : style_(style) {}
    void between(QStringView text) override;
    void word(const WordSegment& word) override;

protected:
    virtual void run(const Run& run) = 0;

private:
    TextDocumentStyle style_;
};

// Puts a text's runs into a rich-text document at a cursor as they come, the way a document box
// inserts runs: each in its face and colour, in the size at the cursor, a line end (CR LF, CR or
// LF) a new paragraph. All of it is one edit, laid out once, and one step to undo.
class DocumentTextWriter final : public TextRunWriter {
public:
    explicit DocumentTextWriter(const QTextCursor& cursor, const TextDocumentStyle& style = {});
    // Ends the edit.
    ~DocumentTextWriter() override;
    DocumentTextWriter(const DocumentTextWriter&) = delete;
    DocumentTextWriter& operator=(const DocumentTextWriter&) = delete;

protected:
    void run(const Run& run) override;

private:
    QTextCursor cursor_;
};

// The RTF document of a text, written as its pieces come: the bytes a document box saves after
// DocumentTextWriter put the same pieces into it, with no document in memory.
class RtfTextWriter final : public TextRunWriter {
public:
    explicit RtfTextWriter(const TextDocumentStyle& style = {},
                           const QString& defaultFamily = latinFont(), qreal pointSize = 12);
    // The whole file; the writer is empty afterwards.
    QByteArray finish() { return rtf_.finish(); }

protected:
    void run(const Run& run) override;

private:
    RtfStream rtf_;
};

// Where a writer's bytes go, a piece at a time.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(QByteArrayView bytes) = 0;
};

// Bytes gathered in memory.
class ByteBuffer final : public ByteSink {
public:
    void write(QByteArrayView bytes) override { bytes_.append(bytes); }
    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

// The writers of UTF-8 text: they gather their output and hand it on in pieces of about 64 KiB;
// finish() hands on the rest (and what a format writes after the last word). A writer takes the
// pieces of one annotator, and converts each of its transcriptions to Unicode IPA once.
class Utf8TextWriter : public TextSink {
public:
    Utf8TextWriter(ByteSink& out, Symbols symbols);
    ~Utf8TextWriter() override = default;
    virtual void finish();

protected:
    void put(QByteArrayView bytes);
    // Text as UTF-8; an unpaired surrogate becomes U+FFFD.
    void putUtf8(QStringView text);
    // Hands the output on once there is enough of it.
    void written();
    // The Unicode IPA of a word's transcription, without the slashes that wrap several forms;
    // American codes with the classic symbols.
    const QByteArray& ipaOf(const WordSegment& word);
    void putBoth(const WordSegment& word, const char* opening, const char* middle,
                 const char* closing);

private:
    // Room for bytes more at the end of the output.
    char* room(qsizetype bytes);
    void handOn();

    ByteSink& out_;
    Symbols symbols_;
    // Each piece on its own: a surrogate a piece leaves unpaired is no waiting half of the next.
    QStringEncoder encoder_{QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
    QByteArray buffer_;  // of a fixed size, used_ bytes of it written
    qsizetype used_ = 0;
    std::vector<QByteArray> ipa_;   // by form number
    std::vector<QByteArray> both_;  // with both accents, all put after a word, by form
};

// The text as it stands, each annotated word followed by " [" and its transcription in Unicode
// IPA and "]"; a suggestion carries a "?" after its IPA ("xyzzy [ˈzɪzi?]").
class IpaTextWriter final : public Utf8TextWriter {
public:
    using Utf8TextWriter::Utf8TextWriter;
    void between(QStringView text) override;
    void word(const WordSegment& word) override;
};

// An HTML page of the text, ready to print as a handout: each transcription in small blue IPA
// above its word (ruby), a suggestion in grey; line ends and blanks kept. Where ruby is not shown
// (LibreOffice) the transcription follows its word in brackets.
class HtmlTextWriter final : public Utf8TextWriter {
public:
    // title: the page's title, as a browser shows it
    HtmlTextWriter(ByteSink& out, Symbols symbols, const QString& title);
    void between(QStringView text) override;
    void word(const WordSegment& word) override;
    void finish() override;

private:
    void putHtml(QStringView text);
};

}  // namespace core
