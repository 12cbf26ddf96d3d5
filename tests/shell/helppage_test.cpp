#include <gtest/gtest.h>
#include <QLocale>

#include "files.h"
#include "helppage.h"
#include "phonetickeyboard.h"
#include "qtprinters.h"
#include "testenv.h"
#include "wordtables.h"

namespace {

std::size_t dictionaryEntries() {
    std::size_t entries = 0;
    for (const sonabet::WordGroup& group : sonabet::wordGroups()) {
        entries += group.size();
    }
    return entries;
}

// The page as the build writes it from the template in the source tree.
QString helpPage() {
    return shell::helpPageHtml(QString::fromUtf8(testing_support::readBytes(QStringLiteral(
                                   VOXSCRIBE_SOURCE_DIR "/voxscribe/shell/help.html"))),
                               dictionaryEntries());
}

TEST(HelpPage, KeyMapFollowsTheKeyboardTables) {
    const std::vector<shell::HelpKey> keys = shell::helpKeyMap();
    ASSERT_EQ(keys.size(), std::size(keyboard::kKeyMap));
    EXPECT_EQ(keys.front().key, QStringLiteral("F1"));
    EXPECT_EQ(keys.front().codes, QStringLiteral("F"));
    EXPECT_EQ(keys.front().symbol, QStringLiteral("ʃ"));
    const auto keypadStar = std::find_if(keys.begin(), keys.end(), [](const shell::HelpKey& k) {
        return k.key == QStringLiteral("小键盘 *");
    });
    ASSERT_NE(keypadStar, keys.end());
    EXPECT_EQ(keypadStar->codes, QStringLiteral("ju:"));
    EXPECT_EQ(keypadStar->symbol, QStringLiteral("juː"));
    for (const shell::HelpKey& key : keys) {
        EXPECT_FALSE(key.codes.isEmpty()) << key.key.toStdString();
        EXPECT_FALSE(key.symbol.isEmpty()) << key.key.toStdString();
    }
}

TEST(HelpPage, SymbolsComeFromTheNotationAndUnknownCodesStayAsTheyAre) {
    EXPECT_EQ(shell::ipaSymbol(QStringLiteral("C:")), QStringLiteral("ɔː"));
    EXPECT_EQ(shell::ipaSymbol(QStringLiteral("7")), QStringLiteral("ˌ"));
    EXPECT_EQ(shell::ipaSymbol(QStringLiteral("I")), QStringLiteral("ɪ"));
    EXPECT_EQ(shell::ipaSymbol(QStringLiteral("qq")), QStringLiteral("qq"));
}

TEST(HelpPage, PageCoversTheModesTheKeysSavingAndTheFont) {
    const QString page = helpPage();
    for (const char* text :
         {"智能标注", "手动输入", "批量标注", "音标键盘", "保存", "转入Word", "Ksphonet.ttf",
          "~/.local/share/fonts", "fc-cache", "Kingsoft Phonetic Plain", "<meta charset=\"utf-8\">",
          "/usr/share/fonts/truetype/voxscribe/", "复制为Unicode音标", "--format ipa",
          "~/.local/share/voxscribe/", "选“否”则以“none”"}) {
        EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text;
    }
    for (const shell::HelpKey& key : shell::helpKeyMap()) {
        EXPECT_TRUE(page.contains(QStringLiteral("<kbd>%1</kbd> <span class=\"ipa\">%2</span>")
                                      .arg(key.key.toHtmlEscaped(), key.symbol)))
            << key.key.toStdString();
    }
    EXPECT_FALSE(page.contains(QStringLiteral("{{"))) << "a part of the template left unfilled";
    // The dictionary's size as the tables give it, written as a reader writes numbers.
    ASSERT_GT(dictionaryEntries(), 10000u);
    EXPECT_TRUE(page.contains(
        QStringLiteral("收录 %1 个词条")
            .arg(QLocale(QLocale::English).toString(qulonglong(dictionaryEntries())))));
    EXPECT_TRUE(page.endsWith(QStringLiteral("</html>\n")));
}

TEST(HelpPage, TheBuildPutsThePageInTheProgramFolder) {
    const QByteArray built = testing_support::readBytes(testing_support::buildProgramFolder() +
                                                        QStringLiteral("/help.htm"));
    EXPECT_EQ(QString::fromUtf8(built), helpPage());
}

}  // namespace
