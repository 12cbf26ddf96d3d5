// The document box and the clipboard as the windows use them.
#include <gtest/gtest.h>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <memory>

#include "documentbox.h"
#include "qtprinters.h"

namespace {

using output::DocumentBox;

// Family, size and colour of the character at position.
struct Look {
    QString family;
    qreal points;
    quint32 colour;
    bool operator==(const Look&) const = default;
};

void PrintTo(const Look& look, std::ostream* out) {
    *out << look.family.toStdString() << ' ' << look.points << "pt 0x" << std::hex << look.colour;
}

Look lookAt(const DocumentBox& box, int position) {
    QTextCursor cursor(box.document());
    cursor.setPosition(position + 1);
    const QTextCharFormat format = cursor.charFormat();
    const QFont font = format.font().resolve(box.document()->defaultFont());
    const quint32 colour = format.hasProperty(QTextFormat::ForegroundBrush)
                               ? output::bgrFromColour(format.foreground().color())
                               : core::kBlack;
    return {font.family(), font.pointSizeF(), colour};
}

QList<Look> looks(const DocumentBox& box) {
    QList<Look> all;
    for (int i = 0; i < box.document()->characterCount() - 1; ++i) {
        all << lookAt(box, i);
    }
    return all;
}

void insert(DocumentBox& box, const QString& family, quint32 colour, const QString& text) {
    box.setInsertionFont(family);
    box.setInsertionColour(colour);
    box.replaceSelection(text);
}

void select(DocumentBox& box, int from, int to) {
    QTextCursor cursor = box.textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    box.setTextCursor(cursor);
}

class DocumentBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        box.setDefaultFormat(QStringLiteral("Courier"), 12);
        box.setLocked(true);
        box.show();
    }
    DocumentBox box;
};

TEST_F(DocumentBoxTest, InsertionsFollowOneAnotherAtTheCaretInTheInsertionFormat) {
    insert(box, "Arial", core::kBlack, "Quality [");
    insert(box, "Kingsoft Phonetic Plain", core::kBlue, "5kwRliti");
    // The format stays set: the next piece continues with it.
    box.replaceSelection("!");
    insert(box, "Arial", core::kBlack, "]");

    EXPECT_EQ(box.toPlainText(), "Quality [5kwRliti!]");
    EXPECT_EQ(box.textCursor().position(), 19);
    EXPECT_FALSE(box.textCursor().hasSelection());
    EXPECT_EQ(box.insertionFont(), "Arial");
    const Look black{"Arial", 12, core::kBlack};
    const Look blue{"Kingsoft Phonetic Plain", 12, core::kBlue};
    EXPECT_EQ(looks(box), (QList<Look>(9, black) << QList<Look>(9, blue) << black));
}

TEST_F(DocumentBoxTest, ASelectionIsReplacedAndTheCaretEndsBehindTheNewText) {
    insert(box, "Arial", core::kBlack, "hello world");
    select(box, 11, 6);  // selected backwards, as a user dragging leftwards
    insert(box, "Kingsoft Phonetic Plain", core::kBlue, "there");
    EXPECT_EQ(box.toPlainText(), "hello there");
    EXPECT_EQ(box.textCursor().position(), 11);
    EXPECT_FALSE(box.textCursor().hasSelection());
    EXPECT_EQ(lookAt(box, 5), (Look{"Arial", 12, core::kBlack}));
    EXPECT_EQ(lookAt(box, 6), (Look{"Kingsoft Phonetic Plain", 12, core::kBlue}));
}

TEST_F(DocumentBoxTest, InsertedTextKeepsTheSizeInForceAtTheCaret) {
    box.setDefaultFormat(QStringLiteral("宋体"), 14.25);
    insert(box, "Arial", core::kBlack, "a");
    box.setFontPointSize(20);  // text of another size at the caret
    insert(box, "Arial", core::kBlack, "b");
    insert(box, "Kingsoft Phonetic Plain", core::kBlue, "c");
    select(box, 0, 0);
    insert(box, "宋体", core::kBlack, "中");
    EXPECT_EQ(box.toPlainText(), "中abc");
    EXPECT_EQ(looks(box), (QList<Look>{{"宋体", 14.25, core::kBlack},
                                       {"Arial", 14.25, core::kBlack},
                                       {"Arial", 20, core::kBlack},
                                       {"Kingsoft Phonetic Plain", 20, core::kBlue}}));
}

TEST_F(DocumentBoxTest, AnEmptyInsertionChangesNoCharacter) {
    insert(box, "Arial", core::kBlack, "word [");
    insert(box, "Kingsoft Phonetic Plain", core::kBlue, "w\\:d");
    const QString html = box.toHtml();
    for (int position : {0, 3, 10}) {
        select(box, position, position);
        insert(box, "宋体", 0x00FF00, "");
    }
    EXPECT_EQ(box.toHtml(), html);
}

TEST_F(DocumentBoxTest, CarriageReturnLineFeedIsOneLineBreak) {
    insert(box, "Arial", core::kBlack, "one\r\ntwo\r\n\r\nthree\rfour");
    EXPECT_EQ(box.document()->blockCount(), 5);
    EXPECT_EQ(box.toPlainText(), "one\ntwo\n\nthree\nfour");
    EXPECT_FALSE(box.toPlainText().contains('\r'));
}

