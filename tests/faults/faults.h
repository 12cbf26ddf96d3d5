// What the fault tests share: the three working windows behind one face, a snapshot of a document
// box to prove it unchanged, snapshots of files to prove them intact, and small file systems of
// the test's own (a full one, a read-only one) where the machine lets the test mount them.
#pragma once

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <map>
#include <memory>

#include "annotatedline.h"
#include "clickablelabel.h"
#include "documentbox.h"
#include "files.h"
#include "frm3.h"
#include "frm4.h"
#include "process.h"
#include "scopedenv.h"
#include "testenv.h"

namespace faults {

using testing_support::readBytes;
using testing_support::writeBytes;

// Everything of a document box that a fault could disturb.
struct DocumentState {
    QString html;
    int position;
    int anchor;
    bool operator==(const DocumentState&) const = default;
};

inline DocumentState stateOf(const output::DocumentBox& box) {
    return {box.document()->toHtml(), box.textCursor().position(), box.textCursor().anchor()};
}

inline void PrintTo(const DocumentState& state, std::ostream* out) {
    *out << "caret " << state.anchor << ".." << state.position << "\n" << state.html.toStdString();
}

// The bytes of every file below a folder, to prove later that none of them changed.
class FileSnapshot {
public:
    explicit FileSnapshot(const QString& folder) : folder_(folder) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
            files_[name] = readBytes(dir.filePath(name));
        }
    }
    // Every file is still there with the same bytes, and no other file appeared.
    void expectUnchanged() const {
        const QDir dir(folder_);
        const QStringList now = dir.entryList(QDir::Files | QDir::Hidden);
        QStringList before;
        for (const auto& [name, bytes] : files_) {
            before << name;
            EXPECT_EQ(readBytes(dir.filePath(name)), bytes) << name.toStdString();
        }
        EXPECT_EQ(now, before) << folder_.toStdString();
    }
    QByteArray bytesOf(const QString& name) const {
        const auto it = files_.find(name);
        return it == files_.end() ? QByteArray() : it->second;
    }

private:
    QString folder_;
    std::map<QString, QByteArray> files_;
};

inline bool hasChinese(const QString& text) {
    static const QRegularExpression han(QStringLiteral("[\\x{4e00}-\\x{9fff}]"));
    return text.contains(han);
}

// The last message shown was an error that the user can read.
inline void expectChineseError(const testing_support::ScriptedMessageBoxes& messages,
                               const QString& mustName) {
    ASSERT_FALSE(messages.shown.empty());
    const testing_support::ShownMessage& last = messages.shown.back();
    EXPECT_EQ(last.icon, platform::Icon::Critical) << last.text.toStdString();
    EXPECT_TRUE(hasChinese(last.text)) << last.text.toStdString();
    EXPECT_TRUE(last.text.contains(mustName))
        << last.text.toStdString() << " does not name " << mustName.toStdString();
}

// A small tmpfs below a temporary folder, for a disk that fills up or turns read-only. Mounting
// needs root (or the capability); where it is refused the tests that need it are skipped.
class SmallDisk {
public:
    explicit SmallDisk(const QString& options = QStringLiteral("size=64k")) {
        mounted_ = run({QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                        options, QStringLiteral("voxscribe-test"), dir_.path()});
    }
    ~SmallDisk() {
        for (const QString& target : bound_) {
            QProcess::execute(QStringLiteral("umount"), {target});
        }
        if (mounted_) {
            QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), dir_.path()});
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    // "ro", "rw", "size=1m", ...
    bool remount(const QString& options) {
        return run({QStringLiteral("-o"), QStringLiteral("remount,") + options, dir_.path()});
    }
    // Shows the file source (elsewhere, writable) in place of the disk's file name, which must
    // exist: a file that may be changed even when the disk is read-only.
    bool bindFile(const QString& source, const QString& name) {
        const QString target = file(name);
        if (!run({QStringLiteral("--bind"), source, target})) {
            return false;
        }
        bound_ << target;
        return true;
    }

private:
    static bool run(const QStringList& arguments) {
        return testing_support::runProcess(QStringLiteral("mount"), arguments,
                                           QProcessEnvironment::systemEnvironment(), 20000)
                   .status == 0;
    }
    QTemporaryDir dir_;
    bool mounted_ = false;
    QStringList bound_;
};

#define REQUIRE_MOUNTED(disk)                                                          \
    do {                                                                               \
        if (!(disk).mounted()) {                                                       \
            GTEST_SKIP() << "cannot mount a tmpfs here (needs root or CAP_SYS_ADMIN)"; \
        }                                                                              \
    } while (false)

using testing_support::ScopedEnvironment;

using testing_support::appendAnnotated;

}  // namespace faults
