// The batch run: every line of a word list looked up in the dictionary and written out as
// "key/transcription/" with CR LF; words the dictionary lacks go to the miss log.
#pragma once

#include <QString>
#include <QStringList>

#include "accent.h"
#include "annotation.h"
#include "misslog.h"

namespace core {

class LookupClient;
struct Lookup;
class Suggestion;

// The default format of the batch document: the batch window's document box and the RTF file of
// the command line both start from this face and size.
inline QString batchDocumentFont() {
    return phoneticFont();
}
constexpr qreal kBatchPointSize = 12;

// Where a run's output goes and what happens around each word.
class BatchSink {
public:
    virtual ~BatchSink() = default;
    // Before the lookup of the word at index (0-based) of total.
    virtual void wordStarting(qsizetype index, qsizetype total) {
        Q_UNUSED(index);
        Q_UNUSED(total);
    }
    // After the lookup, before the output.
    virtual void wordLookedUp() {}
    // One word's output; transcription is empty when the dictionary lacks the word. By default
    // the batch line as plain text, with the placeholder for a missing word.
    virtual void writeWord(const QString& key, const QString& transcription) {
        writeLine(batchLineText(key, transcription.isEmpty() ? placeholder() : transcription));
    }
    // A batch line as plain text, CR LF included; a sink that writes every word itself has
    // none.
    virtual void writeLine(const QString& line) { Q_UNUSED(line); }
    // A word the dictionary lacks, with a suggested transcription instead of the placeholder.
    virtual void writeGuessedLine(const QString& key, const QString& codes) {
        writeLine(guessedBatchLineText(key, codes));
    }
    // With both accents: a word's British and American transcriptions, either empty when
    // missing. By default the line as plain text.
    virtual void writeBoth(const QString& key, const Shown& british, const Shown& american) {
        writeLine(bothBatchLineText(key, british, american));
    }
};

struct RunSummary {
    qsizetype words = 0;
    qsizetype found = 0;
    qsizetype missing = 0;
    qsizetype guessed = 0;          // of the missing words, those written with a suggestion
    bool missLogFailed = false;     // at least one miss line could not be written
    bool dictionaryFailed = false;  // the dictionary could not be reached (every word a miss)
    bool stopped = false;           // the run ended early because the dictionary failed
};

class BatchEngine {
public:
    BatchEngine(core::LookupClient& client, core::MissLog missLog);

    // Stop before the first output when the dictionary cannot be reached, instead of writing
    // every word as a miss. Scripts want that; the window goes on, as its message says.
    void setStopWhenDictionaryFails(bool stop) { stopWhenDictionaryFails_ = stop; }

    // Writes a missing word with its suggested transcription where there is one; the word still
    // goes to the miss log.
    void setSuggestion(core::Suggestion* suggestion) { suggestion_ = suggestion; }

    // The transcriptions written; British by default. An American one the dictionary lacks
    // counts as a miss and takes the suggestion, as a British one does.
    void setAccent(Accent accent) { accent_ = accent; }

    // One lookup per line (with a fresh dictionary object each), then the batch line. Lines that
    // are exactly empty produce nothing.
    RunSummary run(const QStringList& lines, BatchSink& sink);

private:
    Lookup bothOf(const QString& line, QString& american);

    core::LookupClient& client_;
    core::MissLog missLog_;
    bool stopWhenDictionaryFails_ = false;
    core::Suggestion* suggestion_ = nullptr;
    Accent accent_ = Accent::British;
};

}  // namespace core
