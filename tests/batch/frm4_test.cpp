// The batch window driven as a user drives it: the dialog, the run, the document, the clipboard,
// the miss log, and the commands while a run goes.
#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QProgressBar>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTimer>

#include "accentchooser.h"
#include "batchengine.h"
#include "batchfiles.h"
#include "children.h"
#include "clickablelabel.h"
#include "documentbox.h"
#include "frm4.h"
#include "layoutcheck.h"
#include "lookupclient.h"
#include "misslog.h"
#include "pieces.h"
#include "testenv.h"
#include "wordlist.h"

namespace {

using batch_testing::exampleDocument;
using batch_testing::exampleList;
using batch_testing::readBytes;
using batch_testing::writeFile;
using testing_support::Piece;
using testing_support::TestEnvironment;

const QString kPhonetic = QStringLiteral("Kingsoft Phonetic Plain");

class Frm4Test : public ::testing::Test {
protected:
    // The transcriptions show as IPA, as on a machine with the font installed.
    static void SetUpTestSuite() {
        QFontDatabase::addApplicationFont(QStringLiteral(VOXSCRIBE_PROGRAM_DIR "/Ksphonet.ttf"));
    }
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QString list(const QString& name, const QByteArray& bytes) {
        return writeFile(env.dir.path(), name, bytes);
    }
    template <class T = QLabel>
    T* find(const char* name) {
        return testing_support::childOf<T>(window, QString::fromLatin1(name));
    }
    // The user clicks "选择文件…" and picks path in the dialog (an empty path cancels).
    void chooseFile(const QString& path) {
        env.files.answer(path);
        QTest::mouseClick(find("Label5"), Qt::LeftButton);
    }
    QString document() const { return window.documentBox()->toPlainText(); }
    QByteArray missLog() const { return readBytes(env.file("unfound.dat")); }
    QString clipboardText() const { return output::clipboard::get(); }

    TestEnvironment env;
    core::LookupClient client{env.services};
    batch::Frm4 window{env.services, client};
};

TEST_F(Frm4Test, ShowsItsControlsInAFramelessWindow) {
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.windowTitle(), QString());
    EXPECT_EQ(window.findChild<QLabel*>("lblbiaoti")->text(), "批量标注");
    EXPECT_EQ(window.findChild<QLabel*>("lblmin")->toolTip(), "最小化窗口");
    EXPECT_EQ(window.findChild<QLabel*>("lblclose")->toolTip(), "关闭窗口");
    EXPECT_NE(window.findChild<QWidget*>("Image1"), nullptr);
    EXPECT_EQ(window.findChild<QLabel*>("Label1")->text(),
              "请选择扩展名为txt的文本文件.请确认是一个单词占一行");
    EXPECT_EQ(window.findChild<widgets::ClickableLabel*>("Label5")->text(), "选择文件…");
    EXPECT_EQ(window.findChild<widgets::ClickableLabel*>("Label4")->text(), "保 存");
    EXPECT_EQ(window.findChild<QLabel*>("Label2")->text(), QString());
    EXPECT_EQ(window.findChild<QLabel*>("Label3")->text(), QString());
    EXPECT_FALSE(window.findChild<QProgressBar*>("ProgressBar1")->isVisible());
    auto* rich2 = window.findChild<output::DocumentBox*>("Rich2");
    ASSERT_NE(rich2, nullptr);
    EXPECT_TRUE(rich2->toPlainText().isEmpty());
    EXPECT_EQ(rich2->document()->defaultFont().family(), "Kingsoft Phonetic Plain");
    EXPECT_EQ(rich2->document()->defaultFont().pointSizeF(), 12.0);
    EXPECT_EQ(window.size(), QSize(7890 / 15, 6000 / 15));
}

