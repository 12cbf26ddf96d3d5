// Reading word lists: line ends, byte-order marks, code pages, and files that are no word list.
#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "batchfiles.h"
#include "qtprinters.h"
#include "wordlist.h"

namespace {

using batch_testing::writeFile;
using core::readWordList;
using core::splitWordLines;

TEST(WordLines, EndAtCrLfCrOrLfAndSkipOnlyExactlyEmptyLines) {
    const QStringList expected{"Apple", "  zebra  ", "xyzzy"};
    EXPECT_EQ(splitWordLines(u"Apple\r\n\r\n  zebra  \r\nxyzzy\r\n"), expected);
    EXPECT_EQ(splitWordLines(u"Apple\r\r  zebra  \rxyzzy\r"), expected);
    EXPECT_EQ(splitWordLines(u"Apple\n\n  zebra  \nxyzzy\n"), expected);
    // Mixed ends, a last line without an end, and CR CR LF as two ends around an empty line.
    EXPECT_EQ(splitWordLines(u"Apple\r\r\n  zebra  \n\rxyzzy"), expected);
    EXPECT_EQ(splitWordLines(u"   \r\n\tword\r\n"), (QStringList{"   ", "\tword"}));
    EXPECT_EQ(splitWordLines(u""), QStringList());
    EXPECT_EQ(splitWordLines(u"\r\n\n\r"), QStringList());
}

TEST(WordListDecoding, ByteOrderMarksAndLegacyChineseText) {
    // A UTF-8 byte-order mark is not part of the first word.
    EXPECT_EQ(core::decodeWordList("\xEF\xBB\xBF"
                                   "Apple\r\n"),
              "Apple\r\n");
    // Notepad's "Unicode" is UTF-16 with a mark.
    EXPECT_EQ(core::decodeWordList(QByteArray("\xFF\xFE"
                                              "a\0p\0\r\0\n\0",
                                              10)),
              "ap\r\n");
    EXPECT_EQ(core::decodeWordList("caf\xC3\xA9\n"), QString::fromUtf8("café\n"));
    // Not valid UTF-8: the code page of Chinese Windows. 苹果 is C6BB B9FB in GB18030.
    EXPECT_EQ(core::decodeWordList("\xC6\xBB\xB9\xFB\r\nApple\r\n"),
              QString::fromUtf8("苹果\r\nApple\r\n"));
}

TEST(WordListFile, ReadsTheLinesOfATextFile) {
    QTemporaryDir dir;
    const QString path =
        writeFile(dir.path(), "list.txt", "\xEF\xBB\xBF" + batch_testing::exampleList("\n"));
    const core::WordList list = readWordList(path);
    EXPECT_TRUE(list.ok()) << list.error.toStdString();
    EXPECT_EQ(list.lines, (QStringList{"Apple", "  zebra  ", "xyzzy"}));

    const core::WordList empty = readWordList(writeFile(dir.path(), "empty.txt", ""));
    EXPECT_TRUE(empty.ok());
    EXPECT_TRUE(empty.lines.isEmpty());
}

TEST(WordListFile, RefusesWhatIsNoReadableTextFileAndSaysWhich) {
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing.txt");
    const QString binary =
        writeFile(dir.path(), "picture.txt", QByteArrayLiteral("\x89PNG\r\n\0\0\0\rIHDR"));
    const QString unreadable = writeFile(dir.path(), "locked.txt", "apple\r\n");
    QFile::setPermissions(unreadable, QFileDevice::WriteOwner);
    const QString huge = dir.filePath("huge.txt");
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(core::kMaxWordListBytes + 1));  // sparse: costs no disk
    }
    const bool canStillRead = QFile(unreadable).open(QIODevice::ReadOnly);  // root reads anyway

    struct Case {
        QString path;
        const char* says;
    };
    std::vector<Case> cases{
        {missing, "找不到文件"}, {binary, "不是文本文件"}, {dir.path(), "文件夹"}, {huge, "太大"}};
    if (!canStillRead) {
        cases.push_back({unreadable, "无法打开文件"});
    }
    for (const Case& c : cases) {
        const core::WordList list = readWordList(c.path);
        EXPECT_FALSE(list.ok()) << c.path.toStdString();
        EXPECT_TRUE(list.lines.isEmpty());
        EXPECT_TRUE(list.error.contains(QString::fromUtf8(c.says))) << list.error.toStdString();
        EXPECT_TRUE(list.error.contains(c.path)) << list.error.toStdString();
    }
}

}  // namespace
