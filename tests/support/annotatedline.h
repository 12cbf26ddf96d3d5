// An annotated line as the smart-annotation window writes it: the word and " [" in black Arial,
// the transcription in blue phonetic codes, "]" and the line end in black Arial.
#pragma once

#include <QTextCursor>

#include "documentbox.h"

namespace testing_support {

// Appends at the end of the document, wherever the caret was.
inline void appendAnnotated(output::DocumentBox& box, const QString& word,
                            const QString& transcription) {
    QTextCursor end = box.textCursor();
    end.movePosition(QTextCursor::End);
    box.setTextCursor(end);
    box.setInsertionFont(QStringLiteral("Arial"));
    box.setInsertionColour(core::kBlack);
    box.replaceSelection(word + QStringLiteral(" ["));
    box.setInsertionFont(QStringLiteral("Kingsoft Phonetic Plain"));
    box.setInsertionColour(core::kBlue);
    box.replaceSelection(transcription);
    box.setInsertionFont(QStringLiteral("Arial"));
    box.setInsertionColour(core::kBlack);
    box.replaceSelection(QStringLiteral("]\r\n"));
}

}  // namespace testing_support
