#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Parse(std::vector<const char*> words, LaunchOptions& options, std::string& error) {
    words.insert(words.begin(), "velmoria");
    return ParseCommandLine(static_cast<int>(words.size()), words.data(), options, error);
}

TEST(CommandLine, EveryFlagReachesItsOption) {
    LaunchOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--headless", "--frames", "600", "--seed", "0", "--data", "game", "--input", "a.txt",
                       "--screenshot", "10:x:y.png", "--record-frame", "4294967295:f.rec", "--version"},
                      options, error))
        << error;
    EXPECT_TRUE(options.Headless());
    EXPECT_EQ(options.frames, 600u);
    EXPECT_EQ(options.seed, 0u);
    EXPECT_EQ(options.dataDir, "game");
    EXPECT_EQ(options.inputScript, "a.txt");
    EXPECT_EQ(options.screenshots, (std::vector<LaunchOptions::FrameFile>{{10, "x:y.png"}}));
    EXPECT_EQ(options.recordings, (std::vector<LaunchOptions::FrameFile>{{4294967295u, "f.rec"}}));
    EXPECT_TRUE(options.showVersion);
    EXPECT_FALSE(options.showHelp);
}

// main exits on a refused command line, but nothing half-parsed may be left for anyone to use.
TEST(CommandLine, ARefusedCommandLineLeavesTheOptionsAsTheyWere) {
    const std::vector<std::vector<const char*>> refused = {
        {"--window", "--frames", "12x"},   {"--seed"},
        {"--screenshot", "5:a.png", "--screenshot", ":b.png"}, {"--record-frame", "0:x.rec"},
        {"--data", "d", "--frames", "4294967296"},              {"--headless", "--scale"},
    };
    for (const auto& words : refused) {
        LaunchOptions options;
        options.dataDir = "before";
        const LaunchOptions before = options;
        std::string error;
        EXPECT_FALSE(Parse(words, options, error)) << words.front();
        EXPECT_FALSE(error.empty()) << words.front();
        EXPECT_EQ(options, before) << error;
    }
}

TEST(CommandLine, ThePlayersTextInAReasonStaysOnOneLine) {
    LaunchOptions options;
    std::string error;
    EXPECT_FALSE(Parse({"--frames", "1\n2\x1b[2J"}, options, error));
    EXPECT_EQ(error, "--frames needs a whole number, not '1\\x0a2\\x1b[2J'");
    EXPECT_FALSE(Parse({"--screenshot", "5\r:p"}, options, error));
    EXPECT_EQ(error, "--screenshot needs FRAME:PATH, not '5\\x0d:p'");
    EXPECT_FALSE(Parse({"--wind\x7fow"}, options, error));
    EXPECT_EQ(error, "unknown option '--wind\\x7fow' (see --help)");
    EXPECT_FALSE(Parse({"--seed", "日本"}, options, error));
    EXPECT_EQ(error, "--seed needs a whole number, not '日本'");  // other bytes pass as they are
}

TEST(CommandLine, ScalesFromOneToSixteenAreTakenAndNoOthers) {
    std::string error;
    for (int scale = 0; scale <= 17; ++scale) {
        LaunchOptions options;
        const std::string text = std::to_string(scale);
        const bool taken = Parse({"--scale", text.c_str()}, options, error);
        EXPECT_EQ(taken, scale >= 1 && scale <= 16) << scale;
        if (taken) {
            EXPECT_EQ(options.scale, static_cast<std::uint32_t>(scale));
        } else {
            EXPECT_NE(error.find("--scale"), std::string::npos);
        }
    }
}

TEST(CommandLine, ReplaysTracesSmoothingAndTheLastScreenshotAreRead) {
    LaunchOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--replay", "a.replay", "--record-input", "trace.txt", "--smooth", "--screenshot",
                       "last:end.png", "--screenshot", "7:seven.png", "--record-frame", "last:end.frame"},
                      options, error))
        << error;
    EXPECT_EQ(options.replay, "a.replay");
    EXPECT_EQ(options.recordInput, "trace.txt");
    EXPECT_TRUE(options.smooth);
    EXPECT_EQ(options.screenshots, (std::vector<LaunchOptions::FrameFile>{{0, "end.png", true},
                                                                          {7, "seven.png"}}));
    EXPECT_EQ(options.recordings, (std::vector<LaunchOptions::FrameFile>{{0, "end.frame", true}}));
    for (const std::vector<const char*>& refused :
         {std::vector<const char*>{"--record-frame", "lastish:x.rec"}, {"--screenshot", "lastish:x.png"},
          {"--replay"}}) {
        LaunchOptions untouched;
        EXPECT_FALSE(Parse(refused, untouched, error)) << refused.front();
    }
}

// The guides are set for the run by on or off, the last flag winning; without the flag the run
// takes what settings.txt remembers; any other word is refused and names the flag.
TEST(CommandLine, GuidesAreOnOrOffForTheRun) {
    LaunchOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--headless"}, options, error)) << error;
    EXPECT_FALSE(options.guides.has_value());
    ASSERT_TRUE(Parse({"--guides", "off"}, options, error)) << error;
    EXPECT_EQ(options.guides, false);
    ASSERT_TRUE(Parse({"--guides", "off", "--guides", "on"}, options, error)) << error;
    EXPECT_EQ(options.guides, true);
    for (const std::vector<const char*>& refused : {std::vector<const char*>{"--guides"}, {"--guides", "yes"},
                                                    {"--guides", "ON"}, {"--guides", ""}}) {
        LaunchOptions untouched;
        error.clear();
        EXPECT_FALSE(Parse(refused, untouched, error)) << refused.back();
        EXPECT_NE(error.find("--guides"), std::string::npos) << error;
        EXPECT_FALSE(untouched.guides.has_value());
    }
}

// A language is named for the run by its code; a word that cannot be a catalogue's name is refused.
TEST(CommandLine, LangNamesTheLanguageForTheRun) {
    LaunchOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--headless"}, options, error)) << error;
    EXPECT_FALSE(options.language.has_value());
    ASSERT_TRUE(Parse({"--lang", "en"}, options, error)) << error;
    EXPECT_EQ(options.language, "en");
    for (const std::vector<const char*>& refused :
         {std::vector<const char*>{"--lang"}, {"--lang", ""}, {"--lang", "../../etc/passwd"}}) {
        LaunchOptions untouched;
        error.clear();
        EXPECT_FALSE(Parse(refused, untouched, error)) << refused.back();
        EXPECT_NE(error.find("--lang"), std::string::npos) << error;
        EXPECT_FALSE(untouched.language.has_value());
    }
}

}  // namespace
