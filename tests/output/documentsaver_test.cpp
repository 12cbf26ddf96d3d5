// The save operation, autosave and transfer to Word, with the user's answers scripted.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <QWidget>

#include "documentbox.h"
#include "documentsaver.h"
#include "files.h"
#include "testenv.h"

namespace {

using output::DocumentBox;
using output::DocumentSaver;
using platform::Answer;
using platform::Icon;
using testing_support::readBytes;
using widgets::WorkingWindow;

void writeFile(const QString& path, const QByteArray& data) {
    ASSERT_TRUE(testing_support::writeBytes(path, data));
}

// One working window's document, file label and saver.
struct Window {
    explicit Window(WorkingWindow kind, testing_support::TestEnvironment& env)
        : document(new DocumentBox(&widget)),
          lblfile(kind == WorkingWindow::Batch ? nullptr : new QLabel(&widget)),
          saver(kind, env.services, document, &widget, lblfile),
          files_(env.files) {
        document->setDefaultFormat(QStringLiteral("Courier"), 12);
        document->setLocked(kind != WorkingWindow::Batch);
        type(QStringLiteral("Quality [\r\n"));
    }
    void type(const QString& text) {
        document->setInsertionFont(QStringLiteral("Arial"));
        document->setInsertionColour(core::kBlack);
        document->replaceSelection(text);
    }
    // The user saves and picks path in the save dialog.
    void saveAs(const QString& path) {
        files_.answer(path);
        saver.save();
    }
    QWidget widget;
    DocumentBox* document;
    QLabel* lblfile;
    DocumentSaver saver;

private:
    testing_support::ScriptedFileDialogs& files_;
};

void select(Window& window, int from, int to) {
    QTextCursor cursor = window.document->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    window.document->setTextCursor(cursor);
}

struct WindowCase {
    WorkingWindow kind;
    QString filter;
};

class SaveOperation : public ::testing::TestWithParam<WindowCase> {
protected:
    testing_support::TestEnvironment env;
};

TEST_P(SaveOperation, AsksWithTheWindowsFilterWritesRtfAndConfirms) {
    Window window(GetParam().kind, env);
    const QString path = env.file("first.doc");
    window.saveAs(path);

    ASSERT_EQ(env.files.requests.size(), 1u);
    EXPECT_TRUE(env.files.requests[0].save);
    EXPECT_EQ(env.files.requests[0].title, "保存文件");
    EXPECT_EQ(env.files.requests[0].filter, GetParam().filter);
    EXPECT_EQ(env.files.requests[0].initialName, "");

    EXPECT_TRUE(readBytes(path).startsWith("{\\rtf1"));
    EXPECT_EQ(window.saver.currentFile(), path);
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].icon, Icon::Information);
    EXPECT_EQ(env.messages.shown[0].buttons, platform::Buttons::Ok);
    EXPECT_EQ(env.messages.shown[0].text, output::confirmationText(GetParam().kind, path));

    EXPECT_EQ(window.saver.timer()->interval(), 60 * 1000);
    if (GetParam().kind == WorkingWindow::Batch) {
        EXPECT_EQ(env.messages.shown[0].text, path + "已经保存好了!");
        EXPECT_FALSE(window.saver.timer()->isActive());
    } else {
        EXPECT_EQ(env.messages.shown[0].text,
                  path + "\n已经保存!自动保存功能已经启动。\n每间隔一分钟,软件会自动保存一次文件.");
        EXPECT_EQ(window.lblfile->text(), path);
        EXPECT_TRUE(window.saver.timer()->isActive());
    }
}

TEST_P(SaveOperation, CancellingTheDialogChangesNothing) {
    Window window(GetParam().kind, env);
    window.saver.save();
    EXPECT_EQ(env.files.requests.size(), 1u);
    EXPECT_TRUE(env.messages.shown.empty());
    EXPECT_FALSE(window.saver.timer()->isActive());
    EXPECT_TRUE(window.saver.currentFile().isEmpty());
    EXPECT_EQ(QDir(env.dir.path()).entryList(QDir::Files), QStringList{});
}

