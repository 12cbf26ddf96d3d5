// The text-annotation window driven as a user drives it: a passage pasted or opened, the reader's
// level chosen, the result saved and read back by a word processor.
#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include "children.h"
#include "documentbox.h"
#include "files.h"
#include "frm5.h"
#include "layoutcheck.h"
#include "libreoffice.h"
#include "lookupclient.h"
#include "pieces.h"
#include "process.h"
#include "qtprinters.h"
#include "suggestion.h"
#include "testenv.h"

namespace {

using testing_support::Piece;

const QString kArial = QStringLiteral("Arial");
const QString kPhonetic = core::phoneticFont();

class Frm5Test : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        source = find<QPlainTextEdit>("Text1");
    }

    template <class T = QLabel>
    T* find(const char* name) {
        return testing_support::childOf<T>(window, QString::fromLatin1(name));
    }
    // The passage pasted, as the user pastes it, and the result waited for.
    void paste(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        source->setFocus();
        QTest::keyClick(source, Qt::Key_V, Qt::ControlModifier);
        waitForResult();
    }
    void waitForResult() {
        ASSERT_TRUE(QTest::qWaitFor([this] { return window.resultIsCurrent(); }, 5000));
    }
    void chooseLevel(int level) {
        auto* levels = find<QComboBox>("Combo1");
        levels->setCurrentIndex(levels->findData(level));
        Q_EMIT levels->activated(levels->currentIndex());
        waitForResult();
    }
    std::vector<Piece> pieces() const {
        return testing_support::piecesOf(*window.documentBox()->document());
    }

    testing_support::TestEnvironment env;
    core::LookupClient client{env.services};
    text::Frm5 window{env.services, client, nullptr};
    QPlainTextEdit* source = nullptr;
};

TEST_F(Frm5Test, APastedPassageIsWrittenWithEveryWordsTranscription) {
    paste("The old library.\r\n这是 2 cats!");
    const std::vector<Piece> expected{
        {"The [", kArial, core::kBlack},
        {"Ti", kPhonetic, core::kBlue},  // before a vowel
        {"] old [", kArial, core::kBlack},
        {"Euld", kPhonetic, core::kBlue},
        {"] library [", kArial, core::kBlack},
        {"5laibrEri", kPhonetic, core::kBlue},
        {"].\n这是 2 cats [", kArial, core::kBlack},
        {"kAts", kPhonetic, core::kBlue},
        {"]!", kArial, core::kBlack},
    };
    EXPECT_EQ(pieces(), expected);
    EXPECT_EQ(find("Label5")->text(),
              "共 4 个单词：标注 4 个（查到 4 个，建议 0 个），没找到 0 个。");
    EXPECT_TRUE(window.documentBox()->document()->isModified());
    EXPECT_TRUE(env.messages.shown.empty());
}

// Beyond the 3,000 most frequent words only the rarer ones are annotated, a form of a frequent
// word counting as frequent; with first-only a word is annotated where it first occurs.
TEST_F(Frm5Test, TheReadersLevelAndFirstOnlyChooseTheWordsAnnotated) {
    paste("The children were studying seaweed. Seaweed grows.");
    chooseLevel(3000);
    QString annotated;
    for (const Piece& piece : pieces()) {
        if (piece.family == kPhonetic) {
            annotated += piece.text + u' ';
        }
    }
    EXPECT_EQ(annotated.count(u' '), 2) << annotated.toStdString();  // seaweed twice
    QTest::mouseClick(find<QCheckBox>("Check1"), Qt::LeftButton);
    waitForResult();
    int transcriptions = 0;
    for (const Piece& piece : pieces()) {
        transcriptions += piece.family == kPhonetic ? 1 : 0;
    }
    EXPECT_EQ(transcriptions, 1);
    EXPECT_TRUE(window.documentBox()->toPlainText().startsWith("The children were studying"));
}

// Each word shows the one form its sentence calls for; "弱读" writes the weak forms; the
// examination bands leave the syllabus words alone.
TEST_F(Frm5Test, EachWordOneFormWeakFormsAndTheExaminationBands) {
    paste("She wanted to present the present to the committee.");
    EXPECT_EQ(window.documentBox()->toPlainText(),
              "She [Fi:] wanted [5wRntid] to [tu:] present [pri5zent] the [TE] present "
              "[5prezEnt] to [tu:] the [TE] committee [kE5miti].");
    auto* weak = find<QCheckBox>("Check3");
    EXPECT_EQ(weak->text(), "弱读");
    QTest::mouseClick(weak, Qt::LeftButton);
    waitForResult();
    EXPECT_EQ(window.documentBox()->toPlainText(),
              "She [Fi] wanted [5wRntid] to [tE] present [pri5zent] the [TE] present "
              "[5prezEnt] to [tE] the [TE] committee [kE5miti].");
    auto* levels = find<QComboBox>("Combo1");
    EXPECT_GE(levels->findText("四级词汇以外"), 0);
    EXPECT_GE(levels->findText("六级词汇以外"), 0);
    chooseLevel(levels->itemData(levels->findText("四级词汇以外")).toInt());
    EXPECT_EQ(window.documentBox()->toPlainText(),
              "She wanted to present the present to the committee.");
}

