// Word-list files for the batch tests, and reading back what a run wrote.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

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

inline QString writeFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
    return path;
}

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace batch_testing
