// Helpers for the manual-input tests: the runs of a document and a font folder of the test's own.
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <ostream>
#include <vector>

#include "documentbox.h"
#include "qtprinters.h"

namespace manual_testing {

// A stretch of a document in one font and colour.
struct Piece {
    QString text;
    QString family;
    quint32 colour;
    bool operator==(const Piece&) const = default;
};

inline void PrintTo(const Piece& piece, std::ostream* out) {
    *out << '"' << piece.text.toStdString() << "\" " << piece.family.toStdString() << " 0x"
         << std::hex << piece.colour;
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
                                       : output::kBlack;
            if (!runs.empty() && runs.back().family == family && runs.back().colour == colour) {
                runs.back().text += fragment.text();
            } else {
                runs.push_back({fragment.text(), family, colour});
            }
        }
    }
    return runs;
}

// Points the system font folder at a folder of the test's own, with or without the phonetic
// font file in it, for as long as it lives.
class FontFolder {
public:
    explicit FontFolder(bool withPhoneticFont)
        : wasSet_(qEnvironmentVariableIsSet("windir")), old_(qgetenv("windir")) {
        QDir(windir_.path()).mkpath(QStringLiteral("FONTS"));
        if (withPhoneticFont) {
            QFile file(windir_.filePath(QStringLiteral("FONTS/Ksphonet.ttf")));
            file.open(QIODevice::WriteOnly);
        }
        qputenv("windir", windir_.path().toLocal8Bit());
    }
    ~FontFolder() {
        if (wasSet_) {
            qputenv("windir", old_);
        } else {
            qunsetenv("windir");
        }
    }
    FontFolder(const FontFolder&) = delete;
    FontFolder& operator=(const FontFolder&) = delete;

private:
    QTemporaryDir windir_;
    bool wasSet_;
    QByteArray old_;
};

}  // namespace manual_testing
