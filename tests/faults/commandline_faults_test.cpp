// The built program's command-line batch run under faults it cannot see coming: a file-size
// limit (the shell's ulimit -f, as a full disk), an output folder that does not exist or a disk
// that is read-only, a missing dictionary library, an unwritable miss log, a list of a million
// lines. Each time: a normal exit with a status that says what happened, a Chinese message on
// standard error, and the file that was there before still there, byte for byte.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "faults.h"
#include "process.h"

namespace {

using faults::FileSnapshot;
using faults::SmallDisk;
using testing_support::readBytes;
using testing_support::writeBytes;

using Outcome = testing_support::ProcessOutcome;

class CommandLineFaults : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.ready() && data.isValid()) << program.error();
        previous = data.filePath("out.rtf");
        ASSERT_TRUE(writeBytes(previous, "{\\rtf1 the result of an earlier run}"));
    }

    // Runs the program through sh, so that shellPrefix ("ulimit -f 8;") applies to it alone.
    Outcome run(const QStringList& arguments, const QString& shellPrefix = QString()) {
        const Outcome outcome = testing_support::runProcess(
            QStringLiteral("sh"),
            QStringList{QStringLiteral("-c"), shellPrefix + QStringLiteral(" exec \"$0\" \"$@\""),
                        program.program()} +
                arguments,
            program.environment(), 300000);
        if (!outcome.finished) {
            ADD_FAILURE() << "the run did not end";
        }
        return outcome;
    }

    QString list(const QByteArray& bytes) {
        const QString path = data.filePath("words.txt");
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    }

    // Many words, most of them found, so that the RTF is long.
    static QByteArray longList(int words) {
        QByteArray out;
        const char* const some[] = {"quality", "about", "zebra", "apple", "water", "xyzzy"};
        for (int i = 0; i < words; ++i) {
            out += some[i % 6];
            out += "\r\n";
        }
        return out;
    }

    void expectFailedSaying(const Outcome& outcome, const QString& text) {
        EXPECT_FALSE(outcome.crashed) << outcome.err.toStdString();
        EXPECT_EQ(outcome.status, 1) << outcome.err.toStdString();
        EXPECT_TRUE(outcome.err.contains(text)) << outcome.err.toStdString();
        EXPECT_TRUE(faults::hasChinese(outcome.err)) << outcome.err.toStdString();
    }

    testing_support::ProgramCopy program;
    QTemporaryDir data;
    QString previous;
};

TEST_F(CommandLineFaults, AFileSizeLimitActsAsAFullDisk) {
    const QString words = list(longList(3000));
    const FileSnapshot before(data.path());
    const Outcome outcome = run({"--batch", words, "--output", previous},
                                QStringLiteral("ulimit -f 8;"));  // 4 KB at most
    expectFailedSaying(outcome, previous);
    before.expectUnchanged();  // the earlier result, and no half-written file beside it
}

TEST_F(CommandLineFaults, AnOutputFolderThatDoesNotExist) {
    const QString target = data.filePath("no such folder/out.rtf");
    const QString words = list("apple\r\n");
    const FileSnapshot before(data.path());
    expectFailedSaying(run({"--batch", words, "--output", target}), target);
    before.expectUnchanged();
}

TEST_F(CommandLineFaults, AnOutputOnAReadOnlyDisk) {
    SmallDisk disk;
    REQUIRE_MOUNTED(disk);
    const QString target = disk.file(QStringLiteral("out.rtf"));
    ASSERT_TRUE(writeBytes(target, "{\\rtf1 kept}"));
    ASSERT_TRUE(disk.remount(QStringLiteral("ro")));
    expectFailedSaying(run({"--batch", list("apple\r\n"), "--output", target}), target);
    EXPECT_EQ(readBytes(target), "{\\rtf1 kept}");
}

TEST_F(CommandLineFaults, NoDictionaryLibrary) {
    ASSERT_TRUE(QFile::remove(program.file("libsonabet.so")));
    const QString words = list("apple\r\nzebra\r\n");
    const FileSnapshot before(data.path());
    const Outcome outcome = run({"--batch", words, "--output", previous});
    expectFailedSaying(outcome, QStringLiteral("sonabet"));
    before.expectUnchanged();
    EXPECT_FALSE(QFile::exists(program.file("unfound.dat")));
}

TEST_F(CommandLineFaults, AMissLogThatCannotBeWritten) {
    QDir().mkdir(program.file(QStringLiteral("unfound.dat")));
    const Outcome outcome = run({"--batch", list("apple\r\nxyzzy\r\nzebra\r\n")});
    expectFailedSaying(outcome, QStringLiteral("unfound.dat"));
    // The results are all there even so.
    EXPECT_EQ(outcome.out, "apple/5Apl/\nxyzzy/  /\nzebra/5zi:brE/\n");
}

TEST_F(CommandLineFaults, AMillionLines) {
    const Outcome outcome = run({"--batch", list(longList(1000000))});
    EXPECT_FALSE(outcome.crashed);
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(outcome.out.count('\n'), 1000000);
    EXPECT_TRUE(outcome.out.startsWith("quality/5kwRliti/\nabout/"));
    EXPECT_TRUE(outcome.err.contains(QStringLiteral("1000000"))) << outcome.err.toStdString();
    // One miss line for each of the 166,666 misses.
    EXPECT_EQ(readBytes(program.file("unfound.dat")).count("xyzzy,\r\n"), 166666);
}

}  // namespace
