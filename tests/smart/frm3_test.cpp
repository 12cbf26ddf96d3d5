// The smart-annotation window, driven as a user drives it: keys into the entry box, Enter and Esc,
// clicks on its labels, and the stand-ins answering its message boxes and file dialogs.
#include <gtest/gtest.h>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <ostream>
#include <vector>

#include "children.h"
#include "documentbox.h"
#include "files.h"
#include "frm3.h"
#include "layoutcheck.h"
#include "libreoffice.h"
#include "lookupclient.h"
#include "pieces.h"
#include "speech.h"
#include "speechcommand.h"
#include "standins.h"
#include "testenv.h"

namespace {

using platform::Answer;
using testing_support::TestEnvironment;

const QString kPhonetic = QStringLiteral("Kingsoft Phonetic Plain");
const QString kArial = QStringLiteral("Arial");

using testing_support::phonemeNames;
using testing_support::Piece;

// A line as the window writes it: text and transcriptions taking turns, the first turn text.
std::vector<Piece> written(std::initializer_list<QString> turns) {
    return testing_support::inTurns(kArial, kPhonetic, turns);
}

QString readFile(const QString& path) {
    return QString::fromLocal8Bit(testing_support::readBytes(path));
}

QString clipboardText() {
    return QGuiApplication::clipboard()->text();
}

class Frm3Test : public ::testing::Test {
protected:
    explicit Frm3Test(const QString& componentFolder = testing_support::buildProgramFolder())
        : env(componentFolder), client(env.services), window(env.services, client) {}

    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        text1 = find<QLineEdit>("Text1");
        rich1 = find<output::DocumentBox>("Rich1");
        command2 = find<QPushButton>("Command2");
        lblconvert = find<QLabel>("lblconvert");
        ASSERT_TRUE(text1 && rich1 && command2 && lblconvert);
    }

    template <class T>
    T* find(const char* name) {
        return testing_support::childOf<T>(window, QString::fromLatin1(name));
    }

    void type(const QString& text) { QTest::keyClicks(text1, text); }
    void enter(const QString& text) {
        type(text);
        QTest::keyClick(text1, Qt::Key_Return);
    }
    std::vector<Piece> runs() const { return testing_support::piecesOf(*rich1->document()); }
    QString transcriptionOf(const char* word) { return client.lookup(word).transcription; }

    TestEnvironment env;
    core::LookupClient client;
    smart::Frm3 window;
    QLineEdit* text1 = nullptr;
    output::DocumentBox* rich1 = nullptr;
    QPushButton* command2 = nullptr;
    QLabel* lblconvert = nullptr;
};

