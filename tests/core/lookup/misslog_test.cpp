#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "files.h"
#include "misslog.h"

namespace {

using testing_support::readBytes;

TEST(MissLog, PreparedFileHoldsOneEmptyLineAndLinesFollowIt) {
    QTemporaryDir dir;
    const core::MissLog log(dir.filePath("unfound.dat"));
    ASSERT_TRUE(log.prepare());
    EXPECT_EQ(readBytes(log.path()), "\r\n");
    ASSERT_TRUE(log.prepare());  // an existing file is left alone
    ASSERT_TRUE(log.appendMiss("xyzzy"));
    ASSERT_TRUE(log.appendMiss("xyzzy"));
    ASSERT_TRUE(log.appendMiss(""));
    ASSERT_TRUE(log.appendEntry(" foo ", "fu:"));
    ASSERT_TRUE(log.appendEntry("bar", ""));
    EXPECT_EQ(readBytes(log.path()), "\r\nxyzzy,\r\nxyzzy,\r\n,\r\n foo ,fu:\r\nbar,\r\n");
}

TEST(MissLog, AppendingToAMissingFileCreatesItWithoutTheEmptyLine) {
    QTemporaryDir dir;
    const core::MissLog log(dir.filePath("unfound.dat"));
    ASSERT_TRUE(log.appendMiss("foo"));
    EXPECT_EQ(readBytes(log.path()), "foo,\r\n");
}

TEST(MissLog, AnUnwritableFolderFailsWithoutThrowing) {
    const core::MissLog log("/nonexistent-folder/unfound.dat");
    EXPECT_FALSE(log.prepare());
    EXPECT_FALSE(log.appendMiss("foo"));
}

}  // namespace
