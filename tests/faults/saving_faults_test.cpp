// Saving, autosaving and transferring a document where the write cannot succeed: a missing
// folder, a folder in the file's place, a read-only disk, a full disk, a folder that goes away,
// a transfer file the word processor holds. Each time: no crash, an error the user can read
// when the user asked for the save, the document in the window as it was, and every file saved
// before byte for byte as it was.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include "dialogs.h"

#include "faults.h"
#include "filesizelimit.h"
#include "rtfreader.h"
#include "rtfwriter.h"
#include "windows.h"

namespace {

using namespace faults;
using platform::Answer;

class SavingFaults : public ::testing::TestWithParam<Kind> {
protected:
    SavingFaults() : client(env.services), window(GetParam(), env.services, client) {}

    void SetUp() override {
        ASSERT_TRUE(window.box && window.save && window.saver);
        for (int i = 0; i < 3; ++i) {
            faults::appendAnnotated(*window.box, QStringLiteral("Quality"),
                                    QStringLiteral("5kwRliti"));
        }
        // A selection that a careless save could lose.
        QTextCursor cursor = window.box->textCursor();
        cursor.setPosition(2);
        cursor.setPosition(5, QTextCursor::KeepAnchor);
        window.box->setTextCursor(cursor);
        earlier = env.file(QStringLiteral("earlier.doc"));
        saveAs(earlier);
        ASSERT_TRUE(QFile::exists(earlier));
        shownBefore = env.messages.shown.size();
    }

    void saveAs(const QString& path) {
        env.files.answer(path);
        window.clickSave();
    }

    // The save the user asked for failed, said so, and changed nothing.
    void expectRefused(const QString& path, const DocumentState& before) {
        faults::expectChineseError(env.messages, path);
        EXPECT_EQ(env.messages.shown.size(), shownBefore + 1);
        EXPECT_EQ(stateOf(*window.box), before);
        EXPECT_EQ(window.saver->currentFile(), earlier);
        if (window.hasAutosave()) {
            EXPECT_EQ(window.fileLabel(), earlier);
            EXPECT_TRUE(window.timerRunning());
        }
    }

    testing_support::TestEnvironment env;
    core::LookupClient client;
    WorkingWindow window;
    QString earlier;
    std::size_t shownBefore = 0;
};

TEST_P(SavingFaults, IntoAFolderThatDoesNotExist) {
    const FileSnapshot saved(env.dir.path());
    const DocumentState before = stateOf(*window.box);
    const QString path = env.file(QStringLiteral("no such folder/story.doc"));
    saveAs(path);
    expectRefused(path, before);
    EXPECT_FALSE(QFileInfo::exists(env.file(QStringLiteral("no such folder"))));
    saved.expectUnchanged();
}

TEST_P(SavingFaults, OntoAFolderOfTheSameName) {
    QDir(env.dir.path()).mkdir(QStringLiteral("story.doc"));
    const FileSnapshot saved(env.dir.path());
    const DocumentState before = stateOf(*window.box);
    const QString path = env.file(QStringLiteral("story.doc"));
    // The name exists, so the overwrite question comes first; the user agrees.
    env.messages.answer(Answer::Ok);
    saveAs(path);
    ASSERT_EQ(env.messages.shown.size(), shownBefore + 2);
    EXPECT_EQ(env.messages.shown[shownBefore].icon, platform::Icon::Question);
    ++shownBefore;
    expectRefused(path, before);
    EXPECT_TRUE(QFileInfo(path).isDir());
    saved.expectUnchanged();
}

// Neither a read-only file nor a read-only folder is a full disk, and the user is told which.
TEST_P(SavingFaults, OntoAReadOnlyDisk) {
    SmallDisk disk;
    REQUIRE_MOUNTED(disk);
    const QString path = disk.file(QStringLiteral("story.doc"));
    ASSERT_TRUE(faults::writeBytes(path, "{\\rtf1 an older story}"));
    ASSERT_TRUE(disk.remount(QStringLiteral("ro")));
    const FileSnapshot onDisk(disk.path());
    const FileSnapshot saved(env.dir.path());
    const DocumentState before = stateOf(*window.box);

    env.messages.answer(Answer::Ok);  // replace the older story
    for (const QString& target : {path, disk.file(QStringLiteral("new.doc"))}) {
        SCOPED_TRACE(target.toStdString());
        saveAs(target);
        ++shownBefore;
        expectRefused(target, before);
        EXPECT_TRUE(env.messages.shown.back().text.contains(QStringLiteral("只读")))
            << env.messages.shown.back().text.toStdString();
        EXPECT_FALSE(env.messages.shown.back().text.contains(QStringLiteral("磁盘可能已满")));
    }
    onDisk.expectUnchanged();
    saved.expectUnchanged();
}

// A file the user may change in a folder where no file may be created (a writable file shown
// in a read-only disk's folder) is saved in place, in full.
TEST_P(SavingFaults, OverAWritableFileInAFolderThatTakesNoNewFiles) {
    SmallDisk disk;
    REQUIRE_MOUNTED(disk);
    const QString path = disk.file(QStringLiteral("story.doc"));
    ASSERT_TRUE(faults::writeBytes(path, QByteArray()));
    const QString writable = env.file(QStringLiteral("writable.doc"));
    ASSERT_TRUE(faults::writeBytes(writable, QByteArray(20000, 'x')));  // longer than the new
    ASSERT_TRUE(disk.remount(QStringLiteral("ro")));
    ASSERT_TRUE(disk.bindFile(writable, QStringLiteral("story.doc")));
    const DocumentState before = stateOf(*window.box);

    env.messages.answer(Answer::Ok);  // replace it
    saveAs(path);
    ASSERT_EQ(env.messages.shown.size(), shownBefore + 2);
    EXPECT_EQ(env.messages.shown.back().icon, platform::Icon::Information)
        << env.messages.shown.back().text.toStdString();
    EXPECT_EQ(window.saver->currentFile(), path);
    EXPECT_EQ(faults::readBytes(path), core::toRtf(*window.box->document()));
    EXPECT_EQ(stateOf(*window.box), before);
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("story.doc")});
}

