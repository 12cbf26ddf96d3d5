#include "wordlist.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <cstdio>

namespace core {
namespace {

QString decodeLegacy(const QByteArray& bytes) {
    // Chinese Windows saves text in GB18030 (GBK); Qt reaches it through ICU. Without ICU, Latin-1
    // keeps every ASCII word intact and never fails; words in other letters become misses.
    QStringDecoder gb18030("GB18030");
    if (gb18030.isValid()) {
        return gb18030.decode(bytes);
    }
    return QString::fromLatin1(bytes);
}

QString tooLarge(const QString& path) {
    return QStringLiteral("文件“%1”太大（超过%2 MB），不像是一个单词表。")
        .arg(path, QString::number(kMaxWordListBytes / (1024 * 1024)));
}

// Text files hold no NUL characters; programs, pictures and documents nearly always do.
bool looksBinary(const QString& text) {
    return text.contains(QChar(u'\0'));
}

}  // namespace

QString decodeWordList(const QByteArray& bytes) {
    if (const std::optional<QStringConverter::Encoding> bom =
            QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*bom);  // drops the byte-order mark
        return decoder.decode(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    return decodeLegacy(bytes);
}

QStringList splitWordLines(QStringView text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i <= size; ++i) {
        const bool end = i == size;
        if (!end && text[i] != u'\r' && text[i] != u'\n') {
            continue;
        }
        if (i > start) {
            lines << text.mid(start, i - start).toString();
        }
        if (!end && text[i] == u'\r' && i + 1 < size && text[i + 1] == u'\n') {
            ++i;  // CR LF is one line end
        }
        start = i + 1;
    }
    return lines;
}

WordList wordListFromText(const QString& text, const QString& path) {
    if (looksBinary(text)) {
        return {{},
                QStringLiteral("文件“%1”不是文本文件，无法标注。\r\n"
                               "请选择扩展名为txt的文本文件，一个单词占一行。")
                    .arg(path)};
    }
    QStringList lines = splitWordLines(text);
    // The document box lays a line out as one paragraph; one of megabytes would freeze the
    // window for minutes. No word or phrase comes near the limit.
    for (const QString& line : lines) {
        if (line.size() > kMaxWordLineChars) {
            return {{},
                    QStringLiteral("文件“%1”中有一行太长（超过%2个字符），不像是一个单词表。\r\n"
                                   "请确认是一个单词占一行。")
                        .arg(path, QString::number(kMaxWordLineChars))};
        }
    }
    return {std::move(lines), {}};
}

namespace {

// Reads one byte more than allowed, so that a file that grew since it was looked at is caught too.
TextFile readBounded(QFile& file, const QString& name) {
    const QByteArray bytes = file.read(kMaxWordListBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        return {{}, QStringLiteral("读取文件“%1”时出错，文件没有读完。").arg(name)};
    }
    if (bytes.size() > kMaxWordListBytes) {
        return {{}, tooLarge(name)};
    }
    return {decodeWordList(bytes), {}};
}

TextFile readStandardInput() {
    const QString name = QStringLiteral("标准输入");
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) {
        return {{}, QStringLiteral("无法读取标准输入。")};
    }
    return readBounded(in, name);
}

}  // namespace

TextFile readTextFile(const QString& path) {
    if (path == standardInputName()) {
        return readStandardInput();
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        return {{}, QStringLiteral("找不到文件“%1”。").arg(path)};
    }
    if (info.isDir()) {
        return {{}, QStringLiteral("“%1”是一个文件夹，不是文本文件。").arg(path)};
    }
    // A named pipe or a device would block the window until something writes into it, or
    // never end.
    if (!info.isFile()) {
        return {{}, QStringLiteral("“%1”不是普通的文本文件，无法读取。").arg(path)};
    }
    if (info.size() > kMaxWordListBytes) {
        return {{}, tooLarge(path)};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {{}, QStringLiteral("无法打开文件“%1”，请检查是否有读取权限。").arg(path)};
    }
    return readBounded(file, path);
}

TextFile readPassage(const QString& path) {
    TextFile file = readTextFile(path);
    if (file.ok() && looksBinary(file.text)) {
        return {{},
                QStringLiteral("文件“%1”不是文本文件，无法标注。\r\n请选择扩展名为txt的文本文件。")
                    .arg(path)};
    }
    return file;
}

WordList readWordList(const QString& path) {
    const TextFile file = readTextFile(path);
    if (!file.ok()) {
        return {{}, file.error};
    }
    return wordListFromText(file.text,
                            path == standardInputName() ? QStringLiteral("标准输入") : path);
}

}  // namespace core