TEST_F(Frm4Test, AnnotatesTheExampleListLineByLine) {
    const QString path = list("words.txt", exampleList());
    // Lines go straight into the document: a clipboard manager would otherwise keep every one.
    QSignalSpy clipboardChanges(QGuiApplication::clipboard(), &QClipboard::dataChanged);
    chooseFile(path);
    EXPECT_LE(clipboardChanges.count(), 2);  // at most the clear and the last line

    ASSERT_EQ(env.files.requests.size(), 1u);
    const testing_support::FileDialogRequest& dialog = env.files.requests[0];
    EXPECT_FALSE(dialog.save);
    EXPECT_EQ(dialog.filter, "文本文件(*.txt)|*.txt");
    EXPECT_EQ(dialog.title, "请选择文本文件，一个单词一行");
    EXPECT_EQ(dialog.initialName, QString());

    EXPECT_EQ(document(), exampleDocument());
    EXPECT_EQ(clipboardText(), "xyzzy/  /\r\n");
    EXPECT_EQ(find("Label2")->text(), path);
    EXPECT_EQ(find("Label3")->text(), QString());
    EXPECT_FALSE(find<QProgressBar>("ProgressBar1")->isVisible());
    EXPECT_EQ(missLog(), "xyzzy,\r\n");
    EXPECT_TRUE(env.messages.shown.empty());
    EXPECT_TRUE(window.updatesEnabled());
    // Words and slashes in black Arial, transcriptions in blue phonetic codes.
    const std::vector<Piece> lines{
        {"apple/", "Arial", core::kBlack},    {"5Apl", kPhonetic, core::kBlue},
        {"/\nzebra/", "Arial", core::kBlack}, {"5zi:brE", kPhonetic, core::kBlue},
        {"/\nxyzzy/", "Arial", core::kBlack}, {"  ", kPhonetic, core::kBlue},
        {"/\n", "Arial", core::kBlack},
    };
    EXPECT_EQ(testing_support::piecesOf(*window.documentBox()->document()), lines);

    // A second run inserts at the caret, behind the first, and logs the miss again.
    chooseFile(path);
    EXPECT_EQ(document(), exampleDocument() + exampleDocument().chopped(1) + "\n");
    EXPECT_EQ(missLog(), "xyzzy,\r\nxyzzy,\r\n");
}

// 英 / 美 / 英美: the lines carry the British transcription, the American one, or both after their
// labels; a word missing is missing in each accent. The choice is remembered for the next window.
TEST_F(Frm4Test, TheAccentChoiceAnnotatesInEitherAccentOrBoth) {
    const QString zebra = client.lookupAmerican("zebra").transcription;
    ASSERT_FALSE(zebra.isEmpty());
    const auto arial = [](const char* text) { return Piece{text, "Arial", core::kBlack}; };
    const auto codes = [](const QString& text) { return Piece{text, kPhonetic, core::kBlue}; };
    const struct {
        const char* caption;
        std::vector<Piece> expected;
    } cases[] = {
        {"美",
         {arial("quality/"), codes("5kwB:lEti"), arial("/\nzebra/"), codes(zebra),
          arial("/\nxyzzy/"), codes("  "), arial("/\n")}},
        {"英美",
         {arial("quality 英["), codes("5kwRliti"), arial("] 美["), codes("5kwB:lEti"),
          arial("]\nzebra 英["), codes("5zi:brE"), arial("] 美["), codes(zebra),
          arial("]\nxyzzy 英["), codes("  "), arial("] 美["), codes("  "), arial("]\n")}},
    };
    const QString path = list("words.txt", "quality\r\nzebra\r\nxyzzy\r\n");
    auto* accent = find<QComboBox>("Accent");
    ASSERT_NE(accent, nullptr);
    for (const auto& c : cases) {
        window.documentBox()->clear();
        const int index = accent->findText(QString::fromUtf8(c.caption));
        accent->setCurrentIndex(index);
        Q_EMIT accent->activated(index);
        chooseFile(path);
        EXPECT_EQ(testing_support::piecesOf(*window.documentBox()->document()), c.expected)
            << c.caption;
    }
    batch::Frm4 again(env.services, client);
    EXPECT_EQ(testing_support::childOf<QComboBox>(again, QStringLiteral("Accent"))->currentText(),
              "英美");
}

TEST_F(Frm4Test, ReadsEveryKindOfLineEndAndTheByteOrderMark) {
    const std::pair<const char*, QByteArray> files[] = {
        {"cr.txt", exampleList("\r")},
        {"lf.txt", exampleList("\n")},
        {"crlf.txt", exampleList("\r\n")},
        {"bom.txt", "\xEF\xBB\xBF" + exampleList("\n")},
    };
    for (const auto& [name, bytes] : files) {
        window.documentBox()->clearDocument();
        chooseFile(list(name, bytes));
        EXPECT_EQ(document(), exampleDocument()) << name;
    }
    EXPECT_EQ(missLog(), "xyzzy,\r\nxyzzy,\r\nxyzzy,\r\nxyzzy,\r\n");
}

