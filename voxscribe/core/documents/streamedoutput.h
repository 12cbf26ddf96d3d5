// Output written without a window: onto standard output as it comes, in large pieces, or into a
// named file that is replaced only once the whole output is there.
#pragma once

#include <QByteArray>
#include <QString>

namespace core {

class StreamedOutput {
public:
    // path: the file the output goes to; standard output when empty.
    explicit StreamedOutput(QString path);
    ~StreamedOutput();
    StreamedOutput(const StreamedOutput&) = delete;
    StreamedOutput& operator=(const StreamedOutput&) = delete;

    void put(const QByteArray& bytes);
    // Room to write into directly; written() after.
    QByteArray& pending() { return pending_; }
    void written();
    // Puts the output in place. False with *error (in Chinese) when it could not.
    bool finish(QString* error);

private:
    // One write per line would cost more than the lookup.
    static constexpr qsizetype kChunk = 64 * 1024;
    void flush();

    QString path_;
    QByteArray pending_;
};

}  // namespace core