TEST_F(DocumentBoxTest, LockedBoxTakesNoTypingButLetsTheCaretMoveAndSelect) {
    insert(box, "Arial", core::kBlack, "abc");
    QTest::keyClicks(&box, "xyz");
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.toPlainText(), "abc");

    QTest::keyClick(&box, Qt::Key_Left);
    EXPECT_EQ(box.textCursor().position(), 2);
    QTest::keyClick(&box, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(box.textCursor().selectedText(), "b");
    EXPECT_TRUE(box.isLocked());

    // The program still writes into it.
    insert(box, "Arial", core::kBlack, "B");
    EXPECT_EQ(box.toPlainText(), "aBc");

    box.setLocked(false);
    EXPECT_FALSE(box.isLocked());
    QTest::keyClicks(&box, "xy");
    EXPECT_EQ(box.toPlainText(), "aBxyc");
}

TEST_F(DocumentBoxTest, ClearingEmptiesTheDocumentAndKeepsTheDefaultFormat) {
    box.setDefaultFormat(QStringLiteral("宋体"), 14.25);
    insert(box, "Arial", core::kBlue, "text\r\nmore");
    box.clearDocument();
    EXPECT_TRUE(box.document()->isEmpty());
    EXPECT_EQ(box.document()->blockCount(), 1);
    box.setInsertionColour(core::kBlack);
    box.setInsertionFont(QStringLiteral("宋体"));
    box.replaceSelection(QStringLiteral("字"));
    EXPECT_EQ(lookAt(box, 0), (Look{"宋体", 14.25, core::kBlack}));
}

// The HTML flavour read back as a reader's program would: its text, and the colour and face of
// the character at each position.
struct HtmlCharacter {
    QString family;
    QString colour;
};

HtmlCharacter htmlCharacterAt(const QTextDocument& html, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(&html));
    cursor.setPosition(position + 1);
    const QTextCharFormat format = cursor.charFormat();
    return {format.fontFamilies().toStringList().value(0), format.foreground().color().name()};
}

TEST_F(DocumentBoxTest, CopyAsUnicodeIpaTurnsThePhoneticRunsIntoIpaAsTextAndHtml) {
    const QString phonetic = core::phoneticFont();
    insert(box, "Arial", core::kBlack, "Quality [");
    insert(box, phonetic, core::kBlue, "5kwRliti");
    insert(box, "Arial", core::kBlack, "]\r\nthe [");
    insert(box, phonetic, core::kBlue, "/TE, Ti/");
    insert(box, "Arial", core::kBlack, "] air /");
    insert(box, phonetic, core::kBlue, "/E");
    insert(box, "Arial", core::kBlack, "/");

    // From the context menu, with nothing selected: the whole document.
    std::unique_ptr<QMenu> menu(box.createContextMenu(QPoint(1, 1)));
    QAction* copy = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text() == QStringLiteral("复制为Unicode音标")) {
            copy = action;
        }
    }
    ASSERT_NE(copy, nullptr);
    ASSERT_TRUE(copy->isEnabled());
    copy->trigger();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QString plain = QStringLiteral("Quality [ˈkwɔliti]\nthe [/ðə, ði/] air /εə/");
    EXPECT_EQ(data->text(), plain);
    ASSERT_TRUE(data->hasHtml());
    QTextDocument html;
    html.setHtml(data->html());
    EXPECT_EQ(html.toPlainText(), plain);
    const HtmlCharacter word = htmlCharacterAt(html, 0);
    const HtmlCharacter ipa = htmlCharacterAt(html, int(plain.indexOf(u'ɔ')));
    EXPECT_EQ(word.family, "Arial");
    EXPECT_EQ(word.colour, "#000000");
    EXPECT_EQ(ipa.family, "DejaVu Sans");
    EXPECT_EQ(ipa.colour, "#0000ff");
    // The document itself is as it was.
    EXPECT_EQ(box.toPlainText(), "Quality [5kwRliti]\nthe [/TE, Ti/] air //E/");

    // A selection within a run: its own characters, the run around it deciding the slashes.
    select(box, 19, 26);  // "the [/T"
    std::unique_ptr<QMimeData> part(box.unicodeIpaCopy());
    EXPECT_EQ(part->text(), "the [/ð");
    select(box, 30, 33);  // "i/]"
    part.reset(box.unicodeIpaCopy());
    EXPECT_EQ(part->text(), "i/]");
}

TEST(Clipboard, StagedInsertionLeavesThePieceAndDirectInsertionLeavesTheClipboardAlone) {
    DocumentBox box;
    output::clipboard::put(QStringLiteral("what the user copied"));

    box.replaceSelection(QStringLiteral("direct "));
    EXPECT_EQ(output::clipboard::get(), "what the user copied");

    const auto staged = [](const QString& text) {
        return core::Insertion{core::Step{{core::Run{text, QString(), core::kBlack}}, true}};
    };
    box.insert(staged(QStringLiteral("Quality")));
    EXPECT_EQ(output::clipboard::get(), "Quality");
    box.insert(staged(QStringLiteral(" [\r\n")));
    EXPECT_EQ(output::clipboard::get(), " [\r\n");
    box.replaceSelection(QStringLiteral("]"));
    EXPECT_EQ(output::clipboard::get(), " [\r\n");
    EXPECT_EQ(box.toPlainText(), "direct Quality [\n]");

    output::clipboard::clear();
    EXPECT_EQ(output::clipboard::get(), QString());
}

}  // namespace