TEST_F(Frm4Test, BlankTabDigitAndApostropheLinesAreMisses) {
    chooseFile(list("odd.txt", "   \r\n\tapple\r\n3D\r\n'til\r\nQUALITY\r\n"));
    EXPECT_EQ(document(), "/  /\n\tapple/  /\n3d/  /\n'til/  /\nquality/5kwRliti/\n");
    EXPECT_EQ(missLog(), ",\r\n\tapple,\r\n3d,\r\n'til,\r\n");
    EXPECT_EQ(clipboardText(), "quality/5kwRliti/\r\n");
}

TEST_F(Frm4Test, ReadsAWordListSavedByChineseWindows) {
    // GB18030 (not valid UTF-8): 苹果 and a word the dictionary holds.
    chooseFile(list("gbk.txt", "\xC6\xBB\xB9\xFB\r\nApple\r\n"));
    EXPECT_EQ(document(), QString::fromUtf8("苹果/  /\napple/5Apl/\n"));
    EXPECT_EQ(missLog(), "\xE8\x8B\xB9\xE6\x9E\x9C,\r\n");
    EXPECT_TRUE(env.messages.shown.empty());
}

TEST_F(Frm4Test, AFileThatCannotBeReadIsReportedAndChangesNothing) {
    window.documentBox()->replaceSelection("kept\r\n");
    output::clipboard::put("on the clipboard");
    const QString binary = list("picture.txt", QByteArray("GIF89a\0\0\x01\0", 10));
    const QString missing = env.dir.filePath("gone.txt");
    for (const QString& path : {binary, missing}) {
        env.messages.shown.clear();
        chooseFile(path);
        ASSERT_EQ(env.messages.shown.size(), 1u) << path.toStdString();
        EXPECT_EQ(env.messages.shown[0].icon, platform::Icon::Critical);
        EXPECT_TRUE(env.messages.shown[0].text.contains(path));
        EXPECT_EQ(document(), "kept\n");
        EXPECT_EQ(clipboardText(), "on the clipboard");
        EXPECT_EQ(find("Label3")->text(), QString());
        EXPECT_FALSE(QFileInfo::exists(env.file("unfound.dat")));
        EXPECT_TRUE(find("Label5")->isEnabled());
    }
    EXPECT_TRUE(env.messages.shown[0].text.contains("找不到文件"));
}

TEST_F(Frm4Test, AMissLogThatCannotBeWrittenIsReportedOnceAfterTheRun) {
    // A folder where the log should be: no append can open it, whoever runs the test.
    ASSERT_TRUE(QDir(env.dir.path()).mkdir("unfound.dat"));
    // The window behind the message repaints.
    bool updatesBehindMessage = false;
    env.messages.onShow([&](const testing_support::ShownMessage&) {
        updatesBehindMessage = window.updatesEnabled();
    });
    chooseFile(list("words.txt", "xyzzy\r\napple\r\nplugh\r\n"));
    EXPECT_TRUE(updatesBehindMessage);
    EXPECT_EQ(document(), "xyzzy/  /\napple/5Apl/\nplugh/  /\n");
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].icon, platform::Icon::Critical);
    EXPECT_TRUE(env.messages.shown[0].text.contains(env.file("unfound.dat")));
    EXPECT_FALSE(window.isRunning());
}

TEST(Frm4WithoutDictionary, EveryWordIsAMissAndTheUserIsToldOnce) {
    QTemporaryDir noLibrary;
    TestEnvironment env(noLibrary.path());
    core::LookupClient client(env.services);
    batch::Frm4 window(env.services, client);
    window.show();
    env.files.answer(writeFile(env.dir.path(), "words.txt", exampleList()));
    QTest::mouseClick(window.findChild<QLabel*>(QStringLiteral("Label5")), Qt::LeftButton);
    EXPECT_EQ(window.documentBox()->toPlainText(), "apple/  /\nzebra/  /\nxyzzy/  /\n");
    EXPECT_EQ(readBytes(env.file("unfound.dat")), "apple,\r\nzebra,\r\nxyzzy,\r\n");
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_TRUE(env.messages.shown[0].text.contains("sonabet"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("Label5"))->isEnabled());
}

TEST_F(Frm4Test, ACancelledDialogChangesNothing) {
    window.documentBox()->replaceSelection("kept");
    chooseFile(list("words.txt", exampleList()));
    const QString before = document();
    chooseFile(QString());
    EXPECT_EQ(env.files.requests.size(), 2u);
    EXPECT_EQ(document(), before);
    EXPECT_EQ(find("Label2")->text(), env.dir.filePath("words.txt"));
    EXPECT_EQ(missLog(), "xyzzy,\r\n");
}

