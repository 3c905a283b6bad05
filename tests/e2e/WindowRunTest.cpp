#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "support/RunGame.h"
#include "support/TempDir.h"
#include "support/TestPacks.h"

namespace {

// Starts the game in window mode on a virtual display; returns the child's pid. The game's own
// pid is written to data/game.pid.
pid_t StartUnderXvfb(const std::string& data, const std::string& extra) {
    const pid_t pid = fork();
    if (pid == 0) {
        const std::string game = std::string("'") + VELMORIA_GAME_BINARY + "' --window --data '" + data + "' " + extra;
        const std::string command = "exec " + WindowRunPrefix() + "sh -c \"" + game + " & echo \\$! > '" + data +
                                    "/game.pid'; wait \\$!\" > /dev/null 2>&1";
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

int WaitForExit(pid_t pid, int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -2;
}

TEST(WindowRun, RunsItsFramesInARealWindowAndExitsCleanly) {
    if (!HaveXvfb()) {
        GTEST_SKIP() << "xvfb-run is not installed";
    }
    ScopedTempDir dir;
    ASSERT_TRUE(WriteTestPacks(dir.Path()));  // the start-up scene needs the packs
    const pid_t pid = StartUnderXvfb(dir.Path().string(), "--frames 60");
    EXPECT_EQ(WaitForExit(pid, 60), 0);
    const std::string log = ReadWholeFile(dir.Path() / "log.txt");
    EXPECT_NE(log.find("ウィンドウモードで起動します"), std::string::npos) << log;
    EXPECT_NE(log.find("DirectSound初期化成功"), std::string::npos) << log;
}

TEST(WindowRun, ACloseRequestEndsTheGameWithExitCodeZero) {
    if (!HaveXvfb()) {
        GTEST_SKIP() << "xvfb-run is not installed";
    }
    ScopedTempDir dir;
    ASSERT_TRUE(WriteTestPacks(dir.Path()));  // the start-up scene needs the packs
    const pid_t pid = StartUnderXvfb(dir.Path().string(), "");
    // Wait until the game is up (its log has the device line), then ask it to close the way the
    // desktop does: SDL turns the termination signal into a quit request.
    const auto logPath = dir.Path() / "log.txt";
    for (int i = 0; i < 400 && ReadWholeFile(logPath).find("DirectInput") == std::string::npos; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_NE(ReadWholeFile(logPath).find("DirectInput"), std::string::npos);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const pid_t game = std::atoi(ReadWholeFile(dir.Path() / "game.pid").c_str());
    ASSERT_GT(game, 0);
    kill(game, SIGTERM);
    EXPECT_EQ(WaitForExit(pid, 30), 0);
}

}  // namespace
