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
#include "pieces.h"

namespace manual_testing {

using testing_support::Piece;
using testing_support::piecesOf;

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