TEST_P(SaveOperation, RefusingToOverwriteReopensTheDialog) {
    Window window(GetParam().kind, env);
    const QString existing = env.file("existing.doc");
    writeFile(existing, "keep me");

    // Cancel at the question, then cancel the dialog: nothing written, nothing confirmed.
    env.files.answer(existing);
    env.messages.answer(Answer::Cancel);
    window.saver.save();
    EXPECT_EQ(env.files.requests.size(), 2u);
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].text, "文件名已经存在，将覆盖原文件！您确定要覆盖它吗？");
    EXPECT_EQ(env.messages.shown[0].icon, Icon::Question);
    EXPECT_EQ(env.messages.shown[0].buttons, platform::Buttons::OkCancel);
    EXPECT_EQ(env.messages.shown[0].defaultButton, Answer::Ok);
    EXPECT_EQ(readBytes(existing), "keep me");
    EXPECT_FALSE(window.saver.timer()->isActive());

    // Cancel at the question, then a new name: that one is written and confirmed once.
    env.messages.shown.clear();
    const QString fresh = env.file("fresh.rtf");
    env.files.answer(existing);
    env.messages.answer(Answer::Cancel);
    window.saveAs(fresh);
    EXPECT_EQ(readBytes(existing), "keep me");
    EXPECT_TRUE(readBytes(fresh).startsWith("{\\rtf1"));
    ASSERT_EQ(env.messages.shown.size(), 2u);
    EXPECT_EQ(env.messages.shown[1].text, output::confirmationText(GetParam().kind, fresh));
    EXPECT_EQ(window.saver.currentFile(), fresh);

    // OK at the question overwrites without a second one.
    env.messages.shown.clear();
    env.files.answer(existing);
    env.messages.answer(Answer::Ok);
    window.saver.save();
    EXPECT_TRUE(readBytes(existing).startsWith("{\\rtf1"));
    ASSERT_EQ(env.messages.shown.size(), 2u);
    EXPECT_EQ(env.messages.shown[1].icon, Icon::Information);
}

TEST_P(SaveOperation, AFailedWriteIsReportedAndTheWindowStaysAsItWas) {
    Window window(GetParam().kind, env);
    const QString good = env.file("good.doc");
    window.saveAs(good);
    const QByteArray saved = readBytes(good);
    env.messages.shown.clear();

    window.type(QStringLiteral("more"));
    select(window, 2, 5);
    const QString html = window.document->toHtml();
    const QString bad = env.file("no-such-folder/x.doc");
    window.saveAs(bad);

    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].icon, Icon::Critical);
    EXPECT_TRUE(env.messages.shown[0].text.contains(bad));
    EXPECT_TRUE(env.messages.shown[0].text.contains("没有保存"));
    EXPECT_EQ(window.saver.currentFile(), good);
    if (window.lblfile) {
        EXPECT_EQ(window.lblfile->text(), good);
    }
    EXPECT_EQ(window.document->toHtml(), html);
    EXPECT_EQ(window.document->textCursor().selectedText(), "ali");
    EXPECT_EQ(readBytes(good), saved);
}

std::string windowName(const ::testing::TestParamInfo<WindowCase>& info) {
    static const char* const names[] = {"Form1", "Frm3", "Frm4"};
    return names[int(info.param.kind)];
}

INSTANTIATE_TEST_SUITE_P(
    Windows, SaveOperation,
    ::testing::Values(
        WindowCase{WorkingWindow::ManualInput, "Word文档(*.doc)|*.doc|rtf文件(*.rtf)|*.rtf|"},
        WindowCase{WorkingWindow::SmartAnnotation,
                   "Word文档(*.doc)|*.doc|Rich Text FIle(*.rtf)|*.rtf|"},
        WindowCase{WorkingWindow::Batch, "Word文档(*.doc)|*.doc|Rich Text File(*.rtf)|*.rtf|"}),
    windowName);

TEST(Autosave, EveryMinuteAfterTheFirstSaveWritesTheCurrentFile) {
    testing_support::TestEnvironment env;
    Window window(WorkingWindow::SmartAnnotation, env);
    const QString first = env.file("first.doc");
    window.saveAs(first);
    QFile::remove(first);

    EXPECT_FALSE(QFile::exists(first));  // nothing before the minute is up
    window.saver.autosave();
    EXPECT_TRUE(QFile::exists(first));         // written even though nothing changed
    EXPECT_EQ(env.messages.shown.size(), 1u);  // only the user's save was confirmed

    // A second save under another name: autosave now writes there only.
    const QString second = env.file("second.rtf");
    window.saveAs(second);
    window.type(QStringLiteral("changed"));
    const QByteArray firstContent = readBytes(first);
    QFile::remove(second);
    window.saver.autosave();
    EXPECT_TRUE(readBytes(second).contains("changed"));
    EXPECT_EQ(readBytes(first), firstContent);
    window.saver.autosave();
    EXPECT_EQ(readBytes(first), firstContent);
}

