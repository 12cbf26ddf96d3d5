// The three runs without a window: a word list annotated line by line, a whole text annotated,
// a word said into a WAV file. Each returns the exit status.
#pragma once

#include <QString>

#include <optional>

#include "accent.h"
#include "batchoutput.h"
#include "unicodeipa.h"
#include "wordlevel.h"

namespace platform {
struct Services;
}

namespace commandline {

using sonabet::notation::Symbols;

struct BatchRun {
    QString wordList;  // a file, or "-" for standard input
    QString output;    // a file; standard output when empty
    core::BatchFormat format = core::BatchFormat::Lines;
    bool guess = false;
    Symbols symbols = Symbols::Classic;
    core::Accent accent = core::Accent::British;
};
int runBatch(const BatchRun& run, platform::Services& services);

enum class TextFormat { Rtf, Ipa, Html };

struct TextRun {
    QString text;    // a file, or "-" for standard input
    QString output;  // a file; standard output when empty
    TextFormat format = TextFormat::Ipa;
    int level = 0;  // 0: every word
    // Only words beyond an examination's band, when set.
    std::optional<core::Examination> examination;
    bool weakForms = false;
    QString known;  // the reader's list of known words, when given
    bool firstOnly = false;
    bool guess = false;
    Symbols symbols = Symbols::Classic;
    core::Accent accent = core::Accent::British;
};
int runText(const TextRun& run, platform::Services& services);

struct SayRun {
    QString given;   // a word, or codes between slashes
    QString output;  // the WAV file
    bool guess = false;
    // American: the American transcription in the American voice; both: the British, then the
    // American. Codes between slashes are said once, in the American voice for American.
    core::Accent accent = core::Accent::British;
};
int runSay(const SayRun& run, platform::Services& services);

}  // namespace commandline
