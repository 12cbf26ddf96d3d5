#include "batchoutput.h"

#include <QStringEncoder>

#include "annotation.h"
#include "rtfwriter.h"
#include "streamedoutput.h"
#include "unicodeipa.h"

namespace core {
namespace {

// The batch lines as plain text, one a line with the platform's line end.
class LinesOutput final : public BatchOutput {
public:
    explicit LinesOutput(QString path) : out_(std::move(path)) {}
    void writeLine(const QString& line) override {
        // Every batch line ends in CR LF.
        const QStringView text = QStringView(line).chopped(2);
        QByteArray& out = out_.pending();
        const qsizetype at = out.size();
        // Written in place as UTF-8: the labels of both accents are on every line of a long
        // list.
        out.resize(at + encoder_.requiredSpace(text.size()) + 1);
        char* end = encoder_.appendToBuffer(out.data() + at, text);
        *end++ = '\n';
        out.truncate(end - out.constData());
        out_.written();
    }
    bool finish(QString* error) override { return out_.finish(error); }

private:
    StreamedOutput out_;
    QStringEncoder encoder_{QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
};

// One line per word: the word, a tab and its transcription in Unicode IPA (empty when the
// dictionary lacks the word), for readers without the phonetic font.
class IpaOutput final : public BatchOutput {
public:
    IpaOutput(QString path, sonabet::notation::Symbols symbols)
        : out_(std::move(path)), symbols_(symbols) {}
    void writeWord(const QString& key, const QString& transcription) override {
        writeIpa(key, transcription, "\n");
    }
    // A suggestion carries a "?" after its IPA, so that a reader can tell.
    void writeGuessedLine(const QString& key, const QString& codes) override {
        writeIpa(key, codes, "?\n");
    }
    // Both accents: the word, the British IPA and the American IPA, tab-separated.
    void writeBoth(const QString& key, const Shown& british, const Shown& american) override {
        out_.put(key.toUtf8() + '\t' +
                 QByteArray::fromStdString(sonabet::notation::toUnicodeIpa(
                     british.codes.toUtf8().toStdString(), symbols_)) +
                 (british.toCheck ? "?\t" : "\t") + americanIpa(american.codes) +
                 (american.toCheck ? "?\n" : "\n"));
    }
    bool finish(QString* error) override { return out_.finish(error); }

private:
    void writeIpa(const QString& key, const QString& codes, const char* end) {
        out_.put(key.toUtf8() + '\t' +
                 QByteArray::fromStdString(
                     sonabet::notation::toUnicodeIpa(codes.toUtf8().toStdString(), symbols_)) +
                 end);
    }
    StreamedOutput out_;
    sonabet::notation::Symbols symbols_;
};

// The RTF document that the batch window would save after annotating the same list, written
// straight from the lines: no document is built, so a long list needs little memory and no
// graphical session.
class RtfOutput final : public BatchOutput {
public:
    explicit RtfOutput(QString path)
        : out_(std::move(path)), rtf_(batchDocumentFont(), kBatchPointSize) {}
    void writeWord(const QString& key, const QString& transcription) override {
        write(batchLine(key, transcription));
    }
    void writeGuessedLine(const QString& key, const QString& codes) override {
        write(guessedBatchLine(key, codes));
    }
    void writeBoth(const QString& key, const Shown& british, const Shown& american) override {
        write(bothBatchLine(key, british, american));
    }
    bool finish(QString* error) override {
        out_.put(rtf_.finish());
        return out_.finish(error);
    }

private:
    void write(const QList<Run>& runs) {
        for (const Run& run : runs) {
            rtf_.append(run.text, run.family, rgbOf(run.colour));
        }
    }
    StreamedOutput out_;
    RtfStream rtf_;
};

}  // namespace

std::unique_ptr<BatchOutput> batchOutput(BatchFormat format, const QString& path,
                                         sonabet::notation::Symbols symbols) {
    switch (format) {
        case BatchFormat::Ipa:
            return std::make_unique<IpaOutput>(path, symbols);
        case BatchFormat::Rtf:
            return std::make_unique<RtfOutput>(path);
        case BatchFormat::Lines:
            break;
    }
    return std::make_unique<LinesOutput>(path);
}

}  // namespace core
