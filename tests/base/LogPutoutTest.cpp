#include "base/LogPutout.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/TempDir.h"

namespace {

TEST(LogPutout, WritesEachLineAtOnceAndASecondRunKeepsOnlyItsOwnLines) {
    ScopedTempDir dir;
    {
        LogPutout first("ログ開始--------------------------------------------", "w");
        WriteLog("一回目");
        EXPECT_EQ(ReadWholeFile("log.txt"), "ログ開始--------------------------------------------\n一回目\n");
    }
    {
        LogPutout first("ログ開始--------------------------------------------", "w");
        WriteLog("二回目");
    }
    EXPECT_EQ(ReadWholeFile("log.txt"), "ログ開始--------------------------------------------\n二回目\n");
}

TEST(LogPutout, AnUnwritableLogLosesTheLineSilently) {
    ScopedTempDir dir;
    ASSERT_EQ(mkdir("log.txt", 0700), 0);  // a folder where the file should be
    WriteLog("消える行");
    ASSERT_EQ(rmdir("log.txt"), 0);
    WriteLog("残る行");
    EXPECT_EQ(ReadWholeFile("log.txt"), "残る行\n");
}

}  // namespace
