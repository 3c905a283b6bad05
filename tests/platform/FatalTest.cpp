#include "platform/Fatal.h"

#include <gtest/gtest.h>

#include "support/FatalEnd.h"
#include "support/TempDir.h"

namespace {

TEST(FatalError, ShowsLogsAndEndsTheRunOnceWithExitCodeZero) {
    ScopedTempDir dir;
    const FatalEnd first = CatchFatalEnd([] { platform::FatalError(nullptr, "ファイルが見つかりません"); });
    EXPECT_TRUE(first.quit);
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_EQ(first.message, "[エラー] ファイルが見つかりません\n");  // a null caption is the default one
    EXPECT_EQ(ReadWholeFile("log.txt"), "ファイルが見つかりません\n");

    // A second failure while the run is already ending (a loader and the main thread both
    // missing the same pack) is neither shown nor logged again.
    const FatalEnd second = CatchFatalEnd([] {
        platform::FatalError("", "有効なファイルではありません");
        platform::FatalError("", "敵データが読み込めません！");
    });
    EXPECT_TRUE(second.quit);
    EXPECT_EQ(second.message, "[] 有効なファイルではありません\n");
    EXPECT_EQ(ReadWholeFile("log.txt"), "ファイルが見つかりません\n有効なファイルではありません\n");
}

}  // namespace
