// The dictionary as the text annotator asks it: an interface that tests stand in for, and the
// program's own through the lookup client.
#pragma once

#include <QString>

namespace core {

class LookupClient;

// Everything the dictionary holds on a word, from one lookup: its transcriptions in phonetic
// codes, each empty where there is none.
struct WordTranscriptions {
    QString british;
    QString american;
    // The British transcription was made by rules alone, with nothing independent to check it.
    bool uncertain = false;
};

// The dictionary as the annotator asks it: key is a word in lower case.
class WordSource {
public:
    virtual ~WordSource() = default;
    virtual WordTranscriptions transcriptions(const QString& key) = 0;
};

// The dictionary through the program's lookup client: one lookup answers both accents.
class ClientWords final : public WordSource {
public:
    explicit ClientWords(LookupClient& client) : client_(client) {}
    WordTranscriptions transcriptions(const QString& key) override;

private:
    LookupClient& client_;
};

}  // namespace core
