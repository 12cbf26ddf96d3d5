// Turns typed text into a dictionary lookup through the component "sonabet.ipa".
#pragma once

#include <QString>

#include "services.h"

class QWidget;

namespace smart {

struct Lookup {
    QString typed;          // the text as the user typed it
    QString key;            // trimmed of U+0020 and lower-cased
    QString transcription;  // empty when the dictionary lacks the word
};

class LookupClient {
public:
    explicit LookupClient(platform::Services& services);

    static QString lookupKey(const QString& text);
    // The method that answers words of this key's initial; empty when no method does.
    static QString methodFor(const QString& key);
    static QString progId() { return QStringLiteral("sonabet.ipa"); }

    // One whole lookup: a fresh component object, the call by name, the release. When the
    // dictionary cannot be reached the answer is a miss, and the user is told once per client.
    Lookup lookup(const QString& text, QWidget* parent = nullptr);

    bool dictionaryFailed() const { return told_; }

private:
    void tellUnavailable(QWidget* parent, const QString& reason);

    platform::Services& services_;
    bool told_ = false;
};

}  // namespace smart
