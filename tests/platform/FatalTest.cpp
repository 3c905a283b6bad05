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

    // What fails after it for want of the same files (a second pack, the sounds of a missing
    // effect pack) is neither shown nor logged: the player has been told.
    const FatalEnd second = CatchFatalEnd([] {
        platform::FatalError("", "有効なファイルではありません");
        platform::ShowMessage("", "SEを取得する事が出来ませんでした");
        platform::FatalError("", "敵データが読み込めません！");
    });
    EXPECT_TRUE(second.quit);
    EXPECT_EQ(second.message, "[] 有効なファイルではありません\n");
    EXPECT_EQ(ReadWholeFile("log.txt"), "ファイルが見つかりません\n有効なファイルではありません\n");
}

TEST(FatalError, AfterAnOrdinaryQuitMessagesStillShowButFatalErrorsAreDropped) {
    ScopedTempDir dir;
    const FatalEnd closed = CatchFatalEnd([] {
        platform::PostQuit(0);  // the player closed the window
        platform::ShowMessage("", "サウンドカードが無い？？");
        platform::FatalError(nullptr, "ファイルが見つかりません");
    });
    EXPECT_EQ(closed.message, "[] サウンドカードが無い？？\n");
    EXPECT_EQ(ReadWholeFile("log.txt"), "");
    EXPECT_FALSE(platform::FatalQuitPosted());
}

}  // namespace
