// The command line end to end: the built program, copied with its dictionary library into a
// folder of the test's own, so that its miss log is the test's too.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "batchfiles.h"
#include "clickablelabel.h"
#include "commandline.h"
#include "frm4.h"
#include "lookupclient.h"
#include "qtprinters.h"
#include "testenv.h"

namespace {

using batch_testing::exampleList;
using batch_testing::readBytes;
using batch_testing::writeFile;

struct Outcome {
    int status = -1;
    QByteArray out;
    QString err;
};

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.isValid() && data.isValid());
        copyIntoProgramFolder("voxscribe");
        copyIntoProgramFolder("libsonabet.so");
    }

    void copyIntoProgramFolder(const QString& name) {
        const QString from = testing_support::buildProgramFolder() + "/" + name;
        ASSERT_TRUE(QFile::copy(from, program.filePath(name))) << from.toStdString();
    }

    Outcome run(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // No registered component of the machine may stand in for the copied library, and the
        // run must not need a display.
        environment.insert("COMPONENT_REGISTRY_DIR", registry.filePath("user"));
        environment.insert("COMPONENT_SYSTEM_REGISTRY_DIR", registry.filePath("system"));
        // A platform that does not exist: a graphical application could not even start.
        environment.insert("QT_QPA_PLATFORM", "no-such-platform");
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        process.setProcessEnvironment(environment);
        process.start(program.filePath("voxscribe"), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        Outcome outcome;
        outcome.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        outcome.out = process.readAllStandardOutput();
        outcome.err = QString::fromUtf8(process.readAllStandardError());
        return outcome;
    }

    QString list(const QString& name, const QByteArray& bytes) {
        return writeFile(data.path(), name, bytes);
    }
    QByteArray missLog() const { return readBytes(program.filePath("unfound.dat")); }

    QTemporaryDir program;
    QTemporaryDir data;
    QTemporaryDir registry;
};

TEST_F(CommandLineTest, WritesTheDocumentAsRtfAndSummarises) {
    const QString output = data.filePath("result.rtf");
    const Outcome outcome =
        run({"--batch", list("words.txt", exampleList("\n")), "--output", output});
    EXPECT_EQ(outcome.status, batch::kExitOk) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.isEmpty());
    EXPECT_TRUE(outcome.err.contains("共标注 3 个单词：找到音标 2 个，没找到 1 个。"))
        << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains(program.filePath("unfound.dat")));
    const QByteArray rtf = readBytes(output);
    EXPECT_TRUE(rtf.startsWith("{\\rtf"));
    for (const char* line : {"apple/5Apl/", "zebra/5zi:brE/", "xyzzy/  /"}) {
        EXPECT_TRUE(rtf.contains(line)) << line;
    }
    EXPECT_EQ(missLog(), "xyzzy,\r\n");

    // -o names the output too; a second run replaces the file and appends to the log.
    EXPECT_EQ(run({"-b", list("one.txt", "zebra\r\n"), "-o", output}).status, batch::kExitOk);
    EXPECT_FALSE(readBytes(output).contains("apple"));
    EXPECT_TRUE(readBytes(output).contains("zebra/5zi:brE/"));
    EXPECT_EQ(missLog(), "xyzzy,\r\n");
}

TEST_F(CommandLineTest, WritesTheSameBytesAsTheBatchWindowSaves) {
    // Lines the document box treats specially: tabs, RTF's own characters, Chinese, a character
    // outside the basic plane, a line and a paragraph separator; and enough words for several
    // frames of the window.
    QByteArray words = exampleList() + "\tx\r\nback\\slash {braces}\r\n" +
                       QString::fromUtf8("苹果\r\n😀 smile\r\na\u2028b\r\nc\u2029d\r\n").toUtf8();
    for (int i = 0; i < 300; ++i) {
        words += "quality\r\nxyzzy\r\nNew York\r\n";
    }
    const QString path = list("words.txt", words);

    testing_support::TestEnvironment env;
    smart::LookupClient client(env.services);
    batch::Frm4 window(env.services, client);
    window.show();
    window.annotateFile(path);
    const QString saved = data.filePath("window.rtf");
    env.files.answer(saved);
    QTest::mouseClick(window.Label4, Qt::LeftButton);
    ASSERT_EQ(env.messages.shown.size(), 1u);

    const QString written = data.filePath("command.rtf");
    const Outcome outcome = run({"--batch", path, "--output", written});
    ASSERT_EQ(outcome.status, batch::kExitOk) << outcome.err.toStdString();
    const QByteArray expected = readBytes(saved);
    ASSERT_TRUE(expected.contains("quality/5kwRliti/"));
    EXPECT_EQ(readBytes(written), expected);
}

