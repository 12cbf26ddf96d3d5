// The manual-entry dialog, opened as the user opens it: a word the dictionary lacks, Enter in the
// smart-annotation window and Yes to its question.
#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "children.h"
#include "documentbox.h"
#include "frm1.h"
#include "frm3.h"
#include "frmstep1.h"
#include "layoutcheck.h"
#include "lookupclient.h"
#include "phonetickeyboard.h"
#include "pieces.h"
#include "speech.h"
#include "standins.h"
#include "suggestion.h"
#include "testenv.h"

namespace {

using platform::Answer;

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

smart::Frm1* shownDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<smart::Frm1*>(widget);
        if (dialog != nullptr && dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

// Suggestions for a few words, as a suggestion service would make them.
class FixedSuggestions final : public core::Suggestion {
public:
    QString suggest(const QString& word) override {
        const QString key = word.trimmed().toLower();
        return key == "blorf" ? "blR:f" : key == "bar" ? "ba:" : QString();
    }
    QString suggestAmerican(const QString& word) override {
        return word.trimmed().toLower() == "bar" ? "bB:r" : QString();
    }
    bool available() override { return true; }
};

class Frm1Test : public ::testing::Test {
protected:
    Frm1Test() : client(env.services), window(env.services, client) {
        smart::attachManualEntry(window, env.services, std::make_shared<FixedSuggestions>(),
                                 std::make_shared<core::Speech>(sound));
    }

    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        entry = window.entryBox();
        document = window.documentBox();
    }

    // Types a word that the dictionary lacks into Frm3 and answers Yes to its question.
    smart::Frm1* openFor(const QString& word) {
        entry->setFocus();
        QTest::keyClicks(entry, word);
        env.messages.answer(Answer::Yes);
        QTest::keyClick(entry, Qt::Key_Return);
        smart::Frm1* dialog = shownDialog();
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    template <typename T>
    static T* get(smart::Frm1* dialog, const QString& name) {
        return testing_support::childOf<T>(*dialog, name);
    }
    static void click(smart::Frm1* dialog, int index) {
        QTest::mouseClick(get<QPushButton>(dialog, QStringLiteral("Command1_%1").arg(index)),
                          Qt::LeftButton);
    }
    QByteArray missLog() const { return readBytes(env.file("unfound.dat")); }

    std::shared_ptr<testing_support::RecordingSound> sound =
        std::make_shared<testing_support::RecordingSound>();
    testing_support::TestEnvironment env;
    core::LookupClient client;
    smart::Frm3 window;
    QLineEdit* entry = nullptr;
    output::DocumentBox* document = nullptr;
};

TEST_F(Frm1Test, ConfirmLogsTheEntryAndWritesItAtTheCaretOfTheDocument) {
    // An annotated word first, so that the caret stands behind black Arial text.
    QTest::keyClicks(entry, "quality");
    QTest::keyClick(entry, Qt::Key_Return);
    ASSERT_EQ(document->toPlainText(), "quality [5kwRliti]");

    smart::Frm1* dialog = openFor("Blorf");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "手动添加音标");
    auto* text1 = get<QLineEdit>(dialog, "Text1");
    EXPECT_EQ(text1->text(), "");
    const QByteArray logBefore = missLog();

    // Buttons and typing mix, each at the caret.
    click(dialog, 2);
    QTest::keyClicks(text1, "Q");
    click(dialog, 45);
    text1->setCursorPosition(1);
    click(dialog, 64);
    EXPECT_EQ(text1->text(), "F7Qu:");
    QTest::keyClick(text1, Qt::Key_Return);

    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(missLog(), logBefore + "blorf,F7Qu:\r\n");
    EXPECT_EQ(document->toPlainText(), "quality [5kwRliti]blorf/F7Qu:/\n");
    EXPECT_EQ(QApplication::clipboard()->text(), "blorf/F7Qu:/\r\n");
    // The word and the slashes continue the black Arial at the caret; the codes read as IPA.
    const std::vector<testing_support::Piece> expected{
        {"quality [", "Arial", core::kBlack}, {"5kwRliti", core::phoneticFont(), core::kBlue},
        {"]blorf/", "Arial", core::kBlack},   {"F7Qu:", core::phoneticFont(), core::kBlue},
        {"/\n", "Arial", core::kBlack},
    };
    EXPECT_EQ(testing_support::piecesOf(*document->document()), expected);

    EXPECT_EQ(entry->text(), "");
    EXPECT_EQ(text1->text(), "");
    EXPECT_TRUE(QTest::qWaitFor([this] { return entry->hasFocus(); }));
}

// The suggestion stands beside the empty entry box; the button or Ctrl+Enter puts it there, and
// the user corrects it as any typed transcription before confirming.
TEST_F(Frm1Test, TheSuggestionIsTakenByItsButtonOrCtrlEnter) {
    const std::function<void(smart::Frm1*)> takes[] = {
        [](smart::Frm1* dialog) {
            QTest::mouseClick(get<QPushButton>(dialog, "Command8"), Qt::LeftButton);
        },
        [](smart::Frm1* dialog) {
            QTest::keyClick(get<QLineEdit>(dialog, "Text1"), Qt::Key_Return, Qt::ControlModifier);
        },
        [](smart::Frm1* dialog) {
            QTest::keyClick(get<QLineEdit>(dialog, "Text1"), Qt::Key_Enter,
                            Qt::ControlModifier | Qt::KeypadModifier);
        },
    };
    QString expected;
    for (const auto& take : takes) {
        smart::Frm1* dialog = openFor("Blorf");
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        auto* text1 = get<QLineEdit>(dialog, "Text1");
        auto* label4 = get<QLabel>(dialog, "Label4");
        EXPECT_EQ(text1->text(), "");
        EXPECT_TRUE(get<QLabel>(dialog, "Label3")->isVisible());
        EXPECT_EQ(get<QLabel>(dialog, "Label3")->text(), "建议：");
        EXPECT_EQ(label4->text(), "blR:f");
        EXPECT_EQ(label4->font().family(), text1->font().family());
        EXPECT_EQ(get<QPushButton>(dialog, "Command8")->text(), "采用");

        take(dialog);
        EXPECT_TRUE(dialog->isVisible());  // taking is no confirmation
        EXPECT_EQ(text1->text(), "blR:f");
        EXPECT_TRUE(QTest::qWaitFor([text1] { return text1->hasFocus(); })) << expected.size();
        QTest::keyClicks(text1, "d");
        QTest::keyClick(text1, Qt::Key_Return);
        expected += "blorf/blR:fd/\n";
        EXPECT_EQ(document->toPlainText(), expected);
    }
}

// "朗读" and F5 say the transcription being typed, and change nothing.
TEST_F(Frm1Test, TheSpeechCommandSaysTheTypedCodes) {
    smart::Frm1* dialog = openFor("Blorf");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    auto* text1 = get<QLineEdit>(dialog, "Text1");
    QTest::keyClicks(text1, "5blR:f");
    QTest::mouseClick(get<QPushButton>(dialog, "Command9"), Qt::LeftButton);
    QTest::keyClick(text1, Qt::Key_F5);
    REQUIRE_ESPEAK();
    ASSERT_EQ(sound->played.size(), 2u);
    EXPECT_EQ(sound->played[0].phonemes.size(), testing_support::phonemeCountOf("5blR:f"));
    EXPECT_EQ(text1->text(), "5blR:f");
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(Frm1Test, TheSuggestionFollowsFrm3sEntryAndIsHiddenWithoutOne) {
    smart::Frm1* dialog = openFor("Blorf");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    auto* text1 = get<QLineEdit>(dialog, "Text1");
    entry->setText("Bar");
    EXPECT_EQ(get<QLabel>(dialog, "Label4")->text(), "ba:");
    // In 美 the American suggestion; in 英美 the British one, which leads there.
    auto* accent = testing_support::childOf<QComboBox>(window, QStringLiteral("Accent"));
    ASSERT_NE(accent, nullptr);
    for (const auto& [caption, expected] : {std::pair{"美", "bB:r"}, std::pair{"英美", "ba:"}}) {
        const int index = accent->findText(QString::fromUtf8(caption));
        accent->setCurrentIndex(index);
        Q_EMIT accent->activated(index);
        entry->clear();
        entry->setText("bar");
        EXPECT_EQ(get<QLabel>(dialog, "Label4")->text(), expected) << caption;
    }
    const int withSuggestion = dialog->height();
    entry->setText("zzq");
    for (const char* name : {"Label3", "Label4"}) {
        EXPECT_FALSE(get<QLabel>(dialog, name)->isVisible()) << name;
    }
    EXPECT_FALSE(get<QPushButton>(dialog, "Command8")->isVisible());
    // Without the suggestion row the dialog ends below the entry row, with no empty band.
    EXPECT_LT(dialog->height(), withSuggestion);
    EXPECT_LE(dialog->height() - get<QPushButton>(dialog, "Command6")->geometry().bottom(), 15);
    QTest::keyClick(text1, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(text1->text(), "");
    EXPECT_TRUE(dialog->isVisible());
}

// Without eSpeak NG the dialog works as before, only without a suggestion.
TEST(Frm1WithoutEspeak, ShowsNoSuggestion) {
    testing_support::TestEnvironment env;
    core::LookupClient client(env.services);
    smart::Frm3 window(env.services, client);
    smart::attachManualEntry(
        window, env.services,
        std::make_shared<core::EspeakSuggestion>(core::EspeakSuggestion::Location{
            QStringLiteral("/nonexistent/libespeak-ng.so.1"), QString()}));
    window.show();
    QTest::keyClicks(window.entryBox(), "Voxscribe");
    env.messages.answer(Answer::Yes);
    QTest::keyClick(window.entryBox(), Qt::Key_Return);
    smart::Frm1* dialog = shownDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    EXPECT_FALSE(dialog->findChild<QPushButton*>(QStringLiteral("Command8"))->isVisible());
    auto* text1 = dialog->findChild<QLineEdit*>(QStringLiteral("Text1"));
    QTest::keyClick(text1, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(text1->text(), "");
    QTest::keyClicks(text1, "vRks");
    QTest::keyClick(text1, Qt::Key_Return);
    EXPECT_EQ(window.documentBox()->toPlainText(), "voxscribe/vRks/\n");
}

// The word goes as Frm3's entry holds it, lower-cased but not trimmed; each confirm counts, and an
// empty word with an empty transcription is accepted too.
TEST_F(Frm1Test, TheWordIsLowerCasedButNotTrimmedEachConfirmCountsAndEmptyIsAccepted) {
    const QByteArray logBefore = missLog();
    for (const char* typed : {" Blorf ", " Blorf ", "zzq"}) {
        smart::Frm1* dialog = openFor(QString::fromLatin1(typed));
        ASSERT_NE(dialog, nullptr);
        if (QLatin1String(typed) == QLatin1String("zzq")) {
            entry->clear();  // the user cleared Frm3's entry box meanwhile
        } else {
            click(dialog, 14);
        }
        QTest::mouseClick(get<QPushButton>(dialog, "Command6"), Qt::LeftButton);
    }
    EXPECT_EQ(missLog(), logBefore + " blorf ,p\r\n blorf ,p\r\n,\r\n");
    EXPECT_EQ(document->toPlainText(), " blorf /p/\n blorf /p/\n//\n");
}

TEST_F(Frm1Test, EveryButtonInsertsWhatItInsertsInTheManualInputWindow) {
    smart::Frm1* dialog = openFor("zzq");
    ASSERT_NE(dialog, nullptr);
    auto* text1 = get<QLineEdit>(dialog, "Text1");
    for (const auto& data : keyboard::kKeyboardButtons) {
        text1->clear();
        auto* button = get<QPushButton>(dialog, QStringLiteral("Command1_%1").arg(data.index));
        EXPECT_EQ(button->cursor().shape(), Qt::ArrowCursor);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(text1->text(), keyboard::insertedText(data.index)) << data.index;
    }
    // Function keys are no phonetic keys here.
    text1->clear();
    QTest::keyClick(text1, Qt::Key_F7);
    EXPECT_EQ(text1->text(), "");
}

TEST_F(Frm1Test, ThePaletteWritesIntoTheDialogWhileItStaysOpen) {
    smart::Frm1* dialog = openFor("zzq");
    ASSERT_NE(dialog, nullptr);
    auto* text1 = get<QLineEdit>(dialog, "Text1");
    QTest::keyClicks(text1, "ab");
    text1->setSelection(1, 1);

    QStringList seen;
    QTimer::singleShot(0, [&seen, text1] {
        QWidget* palette = QApplication::activeModalWidget();
        ASSERT_NE(palette, nullptr);
        seen << palette->windowTitle();
        for (int index : {8, 35, 34}) {
            QTest::mouseClick(palette->findChild<QPushButton*>(QStringLiteral("c1_%1").arg(index)),
                              Qt::LeftButton);
            seen << text1->text();
        }
        palette->close();
    });
    QTest::mouseClick(get<QPushButton>(dialog, "Command7"), Qt::LeftButton);
    EXPECT_EQ(seen, QStringList({"不常用音标", "aG", "aGI", "aGIH"}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(Frm1Test, EscKeepsTheEntryClosingDiscardsItAndClosingFrm3ClosesTheDialog) {
    smart::Frm1* dialog = openFor("zzq");
    ASSERT_NE(dialog, nullptr);
    const QByteArray logBefore = missLog();
    click(dialog, 2);
    QTest::keyClick(get<QLineEdit>(dialog, "Text1"), Qt::Key_Escape);
    EXPECT_EQ(shownDialog(), dialog);
    EXPECT_EQ(get<QLineEdit>(dialog, "Text1")->text(), "F");

    dialog->close();  // the window's close button
    EXPECT_EQ(shownDialog(), nullptr);
    EXPECT_EQ(entry->text(), "zzq");  // the word stays for the next try

    entry->clear();
    dialog = openFor("zzq");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(get<QLineEdit>(dialog, "Text1")->text(), "");
    click(dialog, 2);
    window.close();
    EXPECT_EQ(shownDialog(), nullptr);
    EXPECT_EQ(missLog(), logBefore);
    EXPECT_EQ(document->toPlainText(), "");
}

TEST_F(Frm1Test, TheDialogGoesWithItsWindow) {
    testing_support::TestEnvironment other;
    core::LookupClient otherClient(other.services);
    auto frm3 = std::make_unique<smart::Frm3>(other.services, otherClient);
    QPointer<smart::Frm1> dialog = new smart::Frm1(other.services, frm3.get());
    dialog->showEntry();
    frm3.reset();
    EXPECT_TRUE(QTest::qWaitFor([&dialog] { return dialog == nullptr; }));
}

// The launcher as the program starts it, with its real smart-annotation window.
class Frm1Wiring : public ::testing::Test {
protected:
    // Opens the smart-annotation window by its mode label.
    smart::Frm3* openSmartWindow() {
        launcher.setProgramEnd([] {});
        launcher.show();
        QTest::mouseClick(launcher.findChild<QWidget*>(QStringLiteral("Label3")), Qt::LeftButton);
        return qobject_cast<smart::Frm3*>(
            launcher.workingWindow(widgets::WorkingWindow::SmartAnnotation));
    }

    testing_support::TestEnvironment env;
    core::LookupClient lookup{env.services};
    shell::Frmstep1 launcher{env.services, lookup};
};

// The launcher's smart-annotation window comes with its manual-entry dialog.
TEST_F(Frm1Wiring, YesInTheLaunchersSmartWindowOpensTheDialog) {
    smart::Frm3* window = openSmartWindow();
    ASSERT_NE(window, nullptr);
    QTest::keyClicks(window->entryBox(), "Xyzzy");
    env.messages.answer(Answer::Yes);
    QTest::keyClick(window->entryBox(), Qt::Key_Return);
    smart::Frm1* dialog = shownDialog();
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("Text1")), "zIzi");
    QTest::keyClick(dialog->findChild<QLineEdit*>(QStringLiteral("Text1")), Qt::Key_Return);
    EXPECT_EQ(window->documentBox()->toPlainText(), "xyzzy/zIzi/\n");
    EXPECT_TRUE(readBytes(env.file("unfound.dat")).endsWith("xyzzy,zIzi\r\n"));
}

// What a user does with an unknown word: Yes, Ctrl+Enter, Enter. eSpeak NG is loaded then, not
// when the program or its smart-annotation window starts.
TEST_F(Frm1Wiring, CtrlEnterThenEnterWritesTheSuggestedTranscription) {
    if (testing_support::espeakLoaded()) {
        GTEST_SKIP() << "an earlier test of this process loaded eSpeak NG";
    }
    smart::Frm3* window = openSmartWindow();
    ASSERT_NE(window, nullptr);
    QTest::keyClicks(window->entryBox(), "Flimbo");
    EXPECT_FALSE(testing_support::espeakLoaded());
    env.messages.answer(Answer::Yes);
    QTest::keyClick(window->entryBox(), Qt::Key_Return);
    smart::Frm1* dialog = shownDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    EXPECT_TRUE(testing_support::espeakLoaded());
    auto* text1 = dialog->findChild<QLineEdit*>(QStringLiteral("Text1"));
    QTest::keyClick(text1, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(text1, Qt::Key_Return);
    EXPECT_EQ(window->documentBox()->toPlainText(), "flimbo/5flimbEu/\n");
    EXPECT_TRUE(readBytes(env.file("unfound.dat")).endsWith("flimbo,5flimbEu\r\n"));
    // A reviewer's picture of the accepted suggestion as the document draws it.
    QFontDatabase::addApplicationFont(QStringLiteral(VOXSCRIBE_PROGRAM_DIR "/Ksphonet.ttf"));
    const QString path = layout_check::snapshotPath("Frm3-suggestion.png", env.dir.path());
    EXPECT_TRUE(window->grab().save(path));
}

// A reviewer's picture of the dialog, in which no control covers another and every caption fits;
// VOXSCRIBE_SNAPSHOT_DIR names the folder it goes to.
TEST_F(Frm1Test, RendersASnapshot) {
    QFontDatabase::addApplicationFont(QStringLiteral(VOXSCRIBE_PROGRAM_DIR "/Ksphonet.ttf"));
    smart::Frm1* dialog = openFor("Voxscribe");
    ASSERT_NE(dialog, nullptr);
    for (int index : {63, 12, 13, 53, 25}) {
        click(dialog, index);
    }
    const QString path = layout_check::snapshotPath("Frm1.png", env.dir.path());
    ASSERT_TRUE(dialog->grab().save(path));
    EXPECT_EQ(layout_check::layoutProblems(*dialog), std::vector<std::string>{});
}

}  // namespace
