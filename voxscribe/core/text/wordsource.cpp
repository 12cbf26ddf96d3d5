#include "wordsource.h"

#include "lookupclient.h"

namespace core {

QString ClientWords::transcription(const QString& key) {
    Lookup found = client_.lookup(key);
    if (found.uncertain) {
        uncertain_.insert(key);
    }
    return std::move(found.transcription);
}

QString ClientWords::americanTranscription(const QString& key) {
    return client_.lookupAmerican(key).transcription;
}

}  // namespace core
