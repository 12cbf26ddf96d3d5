// The manual-input window driven as a user drives it: keys, clicks, the confirm button.
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "children.h"
#include "documentbox.h"
#include "fontcheck.h"
#include "form1.h"
#include "layoutcheck.h"
#include "manualtesting.h"
#include "phonetickeyboard.h"
#include "speech.h"
#include "standins.h"
#include "testenv.h"

namespace {

using manual_testing::Piece;
using manual_testing::piecesOf;

const QString kPhonetic = QStringLiteral("Kingsoft Phonetic Plain");
const QString kCourier = QStringLiteral("Courier");

// The Qt key that produces a virtual-key code of the map.
std::pair<Qt::Key, Qt::KeyboardModifiers> qtKeyFor(int keyCode) {
    if (keyCode >= 112 && keyCode <= 123) {
        return {Qt::Key(Qt::Key_F1 + keyCode - 112), {}};
    }
    if (keyCode >= 96 && keyCode <= 105) {
        return {Qt::Key(Qt::Key_0 + keyCode - 96), Qt::KeypadModifier};
    }
    if (keyCode == 111) {
        return {Qt::Key_Slash, Qt::KeypadModifier};
    }
    if (keyCode == 106) {
        return {Qt::Key_Asterisk, Qt::KeypadModifier};
    }
    return {Qt::Key(keyCode), {}};  // digits and capital letters are their own Qt keys
}

class Form1Test : public ::testing::Test {
protected:
    explicit Form1Test(bool withFont = true) : fonts(withFont) {}

    void SetUp() override {
        form = std::make_unique<manual::Form1>(env.services);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        text1 = get<QLineEdit>("Text1");
        text2 = get<QLineEdit>("Text2");
        rich1 = get<output::DocumentBox>("Rich1");
        confirm = get<QPushButton>("Command6");
    }
    void TearDown() override { form.reset(); }

    template <typename T>
    T* get(const QString& name) {
        return testing_support::childOf<T>(*form, name);
    }
    QPushButton* button(int index) {
        return get<QPushButton>(QStringLiteral("Command1_%1").arg(index));
    }
    QPushButton* palette(int index) { return get<QPushButton>(QStringLiteral("c1_%1").arg(index)); }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    void key(QWidget* receiver, Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(receiver, k, modifiers);
    }
    // The codes of "quality" on the keyboard, "5kwCliti".
    void typeQuality() {
        for (Qt::Key k : {Qt::Key_F10, Qt::Key_K, Qt::Key_W, Qt::Key_2, Qt::Key_L, Qt::Key_6,
                          Qt::Key_T, Qt::Key_6}) {
            key(text1, k);
        }
    }
    int widthTwips() const { return form->width() * 15; }

