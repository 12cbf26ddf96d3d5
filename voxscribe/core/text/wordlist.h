// Reading a word-list file: one word a line, as text files come from Windows and Linux editors.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace core {

struct WordList {
    QStringList lines;  // the lines that are not exactly empty, in file order
    QString error;      // why the file was refused, in Chinese; empty when it was read
    bool ok() const { return error.isEmpty(); }
};

// Larger files are refused: no word list comes near this, and reading one would only exhaust
// memory.
constexpr qint64 kMaxWordListBytes = 64 * 1024 * 1024;

// A file with a longer line is refused.
constexpr qsizetype kMaxWordLineChars = 10000;

struct TextFile {
    QString text;   // decoded
    QString error;  // why the file was refused, in Chinese; empty when it was read
    bool ok() const { return error.isEmpty(); }
};

// The path that names standard input, as filters take it.
inline QString standardInputName() {
    return QStringLiteral("-");
}

// Reads and decodes a text file, or standard input for standardInputName(). A missing,
// unreadable or oversized file is refused with a message naming path.
TextFile readTextFile(const QString& path);

// A passage to annotate, read as readTextFile reads it; a binary file is refused too.
TextFile readPassage(const QString& path);

// Reads and decodes the file, or standard input for standardInputName(). A missing, unreadable,
// oversized or binary file is refused with a message naming path.
WordList readWordList(const QString& path);

// The same for text already decoded; path only serves the messages.
WordList wordListFromText(const QString& text, const QString& path);

// Text from bytes: a byte-order mark selects UTF-8, UTF-16 or UTF-32 (and is dropped); otherwise
// UTF-8 when the bytes are valid UTF-8, else GB18030, the code page of Chinese Windows.
QString decodeWordList(const QByteArray& bytes);

// Splits at CR LF, CR or LF alone and drops the lines that are exactly empty. Nothing else is
// trimmed: a line of blanks stays a line.
QStringList splitWordLines(QStringView text);

}  // namespace core