TEST_P(SavingFaults, OntoAFullDiskThenAutosaveUntilThereIsRoomAgain) {
    SmallDisk disk(QStringLiteral("size=64k"));
    REQUIRE_MOUNTED(disk);
    const QString path = disk.file(QStringLiteral("story.doc"));
    saveAs(path);  // the short document fits
    ASSERT_EQ(window.saver->currentFile(), path);
    const QByteArray firstSave = faults::readBytes(path);
    ASSERT_TRUE(firstSave.startsWith("{\\rtf1"));
    earlier = path;
    shownBefore = env.messages.shown.size();

    // The document grows far beyond what the disk holds.
    for (int i = 0; i < 1500; ++i) {
        faults::appendAnnotated(*window.box, QStringLiteral("Word%1").arg(i),
                                QStringLiteral("w\\:d"));
    }
    const DocumentState before = stateOf(*window.box);
    env.messages.answer(Answer::Ok);  // overwrite the first save
    saveAs(path);
    ++shownBefore;
    expectRefused(path, before);
    EXPECT_EQ(faults::readBytes(path), firstSave);
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("story.doc")})
        << "a half-written file was left behind";

    if (!window.hasAutosave()) {
        return;
    }
    shownBefore = env.messages.shown.size();
    // Autosave fails quietly and keeps the first save; once there is room it writes it all.
    window.autosave();
    EXPECT_EQ(faults::readBytes(path), firstSave);
    EXPECT_EQ(env.messages.shown.size(), shownBefore);
    EXPECT_EQ(stateOf(*window.box), before);
    ASSERT_TRUE(disk.remount(QStringLiteral("size=4m")));
    window.autosave();
    const testing_support::RtfReading reading = testing_support::readRtf(faults::readBytes(path));
    ASSERT_TRUE(reading.ok()) << reading.error.toStdString();
    EXPECT_EQ(reading.plainText(), window.box->document()->toPlainText() + u'\n');
    EXPECT_EQ(stateOf(*window.box), before);
}

