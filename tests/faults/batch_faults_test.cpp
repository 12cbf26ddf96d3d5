// Word lists the batch window cannot or should not read, a miss log it cannot write, and a
// dictionary library that is missing, unregistered or damaged. Each time: no crash, an error the
// user can read, the document in the window as it was (or, for a miss log, every line in it), and
// the files of the program folder intact.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <thread>

#include "faults.h"
#include "frm1.h"
#include "windows.h"

namespace {

using namespace faults;

const QString kExampleDocument = QStringLiteral("apple/5Apl/\nzebra/5zi:brE/\nxyzzy/  /\n");

QString writeList(const QString& path, const QByteArray& bytes) {
    EXPECT_TRUE(faults::writeBytes(path, bytes)) << path.toStdString();
    return path;
}

// A file dialog after which the chosen file is gone before the window reads it, as when another
// program moves it away.
class VanishingFileDialogs final : public platform::FileDialogs {
public:
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        QFile::remove(path);
        return path;
    }
    QString path;
};

class BatchFaults : public ::testing::Test {
protected:
    BatchFaults() : client(env.services), window(Kind::Batch, env.services, client) {}

    void SetUp() override {
        label5 = window.find<QLabel>("Label5");
        label3 = window.find<QLabel>("Label3");
        ASSERT_TRUE(label5 && label3 && window.box);
        // A first run fills the document; nothing below may cost a line of it.
        choose(writeList(data.filePath("first.txt"), "Apple\r\n\r\n  zebra  \r\nxyzzy\r\n"));
        ASSERT_EQ(window.box->toPlainText(), kExampleDocument);
        shownBefore = env.messages.shown.size();
    }

    void choose(const QString& path) {
        env.files.answer(path);
        QTest::mouseClick(label5, Qt::LeftButton);
    }

    // The list was refused with a message naming it; nothing else changed.
    void expectListRefused(const QString& path, const DocumentState& before,
                           const FileSnapshot& programFolder) {
        faults::expectChineseError(env.messages, path);
        EXPECT_EQ(env.messages.shown.size(), shownBefore + 1);
        EXPECT_EQ(stateOf(*window.box), before);
        EXPECT_EQ(label3->text(), QString());
        EXPECT_TRUE(window.widget()->isVisible());
        EXPECT_TRUE(label5->isEnabled());
        programFolder.expectUnchanged();
    }

    testing_support::TestEnvironment env;
    QTemporaryDir data;
    core::LookupClient client;
    WorkingWindow window;
    QLabel* label5 = nullptr;
    QLabel* label3 = nullptr;
    std::size_t shownBefore = 0;
};

TEST_F(BatchFaults, ABinaryFile) {
    QByteArray picture = QByteArrayLiteral("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10");
    for (int i = 0; i < 4096; ++i) {
        picture += char((i * 7919) & 0xFF);
    }
    const QString path = writeList(data.filePath("picture.txt"), picture);
    const FileSnapshot programFolder(env.dir.path());
    const DocumentState before = stateOf(*window.box);
    choose(path);
    expectListRefused(path, before, programFolder);
}

TEST_F(BatchFaults, AFileThatVanishesBetweenTheDialogAndTheRead) {
    VanishingFileDialogs vanishing;
    vanishing.path = writeList(data.filePath("moved.txt"), "apple\r\n");
    platform::Services services{env.services.folder, env.runtime, env.messages, vanishing,
                                env.shell};
    WorkingWindow other(Kind::Batch, services, client);
    faults::appendAnnotated(*other.box, QStringLiteral("kept"), QStringLiteral("kept"));
    const FileSnapshot programFolder(env.dir.path());
    const DocumentState before = stateOf(*other.box);

    QTest::mouseClick(other.find<QLabel>("Label5"), Qt::LeftButton);
    faults::expectChineseError(env.messages, vanishing.path);
    EXPECT_EQ(stateOf(*other.box), before);
    programFolder.expectUnchanged();
}

TEST_F(BatchFaults, AFolderInsteadOfAFile) {
    QDir(data.path()).mkdir(QStringLiteral("words.txt"));
    const FileSnapshot programFolder(env.dir.path());
    const DocumentState before = stateOf(*window.box);
    choose(data.filePath("words.txt"));
    expectListRefused(data.filePath("words.txt"), before, programFolder);
}

TEST_F(BatchFaults, AFileFarTooLargeForAWordList) {
    const QString path = data.filePath("huge.txt");
    QFile huge(path);
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(200LL * 1024 * 1024));  // sparse: costs no disk
    huge.close();
    const FileSnapshot programFolder(env.dir.path());
    const DocumentState before = stateOf(*window.box);
    choose(path);
    expectListRefused(path, before, programFolder);
}

// A named pipe opens only when something writes into it; a window that opened one would hang for
// as long as nothing comes. Here something comes after a while, so a window that waited would
// annotate it instead of refusing.
TEST_F(BatchFaults, ANamedPipe) {
    const QString path = data.filePath("pipe.txt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    // The writer never waits itself: with no reader on the pipe it gives up.
    std::thread writer([path] {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            (void)!::write(fd, "apple\n", 6);
            ::close(fd);
        }
    });
    const FileSnapshot programFolder(env.dir.path());
    const DocumentState before = stateOf(*window.box);
    choose(path);
    writer.join();
    expectListRefused(path, before, programFolder);
}

