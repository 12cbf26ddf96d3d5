// The runs of a rich-text document, as a user sees them: text, font and colour.
#pragma once

#include <QTextBlock>
#include <QTextDocument>
#include <initializer_list>
#include <ostream>
#include <vector>

#include "annotation.h"
#include "documentbox.h"
#include "qtprinters.h"

namespace core {

inline void PrintTo(const Run& run, std::ostream* out) {
    *out << '"' << run.text.toStdString() << "\" " << run.family.toStdString() << " 0x" << std::hex
         << run.colour;
}

}  // namespace core

namespace testing_support {

// A stretch of a document in one font and colour.
using Piece = core::Run;

// Text and transcriptions taking turns, as the windows write them, the first turn text: text in
// textFamily and black, transcriptions in codesFamily and blue.
inline std::vector<Piece> inTurns(const QString& textFamily, const QString& codesFamily,
                                  std::initializer_list<QString> turns) {
    std::vector<Piece> runs;
    bool codes = false;
    for (const QString& text : turns) {
        runs.push_back(codes ? Piece{text, codesFamily, core::kBlue}
                             : Piece{text, textFamily, core::kBlack});
        codes = !codes;
    }
    return runs;
}

inline std::vector<Piece> piecesOf(const QTextDocument& document) {
    std::vector<Piece> runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin() && !runs.empty()) {
            runs.back().text += QLatin1Char('\n');
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const QString family = format.fontFamilies().toStringList().value(0);
            const quint32 colour = format.hasProperty(QTextFormat::ForegroundBrush)
                                       ? output::bgrFromColour(format.foreground().color())
                                       : core::kBlack;
            if (!runs.empty() && runs.back().family == family && runs.back().colour == colour) {
                runs.back().text += fragment.text();
            } else {
                runs.push_back({fragment.text(), family, colour});
            }
        }
    }
    return runs;
}

}  // namespace testing_support
