#include "wordsource.h"

#include "lookupclient.h"

namespace core {

void ClientWords::lookUp(const QString& key) {
    if (looked_ && key == lastKey_) {
        return;
    }
    LookupClient::BothLookup both = client_.lookupBoth(key);
    if (both.british.uncertain) {
        uncertain_.insert(key);
    }
    lastKey_ = key;
    lastBritish_ = std::move(both.british.transcription);
    lastAmerican_ = std::move(both.american);
    // A dictionary out of reach now may be back at the next question.
    looked_ = !both.british.unavailable;
}

QString ClientWords::transcription(const QString& key) {
    lookUp(key);
    return lastBritish_;
}

QString ClientWords::americanTranscription(const QString& key) {
    lookUp(key);
    return lastAmerican_;
}

}  // namespace core