TEST_F(Frm3Test, OpensInTheDesignState) {
    EXPECT_EQ(window.size(), QSize(520, 453));
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window.windowTitle(), QString());

    EXPECT_EQ(
        find<QLabel>("Label1")->text(),
        "每输完一个单词，按回车键确认此次输入。按ESC键可在标注音标与输入单词间转换，故本软件可"
        "实现音标与单词混合输入。 录入过程中，建议您及时保存文件，以启动自动保存功能。");
    EXPECT_EQ(find<QLabel>("Label2")->text(), "录入单词：(软件自动标注音标)");
    EXPECT_EQ(find<QLabel>("Label3")->text(), "智能标注");
    EXPECT_EQ(find<QLabel>("Label4")->text(), "保  存");
    EXPECT_EQ(find<QLabel>("Label13")->text(), "转入Word");
    EXPECT_EQ(find<QLabel>("lblmin")->toolTip(), "最小化窗口");
    EXPECT_EQ(find<QLabel>("lblclose")->toolTip(), "关闭窗口");
    EXPECT_EQ(find<QLabel>("lblfile")->text(), QString());
    EXPECT_EQ(lblconvert->text(), "sonabet");
    EXPECT_GE(lblconvert->width(), lblconvert->sizeHint().width());
    EXPECT_EQ(find<QWidget>("Image1")->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(find<QWidget>("Image1")->width(), 520);
    // The hint stands clear of the title strip.
    EXPECT_GE(find<QLabel>("Label1")->y(), find<QWidget>("Image1")->height() + 8);

    EXPECT_EQ(text1->font().family(), kArial);
    EXPECT_EQ(text1->font().pointSize(), 12);
    EXPECT_FALSE(text1->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_TRUE(text1->text().isEmpty());
    EXPECT_TRUE(text1->hasFocus());

    EXPECT_EQ(command2->text(), "确定");
    EXPECT_TRUE(command2->isDefault());
    EXPECT_FALSE(command2->isEnabled());

    auto* frame2 = find<QGroupBox>("Frame2");
    EXPECT_EQ(frame2->title(), "自动标音标时");
    EXPECT_TRUE(frame2->isVisible());
    auto* option1 = find<QRadioButton>("Option1");
    auto* option3 = find<QRadioButton>("Option3");
    EXPECT_EQ(option1->text(), "自动加边界[] &1");
    EXPECT_EQ(option3->text(), "自动加边界// &2");
    EXPECT_EQ(option1->parentWidget(), frame2);
    EXPECT_LT(option1->geometry().bottom(), option3->y());
    EXPECT_TRUE(option1->isChecked());
    EXPECT_FALSE(option3->isChecked());

    // Read as a line from the top: the hint, the entry's caption over the entry, the options
    // and the confirm button beside it, the document below, the dictionary's name under that.
    const QWidget* label2 = find<QLabel>("Label2");
    EXPECT_LT(find<QLabel>("Label1")->geometry().bottom(), label2->y());
    EXPECT_LT(label2->geometry().bottom(), text1->y());
    EXPECT_LT(text1->geometry().right(), frame2->x());
    EXPECT_LT(frame2->geometry().right(), command2->x());
    EXPECT_LT(text1->y(), command2->geometry().bottom());
    EXPECT_LT(command2->y(), text1->geometry().bottom());
    EXPECT_LT(frame2->geometry().bottom(), rich1->y());
    EXPECT_LT(rich1->geometry().bottom(), lblconvert->y());
    for (const QWidget* control :
         {label2, static_cast<const QWidget*>(text1), static_cast<const QWidget*>(command2),
          static_cast<const QWidget*>(frame2), static_cast<const QWidget*>(rich1),
          static_cast<const QWidget*>(lblconvert)}) {
        EXPECT_TRUE(window.rect().contains(control->geometry()))
            << control->objectName().toStdString();
    }
    EXPECT_TRUE(rich1->isLocked());
    EXPECT_TRUE(rich1->document()->isEmpty());
    EXPECT_EQ(rich1->document()->defaultFont().family(), "Courier");
    EXPECT_EQ(rich1->document()->defaultFont().pointSizeF(), 12.0);

    // The miss log is created holding one empty line; there is no lock picture in this folder.
    EXPECT_EQ(readFile(env.file("unfound.dat")), "\r\n");
    EXPECT_FALSE(find<QLabel>("Image2")->isVisible());
    auto* timer1 = window.findChild<QTimer*>("Timer1");
    ASSERT_NE(timer1, nullptr);
    EXPECT_FALSE(timer1->isActive());
}

TEST(Frm3Opening, KeepsAnExistingMissLogAndShowsTheLockPicture) {
    TestEnvironment env;
    {
        QFile log(env.file("unfound.dat"));
        ASSERT_TRUE(log.open(QIODevice::WriteOnly));
        log.write("foo,\r\n");
    }
    QImage picture(40, 60, QImage::Format_RGB32);
    picture.fill(Qt::darkYellow);
    ASSERT_TRUE(picture.save(env.file("lock.jpg"), "JPG"));

    core::LookupClient client(env.services);
    smart::Frm3 window(env.services, client);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(readFile(env.file("unfound.dat")), "foo,\r\n");
    auto* image2 = window.findChild<QLabel*>("Image2");
    ASSERT_NE(image2, nullptr);
    EXPECT_TRUE(image2->isVisible());
    const QPixmap shown = image2->pixmap();
    ASSERT_FALSE(shown.isNull());
    // Scaled into its place without distortion.
    EXPECT_LE(shown.width(), image2->width());
    EXPECT_LE(shown.height(), image2->height());
    EXPECT_NEAR(double(shown.width()) / shown.height(), 40.0 / 60.0, 0.05);
}

TEST_F(Frm3Test, AFoundWordGoesInAsTypedWithItsTranscriptionInBrackets) {
    type("Quality");
    EXPECT_TRUE(command2->isEnabled());
    QTest::keyClick(text1, Qt::Key_Return);

    const std::vector<Piece> expected = written({"Quality [", "5kwRliti", "]"});
    EXPECT_EQ(runs(), expected);
    for (QTextBlock::iterator it = rich1->document()->begin().begin(); !it.atEnd(); ++it) {
        EXPECT_EQ(it.fragment().charFormat().fontPointSize(), 12.0)
            << it.fragment().text().toStdString();
    }
    EXPECT_TRUE(env.messages.shown.empty());
    EXPECT_EQ(clipboardText(), "5kwRliti");
    EXPECT_TRUE(text1->text().isEmpty());
    EXPECT_FALSE(command2->isEnabled());
    EXPECT_TRUE(text1->hasFocus());
    EXPECT_TRUE(rich1->isLocked());
    // The caret stands behind the closing mark, ready for the next entry.
    EXPECT_EQ(rich1->textCursor().position(), rich1->document()->characterCount() - 1);
    EXPECT_FALSE(rich1->textCursor().hasSelection());
}

// A sentence from a textbook, word by word: word forms are found, not only head words.
TEST_F(Frm3Test, EveryWordOfASentenceIsAnnotated) {
    const char* const words[] = {"Children", "were", "studying", "quality"};
    std::vector<QString> expected;
    for (const char* word : words) {
        expected.push_back(transcriptionOf(word));
        EXPECT_FALSE(expected.back().isEmpty()) << word;
        enter(QString::fromLatin1(word));
    }
    std::vector<QString> written;
    for (const Piece& piece : runs()) {
        if (piece.family == kPhonetic) {
            written.push_back(piece.text);
        }
    }
    EXPECT_EQ(written, expected);
    EXPECT_TRUE(env.messages.shown.empty());
}

// A pasted sentence goes in word by word, the text between kept; a word the dictionary lacks gets
// "none" without a question (and "the" before it keeps both its forms). A phrase the dictionary
// holds whole stays one entry.
TEST_F(Frm3Test, APastedSentenceIsAnnotatedWordByWord) {
    enter("The Flimbo studies.");
    EXPECT_TRUE(env.messages.shown.empty());
    // A word of running text shows one form, its first where the next word cannot decide.
    const std::vector<Piece> expected = written(
        {"The [", "TE", "] Flimbo [", "none", "] studies [", transcriptionOf("studies"), "]."});
    EXPECT_EQ(runs(), expected);
    EXPECT_TRUE(text1->text().isEmpty());

    rich1->clear();
    ASSERT_FALSE(transcriptionOf("get up").isEmpty());
    enter("get up");
    EXPECT_EQ(rich1->toPlainText(), "get up [" + transcriptionOf("get up") + "]");
}

TEST_F(Frm3Test, SlashesAndBracketsFollowTheOptionsAndEntriesFollowOneAnother) {
    const QString apple = transcriptionOf("apple");
    ASSERT_FALSE(apple.isEmpty());
    QTest::keyClick(text1, Qt::Key_2, Qt::AltModifier);
    // An access key clicks its button the way a mouse does, after the button shows it pressed.
    auto* option3 = find<QRadioButton>("Option3");
    ASSERT_TRUE(QTest::qWaitFor([&] { return option3->isChecked(); }));
    text1->setFocus();
    enter("apple");
    enter("China");
    QTest::keyClick(text1, Qt::Key_1, Qt::AltModifier);
    auto* option1 = find<QRadioButton>("Option1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return option1->isChecked(); }));
    text1->setFocus();
    enter("  ABOUT ");

    // Adjacent black pieces merge into one stretch of the document.
    const std::vector<Piece> expected = written(
        {"apple /", apple, " /China /", "5tFainE", " /  ABOUT  [", transcriptionOf("about"), "]"});
    EXPECT_EQ(runs(), expected);
    EXPECT_EQ(clipboardText(), transcriptionOf("about"));
    EXPECT_TRUE(env.messages.shown.empty());
}

TEST_F(Frm3Test, AMissingWordAsksAndNoWritesNone) {
    env.messages.answer(Answer::No);
    const QString before = readFile(env.file("unfound.dat"));
    enter("Xyzzy");

    ASSERT_EQ(env.messages.shown.size(), 1u);
    const testing_support::ShownMessage& question = env.messages.shown[0];
    EXPECT_EQ(question.text,
              "没找到  xyzzy  的音标，您要手工录入吗？\r\n"
              "手工录入请选“是”，不想手工录入选“否”，按错键选“取消”");
    EXPECT_EQ(question.icon, platform::Icon::Question);
    EXPECT_EQ(question.buttons, platform::Buttons::YesNoCancel);
    EXPECT_EQ(question.defaultButton, Answer::Yes);

    const std::vector<Piece> expected = written({"Xyzzy [", "none", "]"});
    EXPECT_EQ(runs(), expected);
    EXPECT_EQ(clipboardText(), "none");
    EXPECT_TRUE(text1->text().isEmpty());
    EXPECT_TRUE(rich1->isLocked());
    EXPECT_EQ(readFile(env.file("unfound.dat")), before);
}

TEST_F(Frm3Test, CancelLeavesTheEntryForCorrection) {
    QGuiApplication::clipboard()->setText("the user's own text");
    env.messages.answer(Answer::Cancel);
    enter("Xyzzy");
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_TRUE(rich1->document()->isEmpty());
    EXPECT_EQ(text1->text(), "Xyzzy");
    EXPECT_TRUE(command2->isEnabled());
    EXPECT_TRUE(rich1->isLocked());
    EXPECT_EQ(clipboardText(), "the user's own text");

    // Corrected, the word is found.
    text1->clear();
    enter("Zebra");
    EXPECT_EQ(runs().at(0), (Piece{"Zebra [", kArial, core::kBlack}));
    EXPECT_EQ(env.messages.shown.size(), 1u);
}

TEST_F(Frm3Test, YesOpensTheManualEntryAndLeavesTheEntryInPlace) {
    // Without the dialog in place, Yes only keeps the entry.
    env.messages.answer(Answer::Yes);
    enter("Xyzzy");
    EXPECT_EQ(text1->text(), "Xyzzy");
    EXPECT_TRUE(rich1->document()->isEmpty());
    EXPECT_TRUE(rich1->isLocked());

    std::vector<QString> seenByDialog;
    window.setManualEntryOpener([&] { seenByDialog.push_back(window.entryBox()->text()); });
    env.messages.answer(Answer::Yes);
    QTest::keyClick(text1, Qt::Key_Return);
    ASSERT_EQ(seenByDialog.size(), 1u);
    EXPECT_EQ(seenByDialog[0], "Xyzzy");
    EXPECT_EQ(text1->text(), "Xyzzy");
    EXPECT_TRUE(rich1->document()->isEmpty());
    EXPECT_TRUE(rich1->isLocked());
    EXPECT_EQ(window.documentBox(), rich1);
    EXPECT_EQ(env.messages.shown.size(), 2u);

    // The window stays usable while the dialog is open.
    text1->clear();
    enter("blind");
    // The blank a stored entry begins with is no part of the document.
    EXPECT_EQ(runs().at(1), (Piece{"blaind", kPhonetic, core::kBlue}));
    EXPECT_EQ(seenByDialog.size(), 1u);
}

TEST_F(Frm3Test, AnEntryOfOnlySpacesNamesAnEmptyWord) {
    env.messages.answer(Answer::No);
    enter("    ");
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_TRUE(env.messages.shown[0].text.startsWith("没找到    的音标，您要手工录入吗？\r\n"));
    const std::vector<Piece> expected = written({"     [", "none", "]"});
    EXPECT_EQ(runs(), expected);
}

TEST_F(Frm3Test, PlainInputWritesTheTextUnchangedInTheFormatAtTheCaret) {
    QTest::keyClick(text1, Qt::Key_Escape);
    ASSERT_TRUE(window.isPlainInput());
    QGuiApplication::clipboard()->setText("kept");
    enter("Hello, world");
    // A new document's own format: nothing is set for plain text.
    std::vector<Piece> expected{{"Hello, world", "Courier", core::kBlack}};
    EXPECT_EQ(runs(), expected);
    EXPECT_TRUE(env.messages.shown.empty());
    EXPECT_TRUE(text1->text().isEmpty());
    EXPECT_TRUE(rich1->isLocked());
    EXPECT_EQ(clipboardText(), "kept");

    // After an annotation plain text continues in black Arial; even an unknown word asks nothing.
    QTest::keyClick(text1, Qt::Key_Escape);
    enter("the");
    QTest::keyClick(text1, Qt::Key_Escape);
    enter(" Xyzzy, 3D! ");
    // "the" has two pronunciations: their comma is no stress mark and their slashes no vowel.
    ASSERT_EQ(transcriptionOf("the"), "/TE, Ti/");
    const std::vector<Piece> annotated = written({"the [", "TE", ", ", "Ti", "] Xyzzy, 3D! "});
    expected.insert(expected.end(), annotated.begin(), annotated.end());
    EXPECT_EQ(runs(), expected);
    EXPECT_TRUE(env.messages.shown.empty());

    // With the caret moved into a transcription, plain text takes the phonetic face there.
    QTextCursor caret = rich1->textCursor();
    caret.setPosition(int(rich1->toPlainText().indexOf("Ti")) + 1);
    rich1->setTextCursor(caret);
    enter("E");
    EXPECT_EQ(runs()[4], (Piece{"TEi", kPhonetic, core::kBlue}));
}

TEST_F(Frm3Test, EscAnywhereInTheWindowTogglesTheModeAndTwiceRestoresIt) {
    auto* label2 = find<QLabel>("Label2");
    auto* frame2 = find<QGroupBox>("Frame2");
    type("Apple");

    QTest::keyClick(text1, Qt::Key_Escape);
    EXPECT_EQ(lblconvert->text(), "danci");
    EXPECT_EQ(label2->text(), "录入内容：（不需要找音标）");
    EXPECT_EQ(text1->width(), 400);
    EXPECT_EQ(text1->height(), 31);
    EXPECT_FALSE(frame2->isVisible());
    EXPECT_EQ(text1->text(), "Apple");

    // The focus in the document or on an option makes no difference: the window sees Esc first.
    rich1->setFocus();
    QTest::keyClick(rich1, Qt::Key_Escape);
    EXPECT_EQ(lblconvert->text(), "sonabet");
    EXPECT_EQ(label2->text(), "录入单词：(软件自动标注音标)");
    EXPECT_EQ(text1->width(), 214);
    EXPECT_TRUE(frame2->isVisible());

    auto* option3 = find<QRadioButton>("Option3");
    option3->setFocus();
    QTest::keyClick(option3, Qt::Key_Escape);
    EXPECT_EQ(lblconvert->text(), "danci");
    EXPECT_FALSE(option3->isChecked());

    // Double-clicking the mode label toggles too.
    QTest::mouseDClick(lblconvert, Qt::LeftButton);
    EXPECT_EQ(lblconvert->text(), "sonabet");
    EXPECT_TRUE(frame2->isVisible());
    QTest::mouseDClick(lblconvert, Qt::LeftButton);
    EXPECT_EQ(lblconvert->text(), "danci");

    // The text typed in annotating mode is confirmed as plain input now.
    EXPECT_EQ(text1->text(), "Apple");
    EXPECT_TRUE(rich1->document()->isEmpty());
    text1->setFocus();
    QTest::keyClick(text1, Qt::Key_Return);
    EXPECT_EQ(rich1->toPlainText(), "Apple");
}

TEST_F(Frm3Test, TheConfirmButtonFollowsTheEntryBox) {
    QTest::keyClick(text1, Qt::Key_Return);
    EXPECT_TRUE(rich1->document()->isEmpty());
    EXPECT_TRUE(env.messages.shown.empty());

    type("a");
    EXPECT_TRUE(command2->isEnabled());
    QTest::keyClick(text1, Qt::Key_Backspace);
    EXPECT_FALSE(command2->isEnabled());

    type("zebra");
    QTest::mouseClick(command2, Qt::LeftButton);
    EXPECT_EQ(runs().at(0), (Piece{"zebra [", kArial, core::kBlack}));
    EXPECT_FALSE(command2->isEnabled());
    EXPECT_TRUE(text1->hasFocus());

    // Enter on another single-line control presses the default button as well.
    type("quality");
    auto* option1 = find<QRadioButton>("Option1");
    option1->setFocus();
    QTest::keyClick(option1, Qt::Key_Return);
    EXPECT_TRUE(rich1->toPlainText().endsWith("]quality [5kwRliti]"));
    EXPECT_TRUE(text1->text().isEmpty());
}

TEST_F(Frm3Test, TypingIntoTheDocumentChangesNothing) {
    enter("apple");
    const QString before = rich1->toPlainText();
    // A word waits in the entry box; Enter in the document must not confirm it there.
    type("quality");
    rich1->setFocus();
    rich1->moveCursor(QTextCursor::Start);
    QTest::keyClicks(rich1, "typed");
    QTest::keyClick(rich1, Qt::Key_Return);
    QTest::keyClick(rich1, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(rich1, Qt::Key_Backspace);
    EXPECT_EQ(rich1->toPlainText(), before);
    EXPECT_EQ(text1->text(), "quality");
}

TEST_F(Frm3Test, SaveWritesTheDocumentAndStartsTheAutosave) {
    enter("Quality");
    const QString path = QDir(env.dir.path()).filePath("words.doc");
    env.files.answer(path);
    QTest::mouseClick(find<QLabel>("Label4"), Qt::LeftButton);

    ASSERT_EQ(env.files.requests.size(), 1u);
    EXPECT_EQ(env.files.requests[0].filter, "Word文档(*.doc)|*.doc|Rich Text FIle(*.rtf)|*.rtf|");
    const QString saved = readFile(path);
    EXPECT_TRUE(saved.startsWith("{\\rtf"));
    EXPECT_TRUE(saved.contains("Quality ["));
    EXPECT_TRUE(saved.contains("5kwRliti"));
    EXPECT_TRUE(saved.contains("Kingsoft Phonetic Plain"));
    EXPECT_EQ(find<QLabel>("lblfile")->text(), path);
    EXPECT_TRUE(window.findChild<QTimer*>("Timer1")->isActive());
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].icon, platform::Icon::Information);
    EXPECT_TRUE(env.messages.shown[0].text.startsWith(path));
    // Saving leaves the document as it was.
    EXPECT_EQ(rich1->toPlainText(), "Quality [5kwRliti]");
}

// Both accents saved and opened in a word processor: the word, labels and marks in Arial, each
// transcription in the phonetic face, blue.
TEST_F(Frm3Test, BothAccentsSaveAsRtfThatAWordProcessorShowsInTheRightFaces) {
    testing_support::LibreOffice office;
    ASSERT_TRUE(office.ready()) << office.problem().toStdString();
    auto* accent = find<QComboBox>("Accent");
    const int both = accent->findText("英美");
    accent->setCurrentIndex(both);
    Q_EMIT accent->activated(both);
    enter("quality");
    const QString path = office.dir.filePath("quality.rtf");
    env.files.answer(path);
    QTest::mouseClick(find<QLabel>("Label4"), Qt::LeftButton);

    QString log;
    const testing_support::FlatOdt odt = office.read(path, &log);
    ASSERT_EQ(odt.paragraphs().size(), 1) << log.toStdString();
    const testing_support::Paragraph& got = odt.paragraphs()[0];
    ASSERT_EQ(got.text, "quality 英[5kwRliti] 美[5kwB:lEti]");
    for (qsizetype i = 0; i < got.text.size(); ++i) {
        const bool codes = (i >= 10 && i < 18) || (i >= 22 && i < 31);
        const QChar c = got.text[i];
        if (c.script() == QChar::Script_Han) {
            continue;  // drawn by the word processor's East Asian face
        }
        EXPECT_EQ(got.formats[i].family, codes ? kPhonetic : kArial) << i;
        EXPECT_EQ(got.formats[i].colour, codes ? "#0000ff" : "#000000") << i;
    }
}

TEST_F(Frm3Test, TransferToWordOpensATemporaryDocument) {
    enter("zebra");
    QTest::mouseClick(find<QLabel>("Label13"), Qt::LeftButton);
    ASSERT_EQ(env.shell.opened.size(), 1);
    const QString opened = env.shell.opened[0];
    EXPECT_TRUE(QRegularExpression("^tmp(0|[1-9][0-9]{0,4})\\.doc$")
                    .match(QFileInfo(opened).fileName())
                    .hasMatch())
        << opened.toStdString();
    EXPECT_TRUE(readFile(opened).contains("zebra ["));
    EXPECT_EQ(rich1->toPlainText(), "zebra [" + transcriptionOf("zebra") + "]");
}

// The phoneme names of what codes sound like, as eSpeak NG says them.
QStringList phonemesOf(const char* codes) {
    return phonemeNames(
        core::soundOfCodes(platform::EspeakLibrary::open(), QString::fromLatin1(codes)));
}

// F5 says the transcription at the caret or of the selected word, else the last one written, and
// changes nothing in the document.
TEST_F(Frm3Test, F5SaysTheTranscriptionThatTheCaretPointsAt) {
    auto sound = std::make_shared<testing_support::RecordingSound>();
    window.setSpeech(std::make_shared<core::Speech>(sound));
    auto* speak = find<QLabel>("Label14");
    EXPECT_EQ(speak->text(), "朗读");
    EXPECT_TRUE(speak->isEnabled());
    enter("the");
    enter("Quality");
    const QString written = rich1->toPlainText();

    QTest::keyClick(text1, Qt::Key_F5);  // the caret stands after the last entry
    if (sound->played.empty()) {
        REQUIRE_ESPEAK();
    }
    QTextCursor caret = rich1->textCursor();
    caret.setPosition(1);  // in "the"
    rich1->setTextCursor(caret);
    QTest::keyClick(text1, Qt::Key_F5);
    caret.setPosition(int(written.indexOf("Quality")));
    caret.setPosition(int(written.indexOf("Quality")) + 7, QTextCursor::KeepAnchor);
    rich1->setTextCursor(caret);
    QTest::mouseClick(speak, Qt::LeftButton);

    ASSERT_EQ(sound->played.size(), 3u);
    EXPECT_EQ(phonemeNames(sound->played[0]), phonemesOf("5kwRliti"));
    EXPECT_EQ(phonemeNames(sound->played[1]), phonemesOf("TE"));  // the first of its two forms
    EXPECT_EQ(phonemeNames(sound->played[2]), phonemesOf("5kwRliti"));
    EXPECT_EQ(rich1->toPlainText(), written);
}

// 英 / 美 / 英美: the British transcription, the American one, or both, each after its label; the
// choice is the user's for the next run too. A word the American table lacks is missing as any
// missing word is, never written British; with both it shows "none" beside the British form.
TEST_F(Frm3Test, TheAccentChoiceWritesEitherTranscriptionOrBothAndIsRemembered) {
    struct Case {
        const char* caption;
        const char* entry;
        std::vector<Piece> expected;
        int questions;
    };
    const QString dropped = transcriptionOf("halfpennies");
    ASSERT_FALSE(dropped.isEmpty());
    ASSERT_TRUE(client.lookupAmerican("halfpennies").transcription.isEmpty());
    const Case cases[] = {
        {"英", "Quality", written({"Quality [", "5kwRliti", "]"}), 0},
        {"美", "Quality", written({"Quality [", "5kwB:lEti", "]"}), 0},
        {"英美", "quality", written({"quality 英[", "5kwRliti", "] 美[", "5kwB:lEti", "]"}), 0},
        {"美", "halfpennies", written({"halfpennies [", "none", "]"}), 1},
        {"英美", "halfpennies", written({"halfpennies 英[", dropped, "] 美[", "none", "]"}), 0},
        // A sentence goes word by word in the accent chosen.
        {"美", "the quality", written({"the [", "TE", "] quality [", "5kwB:lEti", "]"}), 0},
    };
    auto* accent = find<QComboBox>("Accent");
    ASSERT_TRUE(accent != nullptr);
    EXPECT_EQ(accent->currentText(), "英");  // until the user chooses
    for (const Case& c : cases) {
        rich1->clear();
        env.messages.shown.clear();
        env.messages.answer(Answer::No);
        const int index = accent->findText(QString::fromUtf8(c.caption));
        accent->setCurrentIndex(index);
        Q_EMIT accent->activated(index);
        enter(QString::fromLatin1(c.entry));
        EXPECT_EQ(runs(), c.expected) << c.caption << ' ' << c.entry;
        EXPECT_EQ(int(env.messages.shown.size()), c.questions) << c.caption << ' ' << c.entry;
    }
    smart::Frm3 again(env.services, client);
    EXPECT_EQ(testing_support::childOf<QComboBox>(again, QStringLiteral("Accent"))->currentText(),
              "美");
}

// With 美 and with 英美, the American transcription is said by the American voice.
TEST_F(Frm3Test, F5SaysAnAmericanTranscriptionInTheAmericanVoice) {
    REQUIRE_ESPEAK();
    auto sound = std::make_shared<testing_support::RecordingSound>();
    window.setSpeech(std::make_shared<core::Speech>(sound));
    auto* accent = find<QComboBox>("Accent");
    const int both = accent->findText("英美");
    accent->setCurrentIndex(both);
    Q_EMIT accent->activated(both);
    enter("quality");
    QTest::keyClick(text1, Qt::Key_F5);  // the last written: the American one
    QTextCursor caret = rich1->textCursor();
    caret.setPosition(int(rich1->toPlainText().indexOf("5kwRliti")) + 1);
    rich1->setTextCursor(caret);
    QTest::keyClick(text1, Qt::Key_F5);

    const platform::EspeakLibrary& espeak = platform::EspeakLibrary::open();
    const QStringList american =
        phonemeNames(core::soundOfCodes(espeak, "5kwB:lEti", platform::Voice::American));
    // The voices say the codes with other phonemes (the American t of "quality"), so that a wrong
    // voice shows.
    ASSERT_NE(american, phonemesOf("5kwB:lEti"));
    ASSERT_EQ(sound->played.size(), 2u);
    EXPECT_EQ(phonemeNames(sound->played[0]), american);
    EXPECT_EQ(phonemeNames(sound->played[1]), phonemesOf("5kwRliti"));
}

TEST_F(Frm3Test, WithoutASoundDeviceTheCommandIsOffAndSaysWhy) {
    auto sound = std::make_shared<testing_support::RecordingSound>(false);
    window.setSpeech(std::make_shared<core::Speech>(sound));
    enter("Quality");
    auto* speak = find<QLabel>("Label14");
    EXPECT_FALSE(speak->isEnabled());
    EXPECT_EQ(speak->toolTip(), widgets::speechProblemText(core::SpeechProblem::NoSoundDevice));
    QTest::keyClick(text1, Qt::Key_F5);
    EXPECT_TRUE(sound->played.empty());
}

TEST_F(Frm3Test, TheChromeLabelsMinimiseAndClose) {
    QTest::mouseClick(find<QLabel>("lblmin"), Qt::LeftButton);
    EXPECT_TRUE(window.isMinimized());
    EXPECT_EQ(window.windowTitle(), "智能标注");
    window.showNormal();
    EXPECT_EQ(window.windowTitle(), QString());
    QTest::mouseClick(find<QLabel>("lblclose"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

// A reviewer's picture of the window with a few annotated words, under the offscreen platform, in
// which no control covers another and every caption fits; VOXSCRIBE_SNAPSHOT_DIR names the folder
// it goes to.
TEST_F(Frm3Test, RendersASnapshot) {
    QFontDatabase::addApplicationFont(QStringLiteral(VOXSCRIBE_PROGRAM_DIR "/Ksphonet.ttf"));
    enter("the");
    enter(" air ");
    enter("Quality");
    find<QRadioButton>("Option3")->setChecked(true);
    enter("China");
    QTest::keyClick(text1, Qt::Key_Escape);
    enter(" and ");
    QTest::keyClick(text1, Qt::Key_Escape);
    type("zebra");
    const QString path = layout_check::snapshotPath("Frm3.png", env.dir.path());
    const QImage image = window.grab().toImage();
    ASSERT_TRUE(image.save(path));
    EXPECT_EQ(layout_check::layoutProblems(window), std::vector<std::string>{});
}

class Frm3WithoutDictionaryTest : public Frm3Test {
protected:
    Frm3WithoutDictionaryTest() : Frm3Test(noLibrary.path()) {}
    static inline QTemporaryDir noLibrary;
};

TEST_F(Frm3WithoutDictionaryTest, EveryWordIsAMissAfterOneWarning) {
    env.messages.answer(Answer::Ok);
    env.messages.answer(Answer::No);
    env.messages.answer(Answer::No);
    enter("quality");
    enter("apple");
    ASSERT_EQ(env.messages.shown.size(), 3u);
    EXPECT_EQ(env.messages.shown[0].icon, platform::Icon::Critical);
    EXPECT_TRUE(env.messages.shown[1].text.startsWith("没找到  quality  的音标"));
    EXPECT_TRUE(env.messages.shown[2].text.startsWith("没找到  apple  的音标"));
    EXPECT_EQ(rich1->toPlainText(), "quality [none]apple [none]");
}

}  // namespace
