#include "batchengine.h"

#include "lookupclient.h"
#include "suggestion.h"

namespace core {

BatchEngine::BatchEngine(core::LookupClient& client, core::MissLog missLog)
    : client_(client), missLog_(std::move(missLog)) {}

RunSummary BatchEngine::run(const QStringList& lines, BatchSink& sink) {
    RunSummary summary;
    const qsizetype total = lines.size();
    for (qsizetype i = 0; i < total; ++i) {
        const QString& line = lines[i];
        if (line.isEmpty()) {
            continue;
        }
        sink.wordStarting(i, total);
        const core::Lookup lookup = client_.lookup(line);
        if (lookup.unavailable) {
            summary.dictionaryFailed = true;
            if (stopWhenDictionaryFails_) {
                summary.stopped = true;
                break;
            }
        }
        sink.wordLookedUp();
        ++summary.words;
        if (lookup.transcription.isEmpty()) {
            ++summary.missing;
            if (!missLog_.appendMiss(lookup.key)) {
                summary.missLogFailed = true;
            }
            const QString guess =
                suggestion_ != nullptr ? suggestion_->suggest(lookup.key) : QString();
            if (!guess.isEmpty()) {
                ++summary.guessed;
                sink.writeGuessedLine(lookup.key, guess);
                continue;
            }
        } else {
            ++summary.found;
            if (lookup.uncertain) {
                sink.writeGuessedLine(lookup.key, lookup.transcription);
                continue;
            }
        }
        sink.writeWord(lookup.key, lookup.transcription);
    }
    return summary;
}

}  // namespace core
