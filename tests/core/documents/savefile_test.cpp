// Writing a document to a file: RTF whatever the name, and a failed write never costs the file
// that was there before.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "annotatedline.h"
#include "documentbox.h"
#include "files.h"
#include "filesizelimit.h"
#include "qtprinters.h"

namespace {

using output::DocumentBox;
using testing_support::readBytes;

void fillLines(DocumentBox& box, int lines) {
    for (int i = 0; i < lines; ++i) {
        testing_support::appendAnnotated(box, QStringLiteral("word%1").arg(i),
                                         QStringLiteral("w\\:d"));
    }
}

using testing_support::FileSizeLimit;

TEST(SaveToFile, TheSameRtfGoesUnderADocAndAnRtfName) {
    QTemporaryDir dir;
    DocumentBox box;
    box.setDefaultFormat(QStringLiteral("宋体"), 14.25);
    fillLines(box, 2);
    ASSERT_TRUE(box.saveToFile(dir.filePath("a.doc")));
    ASSERT_TRUE(box.saveToFile(dir.filePath("a.rtf")));
    const QByteArray rtf = readBytes(dir.filePath("a.doc"));
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_EQ(rtf, readBytes(dir.filePath("a.rtf")));
    // Pure ASCII, with the phonetic backslash escaped and one \par per line break.
    for (char c : rtf) {
        ASSERT_GT(static_cast<unsigned char>(c), 0) << "NUL byte";
        ASSERT_LT(static_cast<unsigned char>(c), 0x80) << "raw non-ASCII byte";
    }
    EXPECT_TRUE(rtf.contains("w\\\\:d"));
    EXPECT_EQ(rtf.count("\\par\n"), 3);
    EXPECT_FALSE(rtf.contains('\r'));
}

TEST(SaveToFile, AFailedWriteLeavesThePreviousFileAndNoLeftovers) {
    QTemporaryDir dir;
    const QString path = dir.filePath("story.doc");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("previous good copy");
    }
    DocumentBox box;
    fillLines(box, 200);  // far more than the limit below

    QString error;
    bool saved = true;
    {
        const FileSizeLimit limit(4096);
        saved = box.saveToFile(path, &error);
    }
    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readBytes(path), "previous good copy");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"story.doc"});

    // Once the disk has room again the same document saves in full.
    ASSERT_TRUE(box.saveToFile(path, &error)) << error.toStdString();
    EXPECT_TRUE(readBytes(path).startsWith("{\\rtf1"));
}

TEST(SaveToFile, UnwritableTargetsFailWithAChineseReason) {
    QTemporaryDir dir;
    DocumentBox box;
    box.replaceSelection(QStringLiteral("text"));
    QDir(dir.path()).mkdir(QStringLiteral("folder.doc"));
    for (const QString& path : {dir.filePath("folder.doc"), dir.filePath("missing/x.doc")}) {
        QString error;
        EXPECT_FALSE(box.saveToFile(path, &error)) << path.toStdString();
        EXPECT_TRUE(error.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))))
            << error.toStdString();
    }
    EXPECT_TRUE(QFileInfo(dir.filePath("folder.doc")).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});
}

}  // namespace
