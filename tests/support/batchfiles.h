// Word-list files for the batch tests, and reading back what a run wrote.
#pragma once

#include <QByteArray>
#include <QString>

#include "files.h"

namespace batch_testing {

// The list of the everyday example: Apple, an empty line, zebra with two blanks each side and a
// word the dictionary lacks.
inline QByteArray exampleList(const QByteArray& lineEnd = "\r\n") {
    return "Apple" + lineEnd + lineEnd + "  zebra  " + lineEnd + "xyzzy" + lineEnd;
}

// What Rich2 shows for the example, one line break per batch line.
inline QString exampleDocument() {
    return QStringLiteral("apple/5Apl/\nzebra/5zi:brE/\nxyzzy/  /\n");
}

using testing_support::readBytes;
using testing_support::writeFile;

}  // namespace batch_testing