// A list of known words: neither the words nor their forms are annotated.
TEST_F(Frm5Test, AKnownWordsListLeavesItsWordsAndTheirFormsAlone) {
    paste("Seaweed grows on rocks.");
    env.files.answer(testing_support::writeFile(env.dir.path(), "known.txt", "rock\r\ngrow\r\n"));
    QTest::mouseClick(find("Label4"), Qt::LeftButton);
    waitForResult();
    EXPECT_EQ(find("Label7")->text(), env.dir.path() + "/known.txt");
    const QString result = window.documentBox()->toPlainText();
    EXPECT_TRUE(result.contains("grows on [")) << result.toStdString();
    EXPECT_TRUE(result.contains("rocks.")) << result.toStdString();
    EXPECT_TRUE(result.startsWith("Seaweed [")) << result.toStdString();
}

TEST_F(Frm5Test, OpensAPassageSavedByChineseWindowsAndRefusesOtherFiles) {
    const QString gb18030 = testing_support::writeFile(
        env.dir.path(), "passage.txt", QByteArray("Quality \xd6\xca\xc1\xbf"));  // 质量
    env.files.answer(gb18030);
    QTest::mouseClick(find("Label2"), Qt::LeftButton);
    waitForResult();
    EXPECT_EQ(source->toPlainText(), "Quality 质量");
    EXPECT_EQ(find("Label3")->text(), gb18030);
    EXPECT_TRUE(window.documentBox()->toPlainText().startsWith("Quality ["));

    window.openText(
        testing_support::writeFile(env.dir.path(), "picture.txt", QByteArray("\x89PNG\0\0\0", 7)));
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].icon, platform::Icon::Critical);
    EXPECT_EQ(source->toPlainText(), "Quality 质量");  // nothing lost
}

// Saved as the other windows save: LibreOffice reads the words in a Latin face and every
// transcription in the phonetic face; the command line writes the same bytes.
TEST_F(Frm5Test, TheSavedResultOpensInAWordProcessorAndEqualsTheCommandLines) {
    testing_support::LibreOffice office;
    ASSERT_TRUE(office.ready()) << office.problem().toStdString();
    paste("Seaweed grows on the rocks.");
    chooseLevel(3000);
    const QString saved = office.dir.filePath("passage.rtf");
    env.files.answer(saved);
    QTest::mouseClick(find("Label12"), Qt::LeftButton);
    ASSERT_EQ(env.files.requests.size(), 1u);
    EXPECT_EQ(env.files.requests[0].filter, "Word文档(*.doc)|*.doc|Rich Text File(*.rtf)|*.rtf|");
    EXPECT_FALSE(window.documentBox()->document()->isModified());

    QString log;
    const testing_support::FlatOdt odt = office.read(saved, &log);
    ASSERT_EQ(odt.paragraphs().size(), 1) << log.toStdString();
    const testing_support::Paragraph& got = odt.paragraphs()[0];
    const QString seaweed = client.lookup("seaweed").transcription;
    EXPECT_EQ(got.text, "Seaweed [" + seaweed + "] grows on the rocks.");
    for (qsizetype i = 0; i < got.text.size(); ++i) {
        const bool code = i >= 9 && i < 9 + seaweed.size();
        EXPECT_EQ(got.formats[i].family, code ? kPhonetic : kArial) << i;
    }

    testing_support::ProgramCopy program;
    ASSERT_TRUE(program.ready()) << program.error();
    const QString passage =
        testing_support::writeFile(office.dir.path(), "passage.txt", "Seaweed grows on the rocks.");
    const QString written = office.dir.filePath("command.rtf");
    const testing_support::ProcessOutcome outcome =
        program.run({"--text", passage, "--level", "3000", "-o", written});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(testing_support::readBytes(written), testing_support::readBytes(saved));
}

// A reviewer's picture of the window with a passage and its result, in which no control covers
// another and every caption fits; VOXSCRIBE_SNAPSHOT_DIR names the folder it goes to.
TEST_F(Frm5Test, RendersASnapshot) {
    QFontDatabase::addApplicationFont(QStringLiteral(VOXSCRIBE_PROGRAM_DIR "/Ksphonet.ttf"));
    paste("The children were studying in the library.\nA seaweed forest grows in the bay.");
    chooseLevel(2000);
    const QString path = layout_check::snapshotPath("Frm5.png", env.dir.path());
    ASSERT_TRUE(window.grab().toImage().save(path));
    EXPECT_EQ(layout_check::layoutProblems(window), std::vector<std::string>{});
}

}  // namespace
