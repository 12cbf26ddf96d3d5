// Turns typed text into a dictionary lookup through the component "sonabet.ipa".
#pragma once

#include <QString>

#include "ipa.h"
#include "services.h"

namespace core {

struct Lookup {
    QString key;               // trimmed of U+0020 and lower-cased
    QString transcription;     // empty when the dictionary lacks the word
    bool unavailable = false;  // the dictionary could not be reached for this lookup
    // Only rules made the transcription and nothing independent checked it: shown as a
    // suggestion is, for a teacher to check.
    bool uncertain = false;
};

class LookupClient {
public:
    explicit LookupClient(platform::Services& services);

    static QString lookupKey(const QString& text);
    static QString progId() { return QString::fromLatin1(sonabet::kProgId); }

    // One whole lookup: a fresh component object, the call by name, the release. When the
    // dictionary cannot be reached the answer is a miss marked unavailable, and the user is told
    // in a message box over the window in front.
    Lookup lookup(const QString& text);
    // The same lookup for the American transcription of the word.
    Lookup lookupAmerican(const QString& text);
    // Both in one lookup, one object asked for each: the British lookup and the American
    // transcription (empty where the dictionary has none, and for a word it lacks).
    struct BothLookup {
        Lookup british;
        QString american;
    };
    BothLookup lookupBoth(const QString& text);

    // Whether the user has been told that the dictionary cannot be reached. The program shares
    // one client among its windows, so the message comes once however many windows look up and
    // however many words a batch holds; a lookup that reaches the dictionary again ends it, and a
    // later failure is told anew.
    bool toldUnavailable() const { return toldUnavailable_; }

private:
    enum class Wanted { British, American, Both };

    static QStringView methodViewFor(const QString& key);
    // One whole lookup: the dictionary is asked everything on the word in one call, or, for the
    // American transcription alone and where it lacks that call, method by method.
    BothLookup ask(const QString& text, Wanted wanted);
    // What is wanted, method by method: the British transcription with its mark, the American
    // one with it where both are wanted, or the American one alone.
    void askByMethods(const platform::DispatchObject& object, Wanted wanted, BothLookup& both);
    void tellUnavailable(const QString& reason);

    platform::Services& services_;
    bool toldUnavailable_ = false;
};

}  // namespace core
