#include "batchengine.h"

#include "lookupclient.h"
#include "suggestion.h"

namespace core {

BatchEngine::BatchEngine(core::LookupClient& client, core::MissLog missLog)
    : client_(client), missLog_(std::move(missLog)) {}

Lookup BatchEngine::bothOf(const QString& line, QString& american) {
    LookupClient::BothLookup both = client_.lookupBoth(line);
    american = std::move(both.american);
    return std::move(both.british);
}

RunSummary BatchEngine::run(const QStringList& lines, BatchSink& sink) {
    RunSummary summary;
    const qsizetype total = lines.size();
    for (qsizetype i = 0; i < total; ++i) {
        const QString& line = lines[i];
        if (line.isEmpty()) {
            continue;
        }
        sink.wordStarting(i, total);
        // With both, one lookup asks for the two transcriptions.
        QString american;
        const core::Lookup lookup = accent_ == Accent::American ? client_.lookupAmerican(line)
                                    : accent_ == Accent::Both   ? bothOf(line, american)
                                                                : client_.lookup(line);
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
            // A suggestion in each accent written.
            QString guess;
            QString americanGuess;
            if (suggestion_ != nullptr) {
                if (accent_ != Accent::American) {
                    guess = suggestion_->suggest(lookup.key);
                }
                if (accent_ != Accent::British) {
                    americanGuess = suggestion_->suggestAmerican(lookup.key);
                }
            }
            if (!guess.isEmpty() || !americanGuess.isEmpty()) {
                ++summary.guessed;
                if (accent_ == Accent::Both) {
                    sink.writeBoth(lookup.key, {guess, !guess.isEmpty()},
                                   {americanGuess, !americanGuess.isEmpty()});
                } else {
                    sink.writeGuessedLine(lookup.key,
                                          accent_ == Accent::American ? americanGuess : guess);
                }
                continue;
            }
        } else {
            ++summary.found;
            if (accent_ == Accent::Both) {
                sink.writeBoth(lookup.key, {lookup.transcription, lookup.uncertain},
                               {american, false});
                continue;
            }
            if (lookup.uncertain) {
                sink.writeGuessedLine(lookup.key, lookup.transcription);
                continue;
            }
        }
        if (accent_ == Accent::Both) {
            sink.writeBoth(lookup.key, {}, {});
            continue;
        }
        sink.writeWord(lookup.key, lookup.transcription);
    }
    return summary;
}

}  // namespace core