// A document short enough to stay in the write buffer, under a quota that takes only part of
// it: the failure shows only when the buffer goes to the file, and must still cost nothing.
TEST_P(SavingFaults, ASmallDocumentUnderANearlyFullQuota) {
    const QString path = env.file(QStringLiteral("keep.doc"));
    ASSERT_TRUE(faults::writeBytes(path, "{\\rtf1 the last good copy}"));
    for (int i = 0; i < 17; ++i) {  // 20 lines with the three of every test
        faults::appendAnnotated(*window.box, QStringLiteral("Word%1").arg(i),
                                QStringLiteral("w\\:d"));
    }
    const qsizetype size = core::toRtf(*window.box->document()).size();
    ASSERT_GT(size, 1024);
    ASSERT_LT(size, 16384);
    const FileSnapshot saved(env.dir.path());
    const DocumentState before = stateOf(*window.box);
    const int remaining = window.saver->timer()->remainingTime();

    env.messages.answer(Answer::Ok);  // replace the last good copy
    {
        const testing_support::FileSizeLimit limit(1024);
        saveAs(path);
    }
    ++shownBefore;
    expectRefused(path, before);
    // The refused save starts no autosave.
    EXPECT_EQ(window.saver->timer()->isActive(), remaining >= 0);
    saved.expectUnchanged();
}

// Only the manual-input and the smart-annotation windows autosave and transfer to Word.
class AutosaveAndTransferFaults : public SavingFaults {
protected:
    void addWords() {
        faults::appendAnnotated(*window.box, QStringLiteral("zebra"), QStringLiteral("5zi:brE"));
    }
    void expectFileHoldsTheDocument(const QString& path) {
        const testing_support::RtfReading reading =
            testing_support::readRtf(faults::readBytes(path));
        ASSERT_TRUE(reading.ok()) << reading.error.toStdString();
        EXPECT_EQ(reading.plainText(), window.box->document()->toPlainText() + u'\n');
    }
};

TEST_P(AutosaveAndTransferFaults, OntoADiskThatTurnedReadOnly) {
    SmallDisk disk;
    REQUIRE_MOUNTED(disk);
    const QString path = disk.file(QStringLiteral("story.doc"));
    saveAs(path);
    const QByteArray firstSave = faults::readBytes(path);
    ASSERT_TRUE(firstSave.startsWith("{\\rtf1"));
    const std::size_t shown = env.messages.shown.size();
    addWords();
    ASSERT_TRUE(disk.remount(QStringLiteral("ro")));
    const DocumentState before = stateOf(*window.box);

    window.autosave();
    EXPECT_EQ(faults::readBytes(path), firstSave);
    EXPECT_EQ(env.messages.shown.size(), shown);
    EXPECT_EQ(stateOf(*window.box), before);
    EXPECT_EQ(window.fileLabel(), path);

    ASSERT_TRUE(disk.remount(QStringLiteral("rw")));
    window.autosave();
    expectFileHoldsTheDocument(path);
    EXPECT_EQ(stateOf(*window.box), before);
}

TEST_P(AutosaveAndTransferFaults, IntoAFolderThatWentAway) {
    QDir(env.dir.path()).mkdir(QStringLiteral("work"));
    const QString path = env.file(QStringLiteral("work/story.doc"));
    saveAs(path);
    ASSERT_EQ(window.fileLabel(), path);
    ASSERT_TRUE(QDir(env.file(QStringLiteral("work"))).removeRecursively());
    addWords();
    const FileSnapshot saved(env.dir.path());
    const DocumentState before = stateOf(*window.box);
    const std::size_t shown = env.messages.shown.size();

    window.autosave();
    window.autosave();
    EXPECT_EQ(env.messages.shown.size(), shown);
    EXPECT_EQ(stateOf(*window.box), before);
    EXPECT_FALSE(QFileInfo::exists(env.file(QStringLiteral("work"))));
    saved.expectUnchanged();

    // Saving under another name moves the autosave there.
    const QString elsewhere = env.file(QStringLiteral("elsewhere.doc"));
    saveAs(elsewhere);
    EXPECT_EQ(window.fileLabel(), elsewhere);
    addWords();
    window.autosave();
    expectFileHoldsTheDocument(elsewhere);
    EXPECT_EQ(faults::readBytes(earlier), saved.bytesOf(QStringLiteral("earlier.doc")));
}