    manual_testing::FontFolder fonts;
    testing_support::TestEnvironment env;
    std::unique_ptr<manual::Form1> form;
    QLineEdit* text1 = nullptr;
    QLineEdit* text2 = nullptr;
    output::DocumentBox* rich1 = nullptr;
    QPushButton* confirm = nullptr;
};

class Form1WithoutFontTest : public Form1Test {
protected:
    Form1WithoutFontTest() : Form1Test(false) {}
};

TEST_F(Form1Test, OpensInPhoneticModeWithItsControls) {
    EXPECT_TRUE(env.messages.shown.empty());
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(get<QLabel>("lblbiaoti")->text(), "手动输入");
    EXPECT_EQ(get<QLabel>("lblmin")->toolTip(), "最小化");
    EXPECT_EQ(get<QLabel>("Lblcls")->toolTip(), "关闭");
    EXPECT_TRUE(form->inPhoneticMode());
    EXPECT_EQ(get<QLabel>("Label2")->text(), "输入音标：");
    EXPECT_TRUE(text1->isVisible() && text1->isReadOnly());
    EXPECT_FALSE(text1->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_EQ(text1->font().family(), kPhonetic);
    EXPECT_EQ(text1->toolTip(), "中文输入法被屏蔽");
    EXPECT_FALSE(text2->isVisible());
    EXPECT_EQ(text2->font().family(), kPhonetic);
    EXPECT_EQ(text2->font().pointSizeF(), 9.75);
    EXPECT_FALSE(confirm->isEnabled());
    EXPECT_TRUE(confirm->isDefault());
    EXPECT_EQ(confirm->toolTip(), "回车键为快捷键");
    EXPECT_TRUE(get<QRadioButton>("Option1")->isChecked());
    EXPECT_TRUE(rich1->isLocked());
    EXPECT_TRUE(rich1->toPlainText().isEmpty());
    EXPECT_EQ(get<QGroupBox>("Frame1")->title(), "辅音：9+19；元音：20；符号：3");
    EXPECT_TRUE(get<QGroupBox>("Frame1")->isEnabled());

    for (const auto& data : keyboard::kKeyboardButtons) {
        QPushButton* b = button(data.index);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(b->toolTip(), keyboard::tooltipText(data));
        EXPECT_EQ(b->icon().isNull(), data.face == keyboard::Face::Caption) << data.index;
    }
    EXPECT_EQ(button(20)->width(), 38);   // "m" is wider
    EXPECT_EQ(button(61)->height(), 26);  // "ju:" is lower

    // The panel stands beyond the closed window's edge, and the window is as narrow as it goes.
    EXPECT_EQ(widthTwips(), 7875);
    EXPECT_EQ(form->height() * 15, 8430);
    EXPECT_GE(get<QGroupBox>("Frame4")->x(), form->width());
    EXPECT_FALSE(form->panelPinned());
}

TEST_F(Form1WithoutFontTest, MissingFontDisablesTheButtonsButNotTheKeys) {
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].icon, platform::Icon::Critical);
    EXPECT_EQ(env.messages.shown[0].text, platform::missingFontMessage(env.services.folder, false));
    EXPECT_FALSE(get<QGroupBox>("Frame1")->isEnabled());

    click(button(2));
    EXPECT_EQ(text1->text(), "");
    key(text1, Qt::Key_F1);
    EXPECT_EQ(text1->text(), "F");
}

TEST_F(Form1Test, EveryMappedKeyInsertsTheStringOfItsButton) {
    for (const auto& mapped : keyboard::kKeyMap) {
        text1->clear();
        const auto [k, modifiers] = qtKeyFor(mapped.keyCode);
        key(text1, k, modifiers);
        EXPECT_EQ(text1->text(), keyboard::insertedText(mapped.buttonIndex)) << mapped.key;
    }
}

