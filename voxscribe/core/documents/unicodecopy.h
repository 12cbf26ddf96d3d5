// A stretch of a document for readers without the phonetic font: every run of phonetic codes
// turned into Unicode IPA, as plain text and as HTML (words black, IPA blue in a face that has the
// IPA glyphs).
#pragma once

#include <QString>

#include "unicodeipa.h"

class QTextDocument;

namespace core {

struct UnicodeCopy {
    QString plain;
    QString html;
};

// The characters [from, to) of the document, the IPA in the symbols chosen.
UnicodeCopy unicodeIpaCopy(
    const QTextDocument& document, int from, int to,
    sonabet::notation::Symbols symbols = sonabet::notation::Symbols::Classic);

}  // namespace core
