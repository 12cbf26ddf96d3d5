// The miss log "unfound.dat": words the dictionary lacked and transcriptions typed by hand.
// Plain text, CR LF line ends; every line is one open-append-close.
#pragma once

#include <QString>

namespace core {

class MissLog {
public:
    explicit MissLog(QString path) : path_(std::move(path)) {}
    static QString fileName() { return QStringLiteral("unfound.dat"); }

    QString path() const { return path_; }
    // Creates the file holding one empty line when it does not exist yet.
    bool prepare() const;
    // "key," for a word the dictionary lacks.
    bool appendMiss(const QString& key) const;
    // "word,transcription" for a transcription the user typed.
    bool appendEntry(const QString& word, const QString& transcription) const;

private:
    bool appendLine(const QString& line) const;
    QString path_;
};

}  // namespace core