TEST_F(Frm4Test, TheFirstBatchLineReplacesASelection) {
    window.documentBox()->replaceSelection("before SELECTED after");
    QTextCursor cursor = window.documentBox()->textCursor();
    cursor.setPosition(7);
    cursor.setPosition(15, QTextCursor::KeepAnchor);
    window.documentBox()->setTextCursor(cursor);
    chooseFile(list("words.txt", "zebra\r\nquality\r\n"));
    EXPECT_EQ(document(), "before zebra/5zi:brE/\nquality/5kwRliti/\n after");
}

TEST_F(Frm4Test, NothingCutsIntoARunningBatch) {
    chooseFile(list("first.txt", "apple\r\n"));  // something in the document to save
    const QString path = list("words.txt", exampleList());
    env.files.answer(path);
    env.files.answer(env.dir.filePath("never.rtf"));  // would be the answer to a second dialog
    bool checked = false;
    // Runs during the run's first pass through the event loop.
    QTimer::singleShot(0, &window, [&] {
        checked = true;
        EXPECT_TRUE(window.isRunning());
        EXPECT_EQ(find("Label3")->text(), "正在标注,请稍候……");
        EXPECT_TRUE(find<QProgressBar>("ProgressBar1")->isVisible());
        EXPECT_FALSE(find("Label5")->isEnabled());
        EXPECT_FALSE(find("Label4")->isEnabled());
        EXPECT_FALSE(find("lblclose")->isEnabled());
        QTest::mouseClick(find("Label5"), Qt::LeftButton);
        QTest::mouseClick(find("Label4"), Qt::LeftButton);
        window.activateWindow();
        window.documentBox()->setFocus();
        QTest::keyClick(window.documentBox(), Qt::Key_A, Qt::AltModifier);
        QTest::keyClick(window.documentBox(), Qt::Key_X);
        QTest::mouseClick(window.documentBox()->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseClick(find("lblclose"), Qt::LeftButton);
        QTest::keyClick(&window, Qt::Key_Escape);
        EXPECT_FALSE(window.close());
        window.reject();
        EXPECT_TRUE(window.isVisible());
    });
    QTest::mouseClick(find("Label5"), Qt::LeftButton);

    EXPECT_TRUE(checked);
    EXPECT_EQ(env.files.requests.size(), 2u);  // the two runs' open dialogs, no save dialog
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isRunning());
    EXPECT_EQ(document(), "apple/5Apl/\n" + exampleDocument());
    EXPECT_TRUE(find("Label5")->isEnabled());
    EXPECT_TRUE(find("Label4")->isEnabled());
    EXPECT_TRUE(find("lblclose")->isEnabled());
    // Afterwards the box takes the user's typing again.
    window.documentBox()->setFocus();
    QTest::keyClick(window.documentBox(), Qt::Key_X);
    EXPECT_EQ(document(), "apple/5Apl/\n" + exampleDocument() + "x");

    // The events keep running to the end of a long run, not only on its first pass.
    int passes = 0;
    QTimer everyPass;
    QObject::connect(&everyPass, &QTimer::timeout, [&] { passes += window.isRunning() ? 1 : 0; });
    everyPass.start(0);
    window.annotateFile(list("long.txt", QByteArray("apple\r\n").repeated(20000)));
    EXPECT_GE(passes, 2);
    EXPECT_EQ(document().count("apple/5Apl/"), 20002);
}

// The old way of writing a run into a document: every line into the box at once.
class LineByLine final : public core::BatchSink {
public:
    explicit LineByLine(output::DocumentBox& box) : box_(box) {}
    void writeWord(const QString& key, const QString& transcription) override {
        box_.insertRuns(core::batchLine(key, transcription));
    }
    void writeGuessedLine(const QString& key, const QString& codes) override {
        box_.insertRuns(core::guessedBatchLine(key, codes));
    }
    void writeBoth(const QString& key, const core::Shown& british,
                   const core::Shown& american) override {
        box_.insertRuns(core::bothBatchLine(key, british, american));
    }

private:
    output::DocumentBox& box_;
};

bool laidOutToTheEnd(const QTextDocument& document) {
    const QTextBlock last = document.lastBlock();
    return last.isVisible() && last.layout() && last.layout()->lineCount() > 0;
}

