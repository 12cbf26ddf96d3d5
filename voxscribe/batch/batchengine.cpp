#include "batchengine.h"

#include "lookupclient.h"

namespace batch {

QString batchLine(const QString& key, const QString& transcription) {
    return key + u'/' + transcription + QStringLiteral("/\r\n");
}

BatchEngine::BatchEngine(smart::LookupClient& client, smart::MissLog missLog)
    : client_(client), missLog_(std::move(missLog)) {}

RunSummary BatchEngine::run(const QStringList& lines, BatchSink& sink, QWidget* messageParent) {
    RunSummary summary;
    const qsizetype total = lines.size();
    for (qsizetype i = 0; i < total; ++i) {
        const QString& line = lines[i];
        if (line.isEmpty()) {
            continue;
        }
        sink.wordStarting(i, total);
        const smart::Lookup lookup = client_.lookup(line, messageParent);
        if (lookup.unavailable) {
            summary.dictionaryFailed = true;
            if (stopWhenDictionaryFails_) {
                summary.stopped = true;
                break;
            }
        }
        sink.wordLookedUp();
        ++summary.words;
        QString transcription = lookup.transcription;
        if (transcription.isEmpty()) {
            ++summary.missing;
            if (!missLog_.appendMiss(lookup.key)) {
                summary.missLogFailed = true;
            }
            transcription = placeholder();
        } else {
            ++summary.found;
        }
        sink.writeLine(batchLine(lookup.key, transcription));
    }
    return summary;
}

}  // namespace batch
