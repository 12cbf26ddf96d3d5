#include "streamedoutput.h"

#include <cstdio>
#include <utility>

#include "savefile.h"

namespace core {

StreamedOutput::StreamedOutput(QString path) : path_(std::move(path)) {}

StreamedOutput::~StreamedOutput() {
    flush();
}

void StreamedOutput::put(const QByteArray& bytes) {
    pending_ += bytes;
    written();
}

void StreamedOutput::written() {
    if (path_.isEmpty() && pending_.size() >= kChunk) {
        flush();
    }
}

void StreamedOutput::flush() {
    if (path_.isEmpty() && !pending_.isEmpty()) {
        std::fwrite(pending_.constData(), 1, size_t(pending_.size()), stdout);
        pending_.clear();
    }
}

bool StreamedOutput::finish(QString* error) {
    if (!path_.isEmpty()) {
        QString why;
        if (!saveBytes(path_, std::exchange(pending_, {}), &why)) {
            *error = QStringLiteral("无法保存“%1”：%2").arg(path_, why);
            return false;
        }
        return true;
    }
    flush();
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        *error = QStringLiteral("无法写到标准输出，结果不完整。");
        return false;
    }
    return true;
}

}  // namespace core
