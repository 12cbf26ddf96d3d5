// British, American or both: which transcriptions a window or a run writes, and how a word with
// both is written ("quality 英[5kwRliti] 美[5kwB:lEti]").
#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>
#include <span>

#include "annotation.h"

class QTextCursor;

namespace core {

enum class Accent { British, American, Both };

struct AccentFacts {
    Accent accent;
    const char* option;   // the command line's name: "uk", "us", "both"
    const char* caption;  // the windows' choice: "英", "美", "英美"
};

// In the order the windows offer them.
std::span<const AccentFacts> accents();
const AccentFacts& factsOf(Accent accent);
std::optional<Accent> accentOfOption(QStringView option);

inline bool withBritish(Accent accent) {
    return accent != Accent::American;
}
inline bool withAmerican(Accent accent) {
    return accent != Accent::British;
}

// The labels before the two transcriptions of a word.
inline QString britishLabel() {
    return QStringLiteral("英");
}
inline QString americanLabel() {
    return QStringLiteral("美");
}

// A transcription as a word shows it: its codes (empty: none) and whether it is to be checked,
// a suggestion or a reading only rules made.
struct Shown {
    QString codes;
    bool toCheck = false;
};

// A word's British and American transcriptions as runs, each after its label and between the
// marks, the labels and marks in black in latinFamily, the codes blue (grey when to be checked):
// " 英[" british "] 美[" american "]", or with slashes " 英/" british "/ 美/" american "/". A
// transcription that is missing is written as missing (the placeholder for a batch line, "none"
// in a document), never left out, so that a reader sees which accent lacks the word.
QList<Run> bothRuns(const Shown& british, const Shown& american, Marks marks,
                    const QString& missing, const QString& latinFamily = latinFont());

// The smart-annotation window's entry with both transcriptions: the entry and the first label
// staged, each transcription staged, the marks between direct.
Insertion smartEntryBoth(const QString& entry, const QString& british, const QString& american,
                         Marks marks);

// A batch line with both transcriptions: "key 英[codes] 美[codes]" and CR LF, a missing one the
// placeholder; as runs and as plain text ("?" after a transcription to be checked).
QList<Run> bothBatchLine(const QString& key, const Shown& british, const Shown& american);
QString bothBatchLineText(const QString& key, const Shown& british, const Shown& american);

// American codes read as Unicode IPA: always the classic symbols, since their letters are
// already today's (ɪ, ʊ, ɑː) and the modern reading of the British ones would change them.
QByteArray americanIpa(QStringView codes);

// The transcription a reader points at, as transcriptionNear() finds it, and whether it is the
// American one of a word written with both (the run before it ends in its label and mark).
struct PointedTranscription {
    QString codes;
    bool american = false;
};
PointedTranscription pointedTranscription(const QTextCursor& caret);

}  // namespace core