TEST_F(CommandLineTest, WithoutAnOutputFileTheLinesGoToStandardOutput) {
    const Outcome outcome =
        run({"--batch", list("odd.txt", "Apple\r\n\r\n   \r\n\txyz\r\n3D\r\n")});
    EXPECT_EQ(outcome.status, batch::kExitOk) << outcome.err.toStdString();
    EXPECT_EQ(outcome.out, "apple/5Apl/\n/  /\n\txyz/  /\n3d/  /\n");
    EXPECT_EQ(missLog(), ",\r\n\txyz,\r\n3d,\r\n");
}

TEST_F(CommandLineTest, AWordListThatCannotBeReadFailsAndWritesNothing) {
    const QString output = data.filePath("result.rtf");
    const QString missing = data.filePath("missing.txt");
    const QString binary = list("binary.txt", QByteArray("apple\0\x01\x02", 8));
    for (const QString& input : {missing, binary}) {
        const Outcome outcome = run({"--batch", input, "--output", output});
        EXPECT_EQ(outcome.status, batch::kExitFailed) << input.toStdString();
        EXPECT_TRUE(outcome.err.contains(input)) << outcome.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(output));
        EXPECT_FALSE(QFileInfo::exists(program.filePath("unfound.dat")));
    }
}

TEST_F(CommandLineTest, AnOutputThatCannotBeWrittenFails) {
    const Outcome outcome =
        run({"--batch", list("words.txt", "apple\n"), "--output", data.filePath("no/such/x.rtf")});
    EXPECT_EQ(outcome.status, batch::kExitFailed);
    EXPECT_TRUE(outcome.err.contains("无法保存")) << outcome.err.toStdString();
}

TEST_F(CommandLineTest, AMissLogThatCannotBeWrittenFailsButKeepsTheOutput) {
    ASSERT_TRUE(QDir(program.path()).mkdir("unfound.dat"));
    const Outcome outcome = run({"--batch", list("words.txt", "xyzzy\nzebra\n")});
    EXPECT_EQ(outcome.status, batch::kExitFailed);
    EXPECT_EQ(outcome.out, "xyzzy/  /\nzebra/5zi:brE/\n");
    EXPECT_TRUE(outcome.err.contains("无法写入")) << outcome.err.toStdString();
}

TEST_F(CommandLineTest, WithoutTheDictionaryNothingIsAnnotated) {
    ASSERT_TRUE(QFile::remove(program.filePath("libsonabet.so")));
    const QString output = data.filePath("result.rtf");
    const Outcome outcome = run({"--batch", list("words.txt", exampleList()), "--output", output});
    EXPECT_EQ(outcome.status, batch::kExitFailed);
    EXPECT_TRUE(outcome.err.contains("sonabet")) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains("没有标注任何单词"));
    EXPECT_FALSE(QFileInfo::exists(output));
    EXPECT_FALSE(QFileInfo::exists(program.filePath("unfound.dat")));
}

TEST_F(CommandLineTest, HelpAndWrongArguments) {
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.status, batch::kExitOk);
    const QString text = QString::fromUtf8(help.out);
    for (const char* part : {"--batch", "--output", "unfound.dat", "标准输出"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    }
    const QStringList wrong[] = {
        {"--batch"},
        {"--output", data.filePath("x.rtf")},
        {"--batch", "a.txt", "b.txt"},
        {"--batch", "a.txt", "--frobnicate"},
    };
    for (const QStringList& arguments : wrong) {
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, batch::kExitUsage) << arguments.join(' ').toStdString();
        EXPECT_TRUE(outcome.err.contains("--help")) << outcome.err.toStdString();
    }
}

TEST(CommandLineArguments, OnlyTheBatchOptionsLeaveTheWindowsClosed) {
    EXPECT_TRUE(batch::isCommandLineRun({"voxscribe", "--batch", "a.txt"}));
    EXPECT_TRUE(batch::isCommandLineRun({"voxscribe", "--batch=a.txt"}));
    EXPECT_TRUE(batch::isCommandLineRun({"voxscribe", "-h"}));
    EXPECT_TRUE(batch::isCommandLineRun({"voxscribe", "-o", "x.rtf"}));
    EXPECT_FALSE(batch::isCommandLineRun({"voxscribe"}));
    EXPECT_FALSE(batch::isCommandLineRun({"voxscribe", "-style", "fusion"}));
    EXPECT_FALSE(batch::isCommandLineRun({"--batch"}));  // the program's own name
}

}  // namespace