// A run longer than the view: the view keeps the run's first lines while the text engine lays
// out the rest afterwards; the caret ends after the last line; the document saves, before and
// after that layout, as the same lines written straight into a document; Ctrl+End right after a
// run shows the last line.
TEST_F(Frm4Test, ALongRunKeepsItsFirstLinesInViewAndSavesAsTheLinesWrittenStraightIn) {
    const QString path = list("long.txt", QByteArray("apple\r\nzebra\r\nxyzzy\r\n").repeated(4000));
    output::DocumentBox* box = window.documentBox();
    window.annotateFile(path);
    QScrollBar* bar = box->verticalScrollBar();
    EXPECT_EQ(bar->value(), 0);
    EXPECT_GT(box->document()->findBlockByNumber(10).layout()->lineCount(), 0);  // the view's
    EXPECT_EQ(box->textCursor().position(), box->document()->characterCount() - 1);
    EXPECT_FALSE(laidOutToTheEnd(*box->document()));  // the rest comes after the run
    const QString during = env.dir.filePath("during.rtf");
    ASSERT_TRUE(box->saveToFile(during));
    QTRY_VERIFY_WITH_TIMEOUT(laidOutToTheEnd(*box->document()), 30000);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_GT(bar->maximum(), 12000 * 10);  // every line has its height
    const QString after = env.dir.filePath("after.rtf");
    ASSERT_TRUE(box->saveToFile(after));

    output::DocumentBox straight;
    straight.setDefaultFormat(core::batchDocumentFont(), core::kBatchPointSize);
    core::BatchEngine engine(client, core::MissLog(env.dir.filePath("straight.dat")));
    engine.setAccent(window.findChild<widgets::AccentChooser*>()->accent());
    LineByLine lines(straight);
    engine.run(core::readWordList(path).lines, lines);
    const QString expected = env.dir.filePath("straight.rtf");
    ASSERT_TRUE(straight.saveToFile(expected));
    EXPECT_EQ(readBytes(during), readBytes(expected));
    EXPECT_EQ(readBytes(after), readBytes(expected));

    window.annotateFile(path);
    window.documentBox()->setFocus();
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    EXPECT_TRUE(laidOutToTheEnd(*box->document()));
    EXPECT_TRUE(box->viewport()->rect().contains(box->cursorRect()));
    EXPECT_GT(bar->value(), 0);
    EXPECT_EQ(document().count("zebra/5zi:brE/"), 8000);
}

TEST_F(Frm4Test, SavesAsRtfAndConfirmsWithThePath) {
    chooseFile(list("words.txt", exampleList()));
    const QString target = env.dir.filePath("result.doc");
    env.files.answer(target);
    QTest::mouseClick(find("Label4"), Qt::LeftButton);

    ASSERT_EQ(env.files.requests.size(), 2u);
    EXPECT_TRUE(env.files.requests[1].save);
    EXPECT_EQ(env.files.requests[1].filter, "Word文档(*.doc)|*.doc|Rich Text File(*.rtf)|*.rtf|");
    EXPECT_TRUE(readBytes(target).startsWith("{\\rtf"));
    EXPECT_TRUE(readBytes(target).contains("5zi:brE"));
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].text, target + "已经保存好了!");
    EXPECT_EQ(env.messages.shown[0].icon, platform::Icon::Information);
    EXPECT_EQ(document(), exampleDocument());
}

TEST_F(Frm4Test, AltASavesAlsoWhileTheDocumentHasTheFocus) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (QWidget* focus :
         {static_cast<QWidget*>(window.documentBox()), static_cast<QWidget*>(&window)}) {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_A, Qt::AltModifier);
    }
    // Alt with another modifier is not the save key.
    QTest::keyClick(window.documentBox(), Qt::Key_A, Qt::AltModifier | Qt::ControlModifier);
    ASSERT_EQ(env.files.requests.size(), 2u);
    EXPECT_TRUE(env.files.requests[0].save);
    EXPECT_TRUE(env.files.requests[1].save);
}

TEST_F(Frm4Test, EscDoesNotCloseButTheCloseLabelDoes) {
    QTest::keyClick(window.documentBox(), Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    QTest::mouseClick(find("lblclose"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

// A reviewer's picture of the window after a run, in which no control covers another and every
// caption fits; VOXSCRIBE_SNAPSHOT_DIR names the folder it goes to.
TEST_F(Frm4Test, RendersASnapshot) {
    chooseFile(list("words.txt", "quality\r\nthe\r\nair\r\nxyzzy\r\nNew York\r\n"));
    const QString path = layout_check::snapshotPath("Frm4.png", env.dir.path());
    ASSERT_TRUE(window.grab().toImage().save(path));
    EXPECT_EQ(layout_check::layoutProblems(window), std::vector<std::string>{});
}

}  // namespace
