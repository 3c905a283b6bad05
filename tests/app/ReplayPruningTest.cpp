#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/BattleReplay.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Only the replays the game named go, oldest first by the time in their names; the player's own
// files stay, however their names sort.
TEST(ReplayPruning, OnlyTheGamesOwnReplaysArePrunedOldestFirstByTheirTime) {
    ScopedTempDir dir;
    const std::vector<std::string> players = {
        "0000-favourite.replay",                        // sorts before every dated name
        "20000101-000000-000_my_best.replay",           // a date, but a tail the game never writes
        "20000101-000000-000_rouka_easy_ardel.txt",     // not a replay
        "20000101-000000-00_rouka_easy_ardel.replay",   // two digits of milliseconds
        "20000101-000000-000-1_rouka_easy_ardel.replay",  // the game numbers from 2
        "20000101-000000-000-02_rouka_easy_ardel.replay",
        "20000101-000000-000_rouka_easy_ardel (copy).replay",
        "x20000101-000000-000_rouka_easy_ardel.replay",
        "20000101-000000-000_library_normal_ardel.replay",  // the game's key is "lib_normal"
    };
    // Oldest first. Taken moments are numbered from 2, and "-10" is newer than "-9" whatever the
    // characters say; the tails play no part in the order.
    const std::vector<std::string> made = {
        "20251231-235959-999_sky_lunatic_sovia.replay",
        "20260101-000000-000_rouka_easy_ardel.replay",
        "20260101-000000-000-2_bigwool_hard_sovia.replay",
        "20260101-000000-000-9_rouka_easy_ardel.replay",
        "20260101-000000-000-10_rouka_easy_ardel.replay",
        "20260101-000000-001_lib_normal_ardel.replay",
    };
    fs::create_directory("notes.replay");  // a folder with a replay's ending
    for (const std::vector<std::string>* names : {&players, &made}) {
        for (const std::string& name : *names) {
            std::ofstream(name) << "x";
        }
    }
    KeepNewestReplays(dir.Path(), 2);
    std::vector<std::string> expected = players;
    expected.push_back("notes.replay");
    expected.push_back(made[4]);
    expected.push_back(made[5]);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(dir.Path()), expected);

    // At or below the count nothing goes.
    KeepNewestReplays(dir.Path(), 2);
    EXPECT_EQ(Names(dir.Path()), expected);
    KeepNewestReplays(dir.Path(), 0);
    expected.erase(std::remove(expected.begin(), expected.end(), made[4]), expected.end());
    expected.erase(std::remove(expected.begin(), expected.end(), made[5]), expected.end());
    EXPECT_EQ(Names(dir.Path()), expected);
}

}  // namespace
