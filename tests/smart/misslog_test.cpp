#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "misslog.h"

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST(MissLog, PreparedFileHoldsOneEmptyLineAndLinesFollowIt) {
    QTemporaryDir dir;
    const smart::MissLog log(dir.filePath("unfound.dat"));
    ASSERT_TRUE(log.prepare());
    EXPECT_EQ(contents(log.path()), "\r\n");
    ASSERT_TRUE(log.prepare());  // an existing file is left alone
    ASSERT_TRUE(log.appendMiss("xyzzy"));
    ASSERT_TRUE(log.appendMiss("xyzzy"));
    ASSERT_TRUE(log.appendMiss(""));
    ASSERT_TRUE(log.appendEntry(" foo ", "fu:"));
    ASSERT_TRUE(log.appendEntry("bar", ""));
    EXPECT_EQ(contents(log.path()), "\r\nxyzzy,\r\nxyzzy,\r\n,\r\n foo ,fu:\r\nbar,\r\n");
}

TEST(MissLog, AppendingToAMissingFileCreatesItWithoutTheEmptyLine) {
    QTemporaryDir dir;
    const smart::MissLog log(dir.filePath("unfound.dat"));
    ASSERT_TRUE(log.appendMiss("foo"));
    EXPECT_EQ(contents(log.path()), "foo,\r\n");
}

TEST(MissLog, AnUnwritableFolderFailsWithoutThrowing) {
    const smart::MissLog log("/nonexistent-folder/unfound.dat");
    EXPECT_FALSE(log.prepare());
    EXPECT_FALSE(log.appendMiss("foo"));
}

}  // namespace