// No English word is ten megabytes long; a line like that is most likely a file without line
// ends. Laid out in the document box it would freeze the window for minutes, so it is refused.
TEST_F(BatchFaults, OneLineOfTenMegabytes) {
    const QString path =
        writeList(data.filePath("oneline.txt"), QByteArray(10 * 1024 * 1024, 'a') + "\r\n");
    const FileSnapshot programFolder(env.dir.path());
    const DocumentState before = stateOf(*window.box);
    choose(path);
    expectListRefused(path, before, programFolder);
}

TEST_F(BatchFaults, AMissLogThatIsAFolder) {
    ASSERT_TRUE(QFile::remove(env.file(core::MissLog::fileName())));
    ASSERT_TRUE(QDir(env.dir.path()).mkdir(core::MissLog::fileName()));
    choose(writeList(data.filePath("again.txt"), "Apple\r\n\r\n  zebra  \r\nxyzzy\r\n"));
    faults::expectChineseError(env.messages, QStringLiteral("unfound.dat"));
    EXPECT_EQ(env.messages.shown.size(), shownBefore + 1);
    // Every line is in the document all the same.
    EXPECT_EQ(window.box->toPlainText(), kExampleDocument + kExampleDocument);
    EXPECT_EQ(label3->text(), QString());
    EXPECT_TRUE(QFileInfo(env.file(core::MissLog::fileName())).isDir());
}

TEST_F(BatchFaults, AMissLogOnAFullDisk) {
    SmallDisk disk(QStringLiteral("size=64k"));
    REQUIRE_MOUNTED(disk);
    const QString log = disk.file(core::MissLog::fileName());
    ASSERT_TRUE(faults::writeBytes(log, "\r\nearlier,\r\n"));
    // Fill the disk to the last byte.
    {
        QFile filler(disk.file(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write("x", 1) == 1) {
        }
    }
    platform::Services onDisk = env.withFolder(disk.path());
    core::LookupClient otherClient(onDisk);
    WorkingWindow other(Kind::Batch, onDisk, otherClient);
    QStringList words;
    for (int i = 0; i < 300; ++i) {
        words << QStringLiteral("nosuchword%1").arg(i);
    }
    const std::size_t shown = env.messages.shown.size();
    env.files.answer(writeList(data.filePath("misses.txt"), words.join("\r\n").toUtf8()));
    QTest::mouseClick(other.find<QLabel>("Label5"), Qt::LeftButton);

    faults::expectChineseError(env.messages, QStringLiteral("unfound.dat"));
    EXPECT_EQ(env.messages.shown.size(), shown + 1);
    EXPECT_EQ(other.box->document()->blockCount(), 301);
    EXPECT_TRUE(faults::readBytes(log).startsWith("\r\nearlier,\r\n"));
}

TEST_F(BatchFaults, AProgramFolderOnAReadOnlyDisk) {
    SmallDisk disk;
    REQUIRE_MOUNTED(disk);
    ASSERT_TRUE(disk.remount(QStringLiteral("ro")));
    platform::Services readOnly = env.withFolder(disk.path());
    WorkingWindow other(Kind::Batch, readOnly, client);
    const std::size_t shown = env.messages.shown.size();
    env.files.answer(writeList(data.filePath("again.txt"), "Apple\r\nxyzzy\r\n"));
    QTest::mouseClick(other.find<QLabel>("Label5"), Qt::LeftButton);
    faults::expectChineseError(env.messages, QStringLiteral("unfound.dat"));
    EXPECT_EQ(env.messages.shown.size(), shown + 1);
    EXPECT_EQ(other.box->toPlainText(), QStringLiteral("apple/5Apl/\nxyzzy/  /\n"));
}

// The manual-entry dialog appends what the user typed to the miss log; when the log cannot be
// written the transcription must still reach the document.
TEST(ManualEntryFaults, AMissLogThatIsAFolderCostsNothingOfTheDocument) {
    testing_support::TestEnvironment env;
    core::LookupClient client(env.services);
    smart::Frm3 window(env.services, client);
    smart::attachManualEntry(window, env.services);
    window.show();
    ASSERT_TRUE(QFile::remove(env.file(core::MissLog::fileName())));
    ASSERT_TRUE(QDir(env.dir.path()).mkdir(core::MissLog::fileName()));

    QTest::keyClicks(window.entryBox(), QStringLiteral("Xyzzy"));
    env.messages.answer(platform::Answer::Yes);
    QTest::keyClick(window.entryBox(), Qt::Key_Return);
    smart::Frm1* dialog = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* frm1 = qobject_cast<smart::Frm1*>(widget); frm1 && frm1->isVisible()) {
            dialog = frm1;
        }
    }
    ASSERT_NE(dialog, nullptr);
    auto* text1 = dialog->findChild<QLineEdit*>(QStringLiteral("Text1"));
    ASSERT_NE(text1, nullptr);
    QTest::keyClicks(text1, QStringLiteral("5zIzi"));
    QTest::keyClick(text1, Qt::Key_Return);

    EXPECT_EQ(window.documentBox()->toPlainText(), QStringLiteral("xyzzy/5zIzi/\n"));
    EXPECT_TRUE(QFileInfo(env.file(core::MissLog::fileName())).isDir());
    EXPECT_TRUE(window.isVisible());
}

