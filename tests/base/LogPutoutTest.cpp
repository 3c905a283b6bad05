#include "base/LogPutout.h"

#include <gtest/gtest.h>

#include <filesystem>

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
    ASSERT_TRUE(std::filesystem::create_directory("log.txt"));  // a folder where the file should be
    WriteLog("消える行");
    ASSERT_TRUE(std::filesystem::remove("log.txt"));
    WriteLog("残る行");
    EXPECT_EQ(ReadWholeFile("log.txt"), "残る行\n");
}

}  // namespace
