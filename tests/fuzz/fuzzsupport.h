// What the fuzz targets share: a reader that takes choices from the fuzzer's bytes, the one
// application object, and the stand-ins for the user (nobody answers a fuzz run).
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "lookupclient.h"
#include "nouser.h"

namespace fuzzing {

// Takes small numbers and strings from the front of the input; an exhausted input gives zeros.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return pos_ >= size_; }
    std::uint8_t byte() { return empty() ? 0 : data_[pos_++]; }
    // A number in [0, bound).
    unsigned below(unsigned bound) { return bound == 0 ? 0 : byte() % bound; }
    unsigned word() { return unsigned(byte()) | unsigned(byte()) << 8; }
    QByteArray take(std::size_t count) {
        if (count > size_ - pos_) {
            count = size_ - pos_;
        }
        const QByteArray out(reinterpret_cast<const char*>(data_ + pos_), qsizetype(count));
        pos_ += count;
        return out;
    }
    // count UTF-16 units, any value, unpaired surrogates and control characters included.
    QString units(std::size_t count) {
        QString out;
        for (std::size_t i = 0; i < count && !empty(); ++i) {
            out += QChar(char16_t(word()));
        }
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// The targets that need widgets share one application under the offscreen platform. A replay
// inside a test program finds the test's own application.
inline void ensureApplication() {
    if (QCoreApplication::instance()) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// A failed check: say what, then stop the way libFuzzer records a crash.
[[noreturn]] inline void failed(const char* what, const QString& detail = QString()) {
    std::fprintf(stderr, "check failed: %s %s\n", what, detail.toUtf8().constData());
    std::abort();
}

#define FUZZ_CHECK(condition, detail)              \
    do {                                           \
        if (!(condition)) {                        \
            ::fuzzing::failed(#condition, detail); \
        }                                          \
    } while (false)

using testing_support::NoUser;

// The lookup client on the build's dictionary, in a program folder of its own, with nobody at
// the keyboard. The targets keep one for the whole run.
struct Dictionary {
    testing_support::Unattended env;
    core::LookupClient client{env.services};
};

}  // namespace fuzzing
