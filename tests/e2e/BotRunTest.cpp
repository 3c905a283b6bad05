#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/RunGame.h"
#include "support/TempDir.h"

namespace {

// Runs velmoria-bot with the arguments; its result line goes to the file.
int RunBot(const std::string& arguments, const std::string& stdoutFile) {
    const std::string command = std::string("'") + VELMORIA_BUILD_DIR + "/tools/bot/velmoria-bot' " + arguments +
                                " > '" + stdoutFile + "' 2> /dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(BotRun, ALostBattleEndsWithItsResultLineAndCodeOneAndWritesNothingBesideThePacks) {
    ScopedTempDir dir;
    const std::string out = (dir.Path() / "out.txt").string();
    const auto save = std::filesystem::path(VELMORIA_GAME_DIR) / "save.dat";
    const bool savedBefore = std::filesystem::exists(save);
    ASSERT_EQ(RunBot(std::string("--data '") + VELMORIA_GAME_DIR + "' --difficulty 3 --seed 4 --quiet", out), 1);
    const std::string line = ReadWholeFile(out);
    EXPECT_NE(line.find("stage 0 difficulty 3 character 0 strategy plain seed 4: lost at wave "), std::string::npos)
        << line;
    EXPECT_NE(line.find("lives 0"), std::string::npos) << line;
    EXPECT_EQ(std::filesystem::exists(save), savedBefore);
}

TEST(BotRun, BadArgumentsAndMissingPacksExitWithTwo) {
    ScopedTempDir dir;
    const std::string out = (dir.Path() / "out.txt").string();
    EXPECT_EQ(RunBot("--strategy nonsense", out), 2);
    EXPECT_EQ(RunBot("--stage 3", out), 2);
    EXPECT_EQ(RunBot("--seed", out), 2);
    EXPECT_EQ(RunBot("--data '" + dir.Path().string() + "'", out), 2);  // no packs there
}