TEST(Autosave, LeavesTextFormatsCaretAndSelectionAsTheyWere) {
    testing_support::TestEnvironment env;
    Window window(WorkingWindow::ManualInput, env);
    window.saveAs(env.file("a.doc"));
    window.document->setInsertionFont(QStringLiteral("Kingsoft Phonetic Plain"));
    window.document->setInsertionColour(core::kBlue);
    window.document->replaceSelection(QStringLiteral("5kwRliti"));
    select(window, 9, 3);

    const QString html = window.document->toHtml();
    window.saver.autosave();
    EXPECT_TRUE(readBytes(env.file("a.doc")).contains("5kwRliti"));
    EXPECT_EQ(window.document->toHtml(), html);
    EXPECT_EQ(window.document->textCursor().anchor(), 9);
    EXPECT_EQ(window.document->textCursor().position(), 3);
    EXPECT_EQ(window.document->insertionFont(), "Kingsoft Phonetic Plain");
    EXPECT_EQ(window.document->insertionColour(), core::kBlue);
}

TEST(Autosave, TheTimerDrivesItAndABatchWindowHasNone) {
    testing_support::TestEnvironment env;
    Window smart(WorkingWindow::SmartAnnotation, env);
    EXPECT_FALSE(smart.saver.timer()->isActive());
    const QString path = env.file("timed.doc");
    smart.saveAs(path);
    QFile::remove(path);
    smart.saver.timer()->setInterval(1);  // without a minute's wait
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(path); }, 5000));

    Window batch(WorkingWindow::Batch, env);
    const QString batchPath = env.file("batch.doc");
    batch.saveAs(batchPath);
    QFile::remove(batchPath);
    batch.saver.autosave();
    EXPECT_FALSE(batch.saver.timer()->isActive());
    EXPECT_FALSE(QFile::exists(batchPath));
}

TEST(Autosave, AFailedAutosaveKeepsTheLastGoodFileAndTriesAgainLater) {
    testing_support::TestEnvironment env;
    Window window(WorkingWindow::SmartAnnotation, env);
    const QString path = env.file("target.doc");
    window.saveAs(path);
    const QByteArray good = readBytes(path);

    // The file's place becomes a folder: the write fails.
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkdir(path));
    window.saver.autosave();
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_TRUE(window.saver.timer()->isActive());
    EXPECT_EQ(window.saver.timer()->interval(), 60 * 1000);

    ASSERT_TRUE(QDir().rmdir(path));
    window.saver.autosave();
    EXPECT_EQ(readBytes(path), good);
}

TEST(TransferToWord, WritesRtfToANumberedTmpFileAndOpensIt) {
    testing_support::TestEnvironment env;
    Window window(WorkingWindow::SmartAnnotation, env);
    const QString html = window.document->toHtml();
    output::transferToWord(env.services, *window.document, &window.widget);
    output::transferToWord(env.services, *window.document, &window.widget);

    ASSERT_EQ(env.shell.opened.size(), 2);
    const QRegularExpression name(QStringLiteral("^tmp(0|[1-9][0-9]{0,4})\\.doc$"));
    for (const QString& path : env.shell.opened) {
        const QFileInfo info(path);
        EXPECT_EQ(info.absolutePath(),
                  QFileInfo(env.services.folder.writablePath()).absoluteFilePath());
        EXPECT_TRUE(name.match(info.fileName()).hasMatch()) << path.toStdString();
        EXPECT_TRUE(readBytes(path).startsWith("{\\rtf1"));
    }
    EXPECT_NE(env.shell.opened[0], env.shell.opened[1]);  // 1 in 100000 to coincide
    EXPECT_EQ(window.document->toHtml(), html);
    EXPECT_TRUE(env.messages.shown.empty());
    EXPECT_TRUE(window.saver.currentFile().isEmpty());

    EXPECT_EQ(output::transferFilePath(env.services.folder, 4711),
              platform::joinPath(env.dir.path(), "tmp4711.doc"));
}

TEST(TransferToWord, CleanupDeletesEveryTmpDocFileAndNothingElse) {
    testing_support::TestEnvironment env;
    const QStringList doomed{"tmp0.doc", "tmp99999.doc", "tmp.doc", "tmpnotes.doc", "TMP12.DOC"};
    const QStringList kept{"tmp1.docx", "tmp1.rtf", "xtmp1.doc", "report.doc", "unfound.dat"};
    for (const QString& name : doomed + kept) {
        writeFile(env.file(name), "x");
    }
    QDir(env.dir.path()).mkdir("tmpfolder.doc");

    output::removeTransferFiles(env.services.folder);
    QStringList left = QDir(env.dir.path()).entryList(QDir::Files);
    QStringList expected = kept;
    left.sort();
    expected.sort();
    EXPECT_EQ(left, expected);
    EXPECT_TRUE(QFileInfo(env.file("tmpfolder.doc")).isDir());

    // A folder that does not exist is no error.
    output::removeTransferFiles(platform::ProgramFolder::at(env.file("missing")));
}

}  // namespace
