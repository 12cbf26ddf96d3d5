#include "wordsource.h"

#include "lookupclient.h"

namespace core {

WordTranscriptions ClientWords::transcriptions(const QString& key) {
    LookupClient::BothLookup both = client_.lookupBoth(key);
    return {std::move(both.british.transcription), std::move(both.american),
            both.british.uncertain};
}

}  // namespace core
