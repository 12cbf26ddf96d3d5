// Reading and writing whole files in tests.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace testing_support {

// A file that cannot be read shows as "<unreadable>", which no file the program writes holds.
inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// Writes name in folder and returns its path.
inline QString writeFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    const QString path = QDir(folder).filePath(name);
    writeBytes(path, bytes);
    return path;
}

// An empty file at path, with the folders above it.
inline bool touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    return writeBytes(path, QByteArray());
}

}  // namespace testing_support