// The dictionary library: gone from the program folder, never registered, or not a library.
enum class Library { Missing, Unregistered, Damaged };

class DictionaryFaults : public ::testing::TestWithParam<Library> {
protected:
    DictionaryFaults() : runtime(components.path()) {
        if (GetParam() != Library::Unregistered) {
            testing_support::addDictionaryManifest(runtime);
        }
        if (GetParam() == Library::Damaged) {
            faults::writeBytes(components.filePath("libsonabet.so"), QByteArray("\x7f"
                                                                                "ELF\x02\x01\x01",
                                                                                7) +
                                                                         QByteArray(300, '\0'));
        } else if (GetParam() == Library::Unregistered) {
            // The library is there, but nothing tells the runtime what it holds.
            QFile::copy(testing_support::buildProgramFolder() + "/libsonabet.so",
                        components.filePath("libsonabet.so"));
        }
    }

    // The library message came once, first; every word counted as missing.
    void expectToldOnce(std::size_t from) {
        ASSERT_GT(env.messages.shown.size(), from);
        const testing_support::ShownMessage& told = env.messages.shown[from];
        EXPECT_EQ(told.icon, platform::Icon::Critical);
        EXPECT_TRUE(told.text.contains(QStringLiteral("sonabet"))) << told.text.toStdString();
        EXPECT_TRUE(faults::hasChinese(told.text));
        for (std::size_t i = from + 1; i < env.messages.shown.size(); ++i) {
            EXPECT_FALSE(env.messages.shown[i].text.contains(QStringLiteral("sonabet")))
                << "told twice: " << env.messages.shown[i].text.toStdString();
        }
    }

    // Registries of the test's own, empty: no registration made elsewhere may stand in.
    QTemporaryDir registry;
    faults::ScopedEnvironment user{"COMPONENT_REGISTRY_DIR", QFile::encodeName(registry.path())};
    faults::ScopedEnvironment system{"COMPONENT_SYSTEM_REGISTRY_DIR",
                                     QFile::encodeName(registry.path())};
    testing_support::TestEnvironment env;
    QTemporaryDir components;
    platform::ComponentRuntime runtime;
    platform::Services services{env.services.folder, runtime, env.messages, env.files, env.shell};
    core::LookupClient client{services};
    QTemporaryDir data;
};

TEST_P(DictionaryFaults, TheBatchWindowWritesEveryWordAsMissing) {
    WorkingWindow window(Kind::Batch, services, client);
    env.files.answer(writeList(data.filePath("words.txt"), "Apple\r\n\r\n  zebra  \r\nxyzzy\r\n"));
    QTest::mouseClick(window.find<QLabel>("Label5"), Qt::LeftButton);
    expectToldOnce(0);
    EXPECT_EQ(window.box->toPlainText(), QStringLiteral("apple/  /\nzebra/  /\nxyzzy/  /\n"));
    EXPECT_EQ(faults::readBytes(env.file(core::MissLog::fileName())),
              "apple,\r\nzebra,\r\nxyzzy,\r\n");
    EXPECT_TRUE(window.widget()->isVisible());
}

TEST_P(DictionaryFaults, TheSmartWindowTellsOnceAndAsksForEachWord) {
    WorkingWindow window(Kind::SmartAnnotation, services, client);
    auto* text1 = window.find<QLineEdit>("Text1");
    const std::size_t from = env.messages.shown.size();
    env.messages.answer(platform::Answer::Ok);  // the library message
    env.messages.answer(platform::Answer::No);  // no transcription by hand: "none"
    env.messages.answer(platform::Answer::No);
    for (const char* word : {"Apple", "zebra"}) {
        QTest::keyClicks(text1, QString::fromLatin1(word));
        QTest::keyClick(text1, Qt::Key_Return);
    }
    expectToldOnce(from);
    ASSERT_EQ(env.messages.shown.size(), from + 3);
    EXPECT_EQ(env.messages.shown[from + 1].icon, platform::Icon::Question);
    EXPECT_EQ(window.box->toPlainText(), QStringLiteral("Apple [none]zebra [none]"));
}

INSTANTIATE_TEST_SUITE_P(Library, DictionaryFaults,
                         ::testing::Values(Library::Missing, Library::Unregistered,
                                           Library::Damaged),
                         [](const auto& info) {
                             switch (info.param) {
                                 case Library::Missing:
                                     return std::string("Missing");
                                 case Library::Unregistered:
                                     return std::string("Unregistered");
                                 case Library::Damaged:
                                     return std::string("Damaged");
                             }
                             return std::string();
                         });

}  // namespace