// "转入Word" writes into the program folder and opens the file; failures there are not the
// user's to answer, but they must cost nothing.
TEST_P(AutosaveAndTransferFaults, TransferWithTheProgramFolderOnAReadOnlyDisk) {
    SmallDisk disk;
    REQUIRE_MOUNTED(disk);
    ASSERT_TRUE(disk.remount(QStringLiteral("ro")));
    platform::Services readOnly = env.withFolder(disk.path());
    WorkingWindow other(GetParam(), readOnly, client);
    ASSERT_TRUE(other.transfer);
    faults::appendAnnotated(*other.box, QStringLiteral("apple"), QStringLiteral("5Apl"));
    const DocumentState before = stateOf(*other.box);
    const std::size_t shown = env.messages.shown.size();

    other.clickTransfer();
    EXPECT_EQ(env.messages.shown.size(), shown);
    EXPECT_EQ(stateOf(*other.box), before);
    ASSERT_EQ(env.shell.opened.size(), 1);
    EXPECT_TRUE(env.shell.opened[0].startsWith(disk.path()));
    EXPECT_FALSE(QFileInfo::exists(env.shell.opened[0]));
    EXPECT_TRUE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// On this platform a file that the word processor holds open can still be replaced and
// deleted; the word processor keeps reading what it opened.
TEST_P(AutosaveAndTransferFaults, TransferFilesHeldOpenByTheWordProcessor) {
    window.clickTransfer();
    ASSERT_EQ(env.shell.opened.size(), 1);
    const QString first = env.shell.opened[0];
    const QByteArray firstContent = faults::readBytes(first);
    QFile held(first);
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    QByteArray seen = held.read(10);

    addWords();
    const DocumentState before = stateOf(*window.box);
    window.clickTransfer();
    ASSERT_EQ(env.shell.opened.size(), 2);
    expectFileHoldsTheDocument(env.shell.opened[1]);
    EXPECT_EQ(stateOf(*window.box), before);

    output::removeTransferFiles(env.services.folder);
    EXPECT_TRUE(QDir(env.dir.path()).entryList({QStringLiteral("tmp*.doc")}).isEmpty());
    seen += held.readAll();
    EXPECT_EQ(seen, firstContent);
    EXPECT_EQ(stateOf(*window.box), before);
}

// A name the user chose is shown as typed, never read as markup: "<b>" would turn bold and
// "<img src=...>" would load a local file into the message.
TEST(MarkupInNames, ShowsAsTypedInTheFileLabelAndInMessageBoxes) {
    for (const Kind kind : {Kind::ManualInput, Kind::SmartAnnotation}) {
        testing_support::TestEnvironment env;
        core::LookupClient client(env.services);
        WorkingWindow window(kind, env.services, client);
        const QString path = env.file(QStringLiteral("<b>x<img src=lock.jpg>.doc"));
        env.files.answer(path);
        window.clickSave();
        ASSERT_EQ(window.fileLabel(), path) << faults::nameOf(kind);
        EXPECT_EQ(window.lblfile->textFormat(), Qt::PlainText) << faults::nameOf(kind);
    }

    // The real message box, answered as soon as it shows.
    Qt::TextFormat format = Qt::AutoText;
    QString shown;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                format = box->textFormat();
                shown = box->text();
                box->button(QMessageBox::Ok)->click();
            }
        }
    });
    platform::QtMessageBoxes boxes;
    const QString text = QStringLiteral("没找到  <b>x  的音标");
    EXPECT_EQ(boxes.show(nullptr, text, platform::Icon::Question, platform::Buttons::OkCancel,
                         Answer::Cancel),
              Answer::Ok);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(shown, text);
}

INSTANTIATE_TEST_SUITE_P(Windows, SavingFaults,
                         ::testing::Values(Kind::ManualInput, Kind::SmartAnnotation, Kind::Batch),
                         [](const auto& info) { return std::string(faults::nameOf(info.param)); });
INSTANTIATE_TEST_SUITE_P(Windows, AutosaveAndTransferFaults,
                         ::testing::Values(Kind::ManualInput, Kind::SmartAnnotation),
                         [](const auto& info) { return std::string(faults::nameOf(info.param)); });

}  // namespace
