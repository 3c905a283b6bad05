#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "app/ReplayFile.h"
#include "resource/PackNames.h"
#include "support/RecordedFrame.h"
#include "support/RunGame.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

const std::string kPacks = std::string("--data '") + VELMORIA_GAME_DIR + "'";

// Runs velmoria-bot with the arguments; its stdout goes to the file.
int RunBot(const std::string& arguments, const std::string& stdoutFile) {
    const std::string command = std::string("'") + VELMORIA_BUILD_DIR + "/tools/bot/velmoria-bot' " + arguments +
                                " > '" + stdoutFile + "' 2> /dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// "cleared at wave 12/40, lives 3, score 150, 5234 frames" out of a result line; empty if none.
std::string Ending(const std::string& line) {
    std::smatch match;
    static const std::regex ending("(cleared|lost|unfinished) at wave [0-9]+/[0-9]+, lives [0-9]+, score [0-9]+, [0-9]+ frames");
    return std::regex_search(line, match, ending) ? match.str() : "";
}

// A player's folder of its own, with links to the built packs.
fs::path DataFolder(const fs::path& dir) {
    const fs::path data = dir / "player";
    fs::create_directories(data);
    for (const char* pack : {pack::kGraphicsPack, pack::kEffectPack, pack::kMusicPack, pack::kWaveDataPack}) {
        fs::create_symlink(fs::path(VELMORIA_GAME_DIR) / pack, data / pack);
    }
    return data;
}

}  // namespace

TEST(BotRun, ALostBattleEndsWithItsResultLineAndCodeOneAndWritesNothingBesideThePacks) {
    ScopedTempDir dir;
    const std::string out = (dir.Path() / "out.txt").string();
    const auto save = fs::path(VELMORIA_GAME_DIR) / "save.dat";
    const bool savedBefore = fs::exists(save);
    ASSERT_EQ(RunBot(kPacks + " --difficulty 3 --seed 4 --quiet", out), 1);
    const std::string line = ReadWholeFile(out);
    EXPECT_NE(line.find("stage 0 difficulty 3 character 0 strategy plain seed 4: lost at wave "), std::string::npos)
        << line;
    EXPECT_NE(line.find("lives 0"), std::string::npos) << line;
    EXPECT_EQ(fs::exists(save), savedBefore);
}

TEST(BotRun, BadArgumentsAndMissingPacksExitWithTwo) {
    ScopedTempDir dir;
    const std::string out = (dir.Path() / "out.txt").string();
    EXPECT_EQ(RunBot("--strategy nonsense", out), 2);
    EXPECT_EQ(RunBot("--stage 3", out), 2);
    EXPECT_EQ(RunBot("--seed", out), 2);
    EXPECT_EQ(RunBot("--soak 0", out), 2);
    EXPECT_EQ(RunBot("--frames 0", out), 2);
    EXPECT_EQ(RunBot("--data '" + dir.Path().string() + "'", out), 2);  // no packs there
    EXPECT_EQ(RunBot(kPacks + " --check-replay '" + (dir.Path() / "missing.replay").string() + "'", out), 2);
}

// The bot's battle, saved as a replay, is a replay of the game's own: the game plays it back
// through its whole shell to the recorded end, and so does the bot tool in its own process. A
// replay whose recorded end was changed is caught by both. The battle is cut after its first
// waves (the maze built, the specials bought), so that the three plays of it stay short.
TEST(BotRun, ABotBattleSavedAsAReplayPlaysBackToTheSameEndInTheGameAndInTheBot) {
    ScopedTempDir dir;
    const fs::path replayFile = dir.Path() / "bot.replay";
    const std::string out = (dir.Path() / "out.txt").string();
    const int played = RunBot(kPacks + " --difficulty 3 --character 1 --strategy maze --seed 9 --frames 6000 --quiet" +
                                  " --replay-out '" + replayFile.string() + "'",
                              out);
    ASSERT_TRUE(played == 0 || played == 1) << played;
    const std::string ending = Ending(ReadWholeFile(out));
    ASSERT_FALSE(ending.empty()) << ReadWholeFile(out);

    Replay replay;
    std::string error;
    ASSERT_TRUE(ParseReplay(ReadWholeFile(replayFile), replay, error)) << error;
    EXPECT_EQ(replay.difficulty, 3u);
    EXPECT_EQ(replay.character, 1u);
    EXPECT_NE(ending.find(", lives " + std::to_string(replay.result.lives) + ", score " +
                          std::to_string(replay.result.score) + ", " + std::to_string(replay.frames) + " frames"),
              std::string::npos)
        << ending;
    EXPECT_NE(replay.input.find("press left"), std::string::npos) << "the bot built nothing";

    ASSERT_EQ(RunBot(kPacks + " --check-replay '" + replayFile.string() + "'", out), 0) << ReadWholeFile(out);
    EXPECT_EQ(Ending(ReadWholeFile(out)), ending);
    EXPECT_NE(ReadWholeFile(out).find("as recorded"), std::string::npos);

    const fs::path data = DataFolder(dir.Path());
    const std::string game = "--headless --data '" + data.string() + "' --replay ";
    const std::string gameOut = (dir.Path() / "game.txt").string();
    const std::string gameErr = (dir.Path() / "game-err.txt").string();
    const fs::path lastFrame = dir.Path() / "last.frame";
    const fs::path lastShot = dir.Path() / "last.png";
    ASSERT_EQ(RunGameBinary(game + "'" + replayFile.string() + "' --record-frame last:'" + lastFrame.string() +
                                "' --screenshot last:'" + lastShot.string() + "'",
                            gameErr, 900, gameOut),
              0)
        << ReadWholeFile(gameErr);
    EXPECT_EQ(ReadWholeFile(gameOut), "score " + std::to_string(replay.result.score) + ", lives " +
                                          std::to_string(replay.result.lives) + ", wave " +
                                          std::to_string(replay.result.wave) + "\n");
    // The replay's end is known ahead: its last frame is recorded, and is the frame shown last.
    EXPECT_TRUE(ReplaysToScreenshot(lastFrame.string(), lastShot.string(), error)) << error;

    Replay changed = replay;
    changed.result.score += 1;
    const fs::path changedFile = dir.Path() / "changed.replay";
    std::FILE* file = std::fopen(changedFile.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    const std::string text = FormatReplay(changed);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    EXPECT_EQ(RunBot(kPacks + " --check-replay '" + changedFile.string() + "'", out), 1);
    EXPECT_NE(ReadWholeFile(out).find("recorded score " + std::to_string(changed.result.score)), std::string::npos)
        << ReadWholeFile(out);
    EXPECT_EQ(RunGameBinary(game + "'" + changedFile.string() + "'", gameErr, 900, gameOut), 1);
}