TEST_F(Form1Test, ModifiersChangeNothingAndUnmappedKeysInsertNothing) {
    key(text1, Qt::Key_P, Qt::ShiftModifier);
    key(text1, Qt::Key_P, Qt::ControlModifier);
    key(text1, Qt::Key_P);
    EXPECT_EQ(text1->text(), "ppp");
    text1->clear();

    key(text1, Qt::Key_A);
    key(text1, Qt::Key_A, Qt::ShiftModifier);
    key(text1, Qt::Key_Q);
    for (Qt::Key k : {Qt::Key_0, Qt::Key_Period, Qt::Key_Plus, Qt::Key_Minus}) {
        key(text1, k, Qt::KeypadModifier);
    }
    // Keypad 1 and 8 with Num Lock off.
    key(text1, Qt::Key_End, Qt::KeypadModifier);
    key(text1, Qt::Key_Up, Qt::KeypadModifier);
    EXPECT_EQ(text1->text(), "");

    // The same digit is a vowel of row 2 on the main keyboard and of row 3 on the keypad.
    key(text1, Qt::Key_1);
    key(text1, Qt::Key_1, Qt::KeypadModifier);
    key(text1, Qt::Key_Slash, Qt::KeypadModifier);
    key(text1, Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_EQ(text1->text(), "Qa:Ciju:");
}

TEST_F(Form1Test, BackspaceRemovesTheLastCharacterWhereverTheCaretStands) {
    key(text1, Qt::Key_F7);
    EXPECT_EQ(text1->text(), "dV");
    key(text1, Qt::Key_Backspace);
    EXPECT_EQ(text1->text(), "d");
    key(text1, Qt::Key_F3);
    text1->setCursorPosition(1);
    key(text1, Qt::Key_Backspace);
    EXPECT_EQ(text1->text(), "dt");
    EXPECT_EQ(text1->cursorPosition(), 2);
    key(text1, Qt::Key_Backspace);
    key(text1, Qt::Key_Backspace);
    key(text1, Qt::Key_Backspace);
    EXPECT_EQ(text1->text(), "");
}

TEST_F(Form1Test, KeysReachTheWindowWhicheverControlHasTheFocus) {
    // Each press counts once, however far it travels up from the control that ignores it.
    key(rich1, Qt::Key_F1);
    key(get<QRadioButton>("Option3"), Qt::Key_F2);
    key(button(14), Qt::Key_3);
    key(form.get(), Qt::Key_S);
    EXPECT_EQ(text1->text(), "FWEs");
    EXPECT_TRUE(rich1->toPlainText().isEmpty());
}

TEST_F(Form1Test, ButtonsInsertTheirStringsAtTheCaretAndReplaceTheSelection) {
    for (const auto& data : keyboard::kKeyboardButtons) {
        text1->clear();
        rich1->setFocus();
        click(button(data.index));
        EXPECT_EQ(text1->text(), keyboard::insertedText(data.index)) << data.index;
        EXPECT_TRUE(text1->hasFocus());
    }
    text1->setText("abcd");
    text1->setSelection(1, 2);
    click(button(0));
    EXPECT_EQ(text1->text(), "adVd");
    EXPECT_EQ(text1->cursorPosition(), 3);
    key(text1, Qt::Key_F1);  // at the caret, not at the end
    EXPECT_EQ(text1->text(), "adVFd");

    // The box takes no typing, but its caret shows where the next code goes, and a click moves it.
    QTest::mouseClick(text1, Qt::LeftButton, {}, QPoint(3, text1->height() / 2));
    EXPECT_EQ(text1->cursorPosition(), 0);
    QApplication::processEvents();
    const auto caretArea = [this] {
        return text1->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    };
    text1->setCursorPosition(5);
    const QRect endArea = caretArea();
    const QImage atEnd = text1->grab().toImage();
    text1->setCursorPosition(0);
    const QRect startArea = caretArea();
    const QImage atStart = text1->grab().toImage();
    ASSERT_EQ(atStart.size(), atEnd.size());
    int changed = 0;
    for (int y = 0; y < atStart.height(); ++y) {
        for (int x = 0; x < atStart.width(); ++x) {
            if (atStart.pixel(x, y) != atEnd.pixel(x, y)) {
                ++changed;
                EXPECT_TRUE(startArea.contains(x, y) || endArea.contains(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(changed, 0);
}

struct OptionCase {
    const char* option;
    std::vector<Piece> runs;
};

class Form1ConfirmTest : public Form1Test, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(Form1ConfirmTest, WritesTheWordAndTheCodesInTheirFontsAndColours) {
    QApplication::clipboard()->setText("the user's own text");
    click(get<QRadioButton>(GetParam().option));

    key(text1, Qt::Key_Escape);
    QTest::keyClicks(text2, "quality");
    EXPECT_TRUE(confirm->isEnabled());
    key(text2, Qt::Key_Return);
    EXPECT_EQ(QApplication::clipboard()->text(), "quality ");
    EXPECT_FALSE(confirm->isEnabled());
    EXPECT_TRUE(text2->hasFocus());

    key(text2, Qt::Key_Escape);
    typeQuality();
    click(confirm);
    EXPECT_EQ(piecesOf(*rich1->document()), GetParam().runs);
    EXPECT_EQ(QApplication::clipboard()->text(), "5kwCliti");
    EXPECT_EQ(text1->text(), "");
    EXPECT_EQ(text2->text(), "");
    EXPECT_FALSE(confirm->isEnabled());
    EXPECT_TRUE(rich1->isLocked());
    EXPECT_TRUE(text1->hasFocus());
}

INSTANTIATE_TEST_SUITE_P(Options, Form1ConfirmTest,
                         ::testing::Values(OptionCase{"Option1",
                                                      {{"quality  [", kCourier, core::kBlack},
                                                       {"5kwCliti", kPhonetic, core::kBlue},
                                                       {"] ", kCourier, core::kBlack}}},
                                           OptionCase{"Option3",
                                                      {{"quality /", kCourier, core::kBlack},
                                                       {"5kwCliti", kPhonetic, core::kBlue},
                                                       {"/", kCourier, core::kBlack}}},
                                           OptionCase{"Option2",
                                                      {{"quality ", kCourier, core::kBlack},
                                                       {"5kwCliti", kPhonetic, core::kBlue}}}),
                         [](const ::testing::TestParamInfo<OptionCase>& info) {
                             return std::string(info.param.option);
                         });

TEST_F(Form1Test, TheNoBracketOptionLeavesThePhoneticFormatAtTheCaret) {
    key(text1, Qt::Key_3, Qt::AltModifier);  // the access key of "不加[]也不加// &3"
    ASSERT_TRUE(QTest::qWaitFor([this] { return get<QRadioButton>("Option2")->isChecked(); }));
    key(text1, Qt::Key_F1);
    key(text1, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(rich1->insertionFont(), kPhonetic);
    EXPECT_EQ(rich1->insertionColour(), core::kBlue);
    // The next confirm sets its own format again.
    key(text1, Qt::Key_Escape);
    QTest::keyClicks(text2, "fish");
    key(text2, Qt::Key_Return);
    EXPECT_EQ(piecesOf(*rich1->document()),
              (std::vector<Piece>{{"F", kPhonetic, core::kBlue}, {"fish ", kCourier, 0}}));
}

TEST_F(Form1Test, AccessKeysSelectTheOptionsForGood) {
    key(text1, Qt::Key_2, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([this] { return get<QRadioButton>("Option3")->isChecked(); }));
    // The access key is the option's own: it does not also type the vowel of the 2 key.
    EXPECT_EQ(text1->text(), "");
    key(text1, Qt::Key_F1);
    key(text1, Qt::Key_Return);
    key(text1, Qt::Key_Escape);
    key(text2, Qt::Key_Escape);
    EXPECT_TRUE(get<QRadioButton>("Option3")->isChecked());
    EXPECT_EQ(rich1->toPlainText(), "/F/");
}

TEST_F(Form1Test, ConfirmReplacesTheSelectedDocumentText) {
    key(text1, Qt::Key_F1);
    click(confirm);
    rich1->selectAll();
    key(text1, Qt::Key_F2);
    click(confirm);
    EXPECT_EQ(rich1->toPlainText(), " [W] ");
}

TEST_F(Form1Test, AnEmptiedEntryStillWritesTheBrackets) {
    key(text1, Qt::Key_F1);
    key(text1, Qt::Key_Backspace);
    ASSERT_TRUE(confirm->isEnabled());  // emptying a box does not disable the button
    click(confirm);
    EXPECT_EQ(rich1->toPlainText(), " [] ");
}

TEST_F(Form1Test, ModeSwitchKeepsBothEntryBoxes) {
    key(text1, Qt::Key_F1);
    key(text1, Qt::Key_Escape);
    EXPECT_FALSE(form->inPhoneticMode());
    EXPECT_EQ(get<QLabel>("Label2")->text(), "输入单词：");
    EXPECT_FALSE(get<QGroupBox>("Frame1")->isVisible());
    EXPECT_FALSE(get<QGroupBox>("Frame2")->isVisible());
    EXPECT_FALSE(get<QGroupBox>("Frame4")->isEnabled());
    EXPECT_TRUE(text2->isVisible() && text2->hasFocus());
    // The word box starts with the input method off; Ctrl+Space lets the user switch it on.
    EXPECT_FALSE(text2->testAttribute(Qt::WA_InputMethodEnabled));
    QTest::keyClick(text2, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_TRUE(text2->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_EQ(text2->text(), "");

    // In word mode letters go into the word box only; Backspace shortens both boxes.
    QTest::keyClicks(text2, "wox");
    key(text2, Qt::Key_F2);
    key(text2, Qt::Key_Backspace);
    EXPECT_EQ(text2->text(), "wo");
    EXPECT_EQ(text1->text(), "");

    key(text2, Qt::Key_Escape);
    EXPECT_TRUE(form->inPhoneticMode());
    EXPECT_TRUE(text1->hasFocus());
    EXPECT_TRUE(get<QGroupBox>("Frame4")->isEnabled());
    key(text1, Qt::Key_F1);
    key(text1, Qt::Key_Escape);
    key(text2, Qt::Key_Escape);
    EXPECT_EQ(text1->text(), "F");
    EXPECT_EQ(text2->text(), "wo");
    EXPECT_TRUE(form->isVisible());  // Esc never closes the window

    click(confirm);
    EXPECT_EQ(rich1->toPlainText(), " [F] ");
    EXPECT_EQ(text2->text(), "");
}

TEST_F(Form1Test, HintTogglesAndTheHintMenu) {
    auto* label1 = get<QLabel>("Label1");
    const QString hint = label1->text();
    click(get<QLabel>("Label4"));
    EXPECT_EQ(label1->text(), "");
    EXPECT_EQ(get<QLabel>("Label4")->text(), "显示");
    click(get<QLabel>("Label4"));
    EXPECT_EQ(label1->text(), hint);
    EXPECT_EQ(get<QLabel>("Label4")->text(), "隐藏");

    auto* frame = get<QGroupBox>("Frame1");
    auto* menu = get<QMenu>("popmenu");
    QTest::mousePress(button(2), Qt::RightButton);
    QTest::mousePress(get<QLabel>("Label6"), Qt::RightButton);
    EXPECT_FALSE(menu->isVisible());
    const QPoint background(4, frame->height() - 4);
    ASSERT_EQ(frame->childAt(background), nullptr);
    QTest::mousePress(frame, Qt::RightButton, {}, background);
    ASSERT_TRUE(menu->isVisible());
    QStringList captions;
    for (QAction* action : menu->actions()) {
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(captions, QStringList({"第一组辅音输入提示", "-", "第一组元音输入提示", "-",
                                     "第二组元音输入提示", "-", "第二组辅音输入提示"}));
    get<QAction>("mnu3")->trigger();
    menu->hide();
    EXPECT_EQ(get<QLabel>("Label6")->text(), "");
    EXPECT_EQ(get<QLabel>("Label7")->text(), "显示");
    get<QAction>("mnu4")->trigger();
    EXPECT_EQ(get<QLabel>("Label8")->text(), "");
}

TEST_F(Form1Test, LetterBlockToggleCyclesThroughMessageHideAndShow) {
    auto* label5 = get<QLabel>("Label5");
    const auto letterButtonsVisible = [this] {
        int visible = 0;
        for (const auto& data : keyboard::kKeyboardButtons) {
            visible += keyboard::inLetterBlock(data) && button(data.index)->isVisible() ? 1 : 0;
        }
        return visible;
    };
    ASSERT_EQ(letterButtonsVisible(), 19);
    click(label5);
    EXPECT_EQ(label5->text(), "隐藏");
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].icon, platform::Icon::Information);
    EXPECT_EQ(env.messages.shown[0].text,
              "    本簇音标与键盘字母对应。您可以选择用键\n"
              "盘输入它们，也可以点击这些按钮来输入它们。\n"
              "其中tr/dr在键盘上等价于t/d与r两个字母组合。\n"
              "再次单击这个地方可以隐藏它们。");
    EXPECT_EQ(letterButtonsVisible(), 19);
    click(label5);
    EXPECT_EQ(label5->text(), "显示");
    EXPECT_EQ(letterButtonsVisible(), 0);
    EXPECT_TRUE(button(0)->isVisible());
    get<QAction>("mnu2")->trigger();
    EXPECT_EQ(label5->text(), "提示");
    EXPECT_EQ(letterButtonsVisible(), 19);
    EXPECT_EQ(env.messages.shown.size(), 1u);
}

TEST_F(Form1Test, HoveringColoursTheToggleLabelsAndTheBackgroundRestoresThem) {
    const QColor normal = get<QLabel>("Label2")->palette().color(QPalette::WindowText);
    const QColor blue = output::colourFromBgr(core::kBlue);
    ASSERT_NE(normal, blue);
    for (const char* name : {"Label4", "Label5", "Label10"}) {
        QTest::mouseMove(get<QLabel>(name));
        EXPECT_EQ(get<QLabel>(name)->palette().color(QPalette::WindowText), blue) << name;
    }
    auto* frame = get<QGroupBox>("Frame1");
    QTest::mouseMove(frame, QPoint(4, frame->height() - 4));
    for (const char* name : {"Label4", "Label5", "Label7", "Label9", "Label10"}) {
        EXPECT_EQ(get<QLabel>(name)->palette().color(QPalette::WindowText), normal) << name;
    }
}

TEST_F(Form1Test, AnUnpinnedPanelServesOneSymbol) {
    click(get<QLabel>("Label10"));
    EXPECT_EQ(widthTwips(), 9390);  // 9420 asked, 9400 allowed, whole pixels
    EXPECT_LE(get<QGroupBox>("Frame4")->geometry().right(), form->width());
    text1->setText("ab");
    text1->selectAll();
    click(palette(8));
    EXPECT_EQ(text1->text(), "G");
    EXPECT_TRUE(text1->hasFocus());
    EXPECT_EQ(widthTwips(), 7875);
}

TEST_F(Form1Test, APinnedPanelStaysOpenUntilUnpinned) {
    auto* pin = get<QLabel>("Label11");
    click(pin);
    EXPECT_TRUE(form->panelPinned());
    EXPECT_NE(pin->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(widthTwips(), 9390);
    QString expected;
    for (const auto& data : keyboard::kPaletteButtons) {
        click(palette(data.index));
        expected += QLatin1Char(data.code);
    }
    EXPECT_EQ(text1->text(), expected);
    EXPECT_EQ(widthTwips(), 9390);
    click(get<QLabel>("Label10"));  // "more" leaves the pin alone
    EXPECT_TRUE(form->panelPinned());
    click(pin);
    EXPECT_FALSE(form->panelPinned());
    EXPECT_EQ(pin->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(widthTwips(), 7875);
}

TEST_F(Form1Test, PaletteButtonsDoNothingInWordMode) {
    click(get<QLabel>("Label10"));
    key(text1, Qt::Key_Escape);
    click(palette(0));
    // The disabled frame stops the click; the handler itself checks the mode too.
    get<QGroupBox>("Frame4")->setEnabled(true);
    click(palette(0));
    EXPECT_EQ(text1->text(), "");
    EXPECT_EQ(widthTwips(), 9390);
}

TEST(Form1SizeLimits, WidthAndHeightAreHeldWithinTheirBand) {
    const struct {
        QSize asked;
        QSize given;
    } cases[] = {
        {{7000, 8430}, {7860, 8430}}, {{9420, 8430}, {9400, 8430}}, {{8000, 9000}, {8000, 8430}},
        {{8000, 8435}, {8000, 8435}}, {{8000, 8440}, {8000, 8440}}, {{8000, 8441}, {8000, 8430}},
        {{8000, 100}, {8000, 8430}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(manual::Form1::limitedSize(c.asked), c.given)
            << c.asked.width() << "x" << c.asked.height();
    }
}

TEST_F(Form1Test, ResizingOutsideTheLimitsSnapsBack) {
    form->resize(7000 / 15, 9000 / 15);
    QTest::qWait(0);
    EXPECT_EQ(widthTwips(), 7860);
    EXPECT_EQ(form->height() * 15, 8430);
    form->resize(700, 500);
    QTest::qWait(0);
    EXPECT_EQ(widthTwips(), 9390);
    EXPECT_EQ(form->height() * 15, 8430);
}

// "朗读" says the codes in the entry box; F5 stays a key of the phonetic keyboard.
TEST_F(Form1Test, TheSpeechCommandSaysTheTypedCodes) {
    auto sound = std::make_shared<testing_support::RecordingSound>();
    form->setSpeech(std::make_shared<core::Speech>(sound));
    typeQuality();
    click(get<QLabel>("Label14"));
    REQUIRE_ESPEAK();
    ASSERT_EQ(sound->played.size(), 1u);
    EXPECT_EQ(sound->played[0].phonemes.size(), testing_support::phonemeCountOf("5kwRliti"));
    EXPECT_EQ(text1->text(), "5kwCliti");
    EXPECT_TRUE(rich1->toPlainText().isEmpty());
}

TEST_F(Form1Test, SavesTransfersAndCleansUpOnClose) {
    key(text1, Qt::Key_F1);
    click(confirm);
    const QString path = env.file("notes.doc");
    env.files.answer(path);
    click(get<QLabel>("Label12"));
    ASSERT_EQ(env.files.requests.size(), 1u);
    EXPECT_EQ(env.files.requests[0].filter, "Word文档(*.doc)|*.doc|rtf文件(*.rtf)|*.rtf|");
    EXPECT_TRUE(QFileInfo(path).size() > 0);
    EXPECT_EQ(get<QLabel>("lblfile")->text(), path);
    EXPECT_TRUE(get<QTimer>("Timer1")->isActive());

    click(get<QLabel>("Label13"));
    ASSERT_EQ(env.shell.opened.size(), 1);
    const QString transfer = env.shell.opened[0];
    EXPECT_TRUE(QRegularExpression(R"(tmp\d{1,5}\.doc$)").match(transfer).hasMatch());
    EXPECT_TRUE(QFileInfo::exists(transfer));

    click(get<QLabel>("Lblcls"));
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(QFileInfo::exists(transfer));
    EXPECT_TRUE(QFileInfo::exists(path));
}

TEST_F(Form1Test, TheMinimiseLabelNamesTheMinimisedWindow) {
    EXPECT_EQ(form->windowTitle(), "");
    click(get<QLabel>("lblmin"));
    EXPECT_TRUE(form->isMinimized());
    EXPECT_EQ(form->windowTitle(), "手动输入");
    form->showNormal();
    EXPECT_EQ(form->windowTitle(), "");
    EXPECT_EQ(widthTwips(), 7875);
}

// A reviewer's pictures of the window, with the panel closed and open, under the offscreen
// platform, in which no control covers another and every caption fits; VOXSCRIBE_SNAPSHOT_DIR
// names the folder they go to.
TEST_F(Form1Test, RendersSnapshots) {
    // The button faces are drawn when the window is made, so the font must come first.
    QFontDatabase::addApplicationFont(QStringLiteral(VOXSCRIBE_PROGRAM_DIR "/Ksphonet.ttf"));
    TearDown();
    SetUp();
    key(text1, Qt::Key_Escape);
    QTest::keyClicks(text2, "quality");
    key(text2, Qt::Key_Return);
    key(text2, Qt::Key_Escape);
    typeQuality();
    key(text1, Qt::Key_Return);
    for (Qt::Key k : {Qt::Key_F9, Qt::Key_5, Qt::Key_K}) {
        key(text1, k);
    }
    const QString closed = layout_check::snapshotPath("Form1.png", env.dir.path());
    ASSERT_TRUE(form->grab().save(closed));
    EXPECT_EQ(layout_check::layoutProblems(*form), std::vector<std::string>{});

    click(get<QLabel>("Label11"));
    const QString open = layout_check::snapshotPath("Form1-panel.png", env.dir.path());
    ASSERT_TRUE(form->grab().save(open));
    EXPECT_EQ(layout_check::layoutProblems(*form), std::vector<std::string>{});
}

}  // namespace
