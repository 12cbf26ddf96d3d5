// Any bytes as a word list: reading never crashes, a refused file says why, and every line of an
// accepted one is accounted for, by the reader and then by a batch run over the real dictionary:
// one batch line per word, one miss-log line per word the dictionary lacks.
#include <QFile>

#include "batchengine.h"
#include "files.h"
#include "fuzzsupport.h"
#include "lookupclient.h"
#include "misslog.h"
#include "wordlist.h"

namespace {

// The pieces of text between line ends (CR LF, CR or LF), empty ones dropped, worked out here
// without the reader's code.
QStringList expectedLines(const QString& text) {
    QStringList lines;
    QString current;
    for (QChar c : text) {
        if (c == u'\r' || c == u'\n') {
            if (!current.isEmpty()) {
                lines << current;
            }
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty()) {
        lines << current;
    }
    return lines;
}

class CollectingSink final : public core::BatchSink {
public:
    void writeLine(const QString& line) override { lines << line; }
    QStringList lines;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::Dictionary& dictionary = *new fuzzing::Dictionary;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = core::decodeWordList(bytes);
    const core::WordList list = core::wordListFromText(text, QStringLiteral("list.txt"));

    if (!list.ok()) {
        FUZZ_CHECK(list.lines.isEmpty(), list.error);
        FUZZ_CHECK(list.error.contains(QStringLiteral("list.txt")), list.error);
        bool tooLong = false;
        for (const QString& line : expectedLines(text)) {
            tooLong = tooLong || line.size() > core::kMaxWordLineChars;
        }
        FUZZ_CHECK(text.contains(QChar(u'\0')) || tooLong, list.error);
        return 0;
    }
    FUZZ_CHECK(!text.contains(QChar(u'\0')), QString());
    // Valid UTF-8 without a byte-order mark is taken as it is, byte for byte.
    if (!bytes.startsWith("\xEF\xBB\xBF") && !bytes.startsWith("\xFF\xFE") &&
        !bytes.startsWith("\xFE\xFF") && QString::fromUtf8(bytes).toUtf8() == bytes) {
        FUZZ_CHECK(text == QString::fromUtf8(bytes), QString());
    }
    const QStringList expected = expectedLines(text);
    FUZZ_CHECK(list.lines == expected,
               QStringLiteral("%1 lines read, %2 expected")
                   .arg(QString::number(list.lines.size()), QString::number(expected.size())));

    const QString missLogPath = dictionary.env.dir.filePath(core::MissLog::fileName());
    QFile::remove(missLogPath);
    core::BatchEngine engine(dictionary.client, core::MissLog(missLogPath));
    CollectingSink sink;
    const core::RunSummary summary = engine.run(list.lines, sink);
    FUZZ_CHECK(!summary.dictionaryFailed && !summary.missLogFailed, QString());
    FUZZ_CHECK(summary.words == list.lines.size() && sink.lines.size() == list.lines.size(),
               QString());
    FUZZ_CHECK(summary.found + summary.missing == summary.words, QString());
    for (qsizetype i = 0; i < list.lines.size(); ++i) {
        const QString key = core::LookupClient::lookupKey(list.lines[i]);
        // A reading only rules made is written as a suggestion is, marked for checking.
        const bool uncertain = dictionary.client.lookup(list.lines[i]).uncertain;
        FUZZ_CHECK(sink.lines[i].startsWith(key + u'/') &&
                       sink.lines[i].endsWith(uncertain ? u"/?\r\n" : u"/\r\n"),
                   sink.lines[i]);
    }
    const QByteArray missLog = testing_support::readBytes(missLogPath);
    FUZZ_CHECK(missLog.count("\r\n") == summary.missing,
               QStringLiteral("%1 miss lines for %2 misses")
                   .arg(QString::number(missLog.count("\r\n")), QString::number(summary.missing)));
    return 0;
}
