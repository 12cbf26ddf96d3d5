#include "misslog.h"

#include <QFile>

namespace core {

bool MissLog::prepare() const {
    if (QFile::exists(path_)) {
        return true;
    }
    return appendLine(QString());
}

bool MissLog::appendMiss(const QString& key) const {
    return appendLine(key + u',');
}

bool MissLog::appendEntry(const QString& word, const QString& transcription) const {
    return appendLine(word + u',' + transcription);
}

bool MissLog::appendLine(const QString& line) const {
    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return false;
    }
    const QByteArray bytes = line.toLocal8Bit() + "\r\n";
    // The line sits in a buffer until the flush: only a flush that succeeds means it is written
    // (a full disk fails there).
    return file.write(bytes) == bytes.size() && file.flush();
}

}  // namespace core
