// Any text typed into an entry box: the lookup client never crashes, forms a key with no blanks at
// either end and no capital ASCII letter, and answers the same with blanks around the text; a
// found transcription holds only what a stored transcription may: the codes and marks, the
// punctuation of its written forms and the full-width comma ("get up").
#include "fuzzsupport.h"
#include "lookupclient.h"
#include "notation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzzing::Dictionary& lookup = *new fuzzing::Dictionary;
    fuzzing::Bytes in(data, size);
    // Half the inputs as UTF-8, half as raw UTF-16 units (lone surrogates included).
    const QString typed = in.below(2) == 0 ? QString::fromUtf8(in.take(size)) : in.units(size);

    const core::Lookup found = lookup.client.lookup(typed);
    FUZZ_CHECK(!found.unavailable, typed);
    FUZZ_CHECK(lookup.env.user.messages == 0, typed);
    FUZZ_CHECK(!found.key.startsWith(u' ') && !found.key.endsWith(u' '), found.key);
    for (QChar c : found.key) {
        FUZZ_CHECK(c < u'A' || c > u'Z', found.key);
    }
    // The dictionary's methods answer keys that begin with an ASCII letter, and only those.
    if (found.key.isEmpty() || found.key.front() < u'a' || found.key.front() > u'z') {
        FUZZ_CHECK(found.transcription.isEmpty(), found.key);
    }
    for (QChar c : found.transcription) {
        FUZZ_CHECK(sonabet::notation::isDictionaryCharacter(c.unicode()), found.transcription);
    }
    // Only U+0020 is trimmed, and the client holds nothing between lookups.
    const core::Lookup padded = lookup.client.lookup(QStringLiteral("  ") + typed + u' ');
    FUZZ_CHECK(padded.key == found.key, padded.key);
    FUZZ_CHECK(padded.transcription == found.transcription, padded.transcription);
    return 0;
}
