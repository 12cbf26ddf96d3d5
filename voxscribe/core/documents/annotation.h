// How a word and its transcription are written into a document: the runs of text, each in its
// face and colour, that every window and every writer of documents shares.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "documentstyle.h"

class QTextCursor;
class QTextDocument;

namespace core {

// A stretch of document text in one face and colour.
struct Run {
    QString text;
    QString family;  // empty: the Latin format in force at the caret
    quint32 colour = kBlack;
    bool operator==(const Run&) const = default;
};

// One step of an insertion. A staged step passes through the clipboard as a whole before it goes
// in, so that afterwards the clipboard holds its text.
struct Step {
    QList<Run> runs;
    bool staged = false;
    QString text() const;
};
using Insertion = QList<Step>;

// The Latin face of the smart-annotation window's entries and of batch lines.
inline QString latinFont() {
    return QStringLiteral("Arial");
}

// A transcription from the dictionary or a suggestion as runs: its codes in the phonetic face, in
// colour; its delimiters, the comma between several pronunciations, in the Latin face in black,
// since the phonetic face draws a comma as a stress mark and a slash as a vowel. The slashes that
// wrap several pronunciations ("/TE, Ti/") are left out: every document form puts marks of its
// own around a transcription.
QList<Run> transcriptionRuns(const QString& codes, const QString& latinFamily,
                             quint32 colour = kBlue);

// The pronunciations of a stored transcription, each without blanks around it: the wrapping
// slashes left out, the forms parted at a comma and a blank and, for a word that holds no blank,
// at a blank alone too (a stored entry may lack its comma: "liv laiv"). A phrase's blanks part
// its words, not its forms.
QStringList pronunciations(QStringView word, QStringView codes);
// A stored transcription as a document shows it: no blank after the opening mark or before the
// closing one, a comma between every two forms; several forms wrapped in slashes as stored.
QString tidyTranscription(QStringView word, const QString& codes);

// The marks around a transcription in the smart-annotation window.
enum class Marks { SquareBrackets, Slashes };

// The marks themselves: after a word, " [" and "]" or " /" and " /"; after a label ("英"), where
// nothing stands between, "[" and "]" or "/" and "/".
struct MarkPair {
    QString opening;
    QString closing;
};
MarkPair marksAfterWord(Marks marks);
MarkPair marksAfterLabel(Marks marks);

// An annotated entry of the smart-annotation window: the entry as typed and the opening mark
// staged in black Arial, the transcription staged in the phonetic face, the closing mark direct.
Insertion smartEntry(const QString& entry, const QString& transcription, Marks marks);

// A transcription typed in the manual-entry dialog: "word/codes/" and a line end staged as one
// piece; the word and the slashes in the Latin format at the caret, the codes as typed in the
// phonetic face in blue.
Insertion manualEntryLine(const QString& word, const QString& typed);

// The Latin face of the manual-input window's words and marks.
inline QString manualInputLatinFont() {
    return QStringLiteral("Courier");
}

// The marks around a transcription in the manual-input window.
enum class ManualMarks { SquareBrackets, Slashes, None };

// A word confirmed in the manual-input window: the word and a blank, staged, in black Courier.
Insertion manualInputWord(const QString& word);
// Codes confirmed in the manual-input window as typed: the opening mark direct in black Courier,
// the codes staged in the phonetic face in blue, the closing mark direct. The user's codes are
// written as typed, slashes and commas included: they are what the user chose to write.
Insertion manualInputCodes(const QString& codes, ManualMarks marks);

// The placeholder of a batch line whose word the dictionary lacks.
inline QString placeholder() {
    return QStringLiteral("  ");
}

// A batch line: the key and "/" in black Arial, the transcription (the placeholder when it is
// empty) in the phonetic face in blue, "/" and CR LF in black Arial.
QList<Run> batchLine(const QString& key, const QString& transcription);
// The same with a suggested transcription, in grey so that a reader can tell.
QList<Run> guessedBatchLine(const QString& key, const QString& codes);

// A batch line as plain text, the transcription as stored: "key/transcription/" and CR LF.
QString batchLineText(const QString& key, const QString& transcription);
// "key/codes/?" and CR LF: a suggested transcription, marked so that a reader can tell.
QString guessedBatchLineText(const QString& key, const QString& codes);

// The transcription a reader points at in a document: the run of phonetic codes at position, or
// else the first one after it in the same paragraph (a word before its transcription); empty
// when there is none.
QString transcriptionNear(const QTextDocument& document, int position);
// The same at a caret: at the start of its selection, else where it stands.
QString transcriptionNear(const QTextCursor& caret);

// The text of runs, one after another.
QString textOf(const QList<Run>& runs);

// Adds run after runs, joined to the last one where face and colour are the same; an empty run
// adds nothing.
void appendRun(QList<Run>& runs, const Run& run);

}  // namespace core
