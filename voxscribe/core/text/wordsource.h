// The dictionary as the text annotator asks it: an interface that tests stand in for, and the
// program's own through the lookup client.
#pragma once

#include <QSet>
#include <QString>

namespace core {

class LookupClient;

// The dictionary as the annotator asks it.
class WordSource {
public:
    virtual ~WordSource() = default;
    // The stored transcription of key, a word in lower case (phonetic codes); empty when the
    // dictionary lacks it.
    virtual QString transcription(const QString& key) = 0;
    // Whether the stored transcription of key was made by rules alone, with nothing independent
    // to check it; asked only of a key that has one.
    virtual bool isUncertain(const QString& key) {
        Q_UNUSED(key);
        return false;
    }
    // The American transcription of key; empty when the dictionary has none.
    virtual QString americanTranscription(const QString& key) {
        Q_UNUSED(key);
        return {};
    }
};

// The dictionary through the program's lookup client.
class ClientWords final : public WordSource {
public:
    explicit ClientWords(LookupClient& client) : client_(client) {}
    QString transcription(const QString& key) override;
    bool isUncertain(const QString& key) override { return uncertain_.contains(key); }
    QString americanTranscription(const QString& key) override;

private:
    // The lookup of both accents of key, kept for the next question: the annotator asks both of
    // one word in a row, and one lookup answers both.
    void lookUp(const QString& key);

    LookupClient& client_;
    QSet<QString> uncertain_;  // the keys looked up whose transcription is marked uncertain
    QString lastKey_;
    QString lastBritish_;
    QString lastAmerican_;
    bool looked_ = false;
};

}  // namespace core
