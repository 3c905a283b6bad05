#include <gtest/gtest.h>

#include <string>

#include "app/ReplayFile.h"
#include "app/WindowSettings.h"

namespace {

Replay SampleReplay() {
    Replay replay;
    replay.gameVersion = "0.1.0";
    replay.packs = 0x0123456789ABCDEFull;
    replay.stage = 2;
    replay.difficulty = 3;
    replay.character = 1;
    replay.options = {0, 1, 0, 0, 0, 1, 0};
    replay.loaderRandom = 1;
    replay.battleRandom = 4000000000u;
    replay.cursorX = 640;
    replay.cursorY = 0;
    replay.held = {"LShift", "left"};
    replay.frames = 5234;
    replay.result = {1850, 15, 12};
    replay.input = "1 move 320 240\n2 keydown N\n3 keyup N\n40 press left\n41 release left\n";
    return replay;
}

TEST(ReplayFile, WhatIsWrittenReadsBackTheSame) {
    const Replay original = SampleReplay();
    Replay read;
    std::string error;
    ASSERT_TRUE(ParseReplay(FormatReplay(original), read, error)) << error;
    EXPECT_TRUE(read == original) << FormatReplay(read);
    // Nothing held and no input at all is a replay too (a battle left at once).
    Replay empty = original;
    empty.held.clear();
    empty.input.clear();
    ASSERT_TRUE(ParseReplay(FormatReplay(empty), read, error)) << error;
    EXPECT_TRUE(read.held.empty());
    EXPECT_TRUE(read.input.empty());
}

// No single changed byte and no cut anywhere gives a replay: a damaged file is never played as
// some other battle.
TEST(ReplayFile, EveryChangedByteAndEveryCutIsRefusedWithAReason) {
    const std::string text = FormatReplay(SampleReplay());
    Replay read;
    for (std::size_t at = 0; at < text.size(); ++at) {
        std::string damaged = text;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x04);
        std::string error;
        EXPECT_FALSE(ParseReplay(damaged, read, error)) << "byte " << at;
        EXPECT_FALSE(error.empty());
        std::string cut = text.substr(0, at);
        error.clear();
        EXPECT_FALSE(ParseReplay(cut, read, error)) << "cut at " << at;
        EXPECT_FALSE(error.empty());
    }
}

// A file with a correct checksum can still be wrong inside (written by hand, or by another
// program): every header line is checked, and so is the input.
TEST(ReplayFile, AWellSealedFileWithBadContentIsRefused) {
    const std::string good = FormatReplay(SampleReplay());
    const std::string body = good.substr(0, good.rfind("checksum "));
    auto sealed = [](const std::string& text) {
        char checksum[9];
        std::snprintf(checksum, sizeof checksum, "%08x", ReplayChecksum(text));
        return text + "checksum " + checksum + "\n";
    };
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = body;
        text.replace(text.find(from), from.size(), to);
        return sealed(text);
    };
    const std::string cases[] = {
        replaced("velmoria replay 1", "velmoria replay 2"),
        // Requests no game select makes: a fourth stage, a fifth difficulty, a third character,
        // an option byte other than off and on.
        replaced("request 2 3 1", "request 3 3 1"),
        replaced("request 2 3 1", "request 2 4 1"),
        replaced("request 2 3 1", "request 2 3 2"),
        replaced("request 2 3 1 0 1", "request 2 3 1 0 2"),
        replaced("packs 0123456789abcdef", "packs 0123"),
        replaced("request 2 3 1 0 1 0 0 0 1 0", "request 2 3 1"),
        replaced("frames 5234", "frames -1"),
        replaced("held LShift left", "held LShift thumb"),
        replaced("random 1 4000000000", "random 1 4000000000\nrandom 1 2"),
        replaced("cursor 640 0\n", ""),
        replaced("40 press left", "40 press thumb"),
        replaced("\ninput\n", "\n"),
    };
    // A refused file leaves the replay as it was, not half read.
    const Replay before = SampleReplay();
    Replay read = before;
    for (const std::string& text : cases) {
        std::string error;
        EXPECT_FALSE(ParseReplay(text, read, error)) << text;
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(read == before) << text;
    }
    std::string error;
    EXPECT_TRUE(ParseReplay(sealed(body), read, error)) << error;
}

// A header may claim any count its checksum seals; more than a day of play is refused, or the
// playback would keep the game running for days.
TEST(ReplayFile, AReplayHoldsAtMostADayOfPlay) {
    Replay replay = SampleReplay();
    Replay read;
    std::string error;
    replay.frames = 5184000;  // 24 hours of 60 frames a second
    ASSERT_TRUE(ParseReplay(FormatReplay(replay), read, error)) << error;
    EXPECT_EQ(read.frames, 5184000u);
    for (const std::uint32_t frames : {5184001u, 4294967295u}) {
        replay.frames = frames;
        read = SampleReplay();
        EXPECT_FALSE(ParseReplay(FormatReplay(replay), read, error)) << frames;
        EXPECT_EQ(error, "the replay claims " + std::to_string(frames) +
                             " frames, more than the 5184000 (a day of play) a replay can hold");
        EXPECT_TRUE(read == SampleReplay());
    }
}

// A replay copied through Windows comes back with CR LF line ends. The checksum was made over
// the LF text, which is what the CR LF text turns back into; any other change is still caught.
TEST(ReplayFile, CrLfLineEndsReadAsTheReplayThatWasWritten) {
    const Replay original = SampleReplay();
    const std::string lf = FormatReplay(original);
    std::string crlf;
    for (const char c : lf) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    Replay read;
    std::string error;
    ASSERT_TRUE(ParseReplay(crlf, read, error)) << error;
    EXPECT_TRUE(read == original) << FormatReplay(read);
    // Only the last line converted, as a careless editor might leave it: the same replay.
    std::string mixed = lf;
    mixed.insert(mixed.size() - 1, "\r");
    ASSERT_TRUE(ParseReplay(mixed, read, error)) << error;
    EXPECT_TRUE(read == original);
    std::string damaged = crlf;
    damaged[damaged.find("move 320")] = 'n';
    EXPECT_FALSE(ParseReplay(damaged, read, error));
    EXPECT_EQ(error, "the replay is damaged (its checksum does not match)");
    // A lone CR is no line end: it is a changed byte.
    std::string loneCr = lf;
    loneCr.insert(loneCr.find(" 240\n"), "\r");
    EXPECT_FALSE(ParseReplay(loneCr, read, error));
    EXPECT_EQ(error, "the replay is damaged (its checksum does not match)");
}

TEST(WindowSettings, ScalesReadBackAndBadLinesAreRefused) {
    WindowSettings settings;
    std::string error;
    for (int scale = WindowSettings::kMinScale; scale <= WindowSettings::kMaxScale; ++scale) {
        ASSERT_TRUE(ParseWindowSettings(FormatWindowSettings({scale}), settings, error)) << error;
        EXPECT_EQ(settings.scale, scale);
    }
    ASSERT_TRUE(ParseWindowSettings(FormatWindowSettings({}), settings, error)) << error;
    EXPECT_EQ(settings.scale, 0);
    // Keys of a newer game are passed over; comments and blank lines too.
    ASSERT_TRUE(ParseWindowSettings("# hi\n\nvsync 1\n  scale 3  # big\n", settings, error)) << error;
    EXPECT_EQ(settings.scale, 3);
    // A refused file keeps what was read before, even a scale read from its own first line.
    for (const char* bad : {"scale 0\n", "scale 17\n", "scale two\n", "scale 2 3\n", "scale\n", "scale 2x\n",
                            "scale -1\n", "scale 99999999999999999999\n", "scale 5\nscale 6 6\n"}) {
        error.clear();
        EXPECT_FALSE(ParseWindowSettings(bad, settings, error)) << bad;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(settings.scale, 3) << bad;
    }
}

// The guides are on unless the file turns them off, and a word other than on or off is refused
// like a bad scale: the settings stay as they were and the reason names the line.
TEST(WindowSettings, GuidesAreOnUnlessTurnedOffAndReadBack) {
    WindowSettings settings;
    std::string error;
    ASSERT_TRUE(ParseWindowSettings("scale 2\n", settings, error)) << error;
    EXPECT_TRUE(settings.guides);
    ASSERT_TRUE(ParseWindowSettings("guides off  # quiet\nscale 4\n", settings, error)) << error;
    EXPECT_FALSE(settings.guides);
    EXPECT_EQ(settings.scale, 4);
    for (const bool guides : {true, false}) {
        const WindowSettings written{0, guides};
        WindowSettings read{7, !guides};
        ASSERT_TRUE(ParseWindowSettings(FormatWindowSettings(written), read, error)) << error;
        EXPECT_EQ(read, written);
    }
    for (const char* bad : {"guides\n", "guides 1\n", "guides On\n", "guides on off\n", "scale 2\nguides yes\n"}) {
        WindowSettings kept{3, false};
        error.clear();
        EXPECT_FALSE(ParseWindowSettings(bad, kept, error)) << bad;
        EXPECT_EQ(kept, (WindowSettings{3, false})) << bad;
        EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
    }
    ASSERT_FALSE(ParseWindowSettings("\nguides maybe\n", settings, error));
    EXPECT_EQ(error, "line 2: the guides are on or off");
}

// The language is Japanese unless the file names another, and is written only when it is not;
// a word that cannot name a catalogue is refused.
TEST(WindowSettings, LanguageIsJapaneseUnlessNamedAndReadBack) {
    WindowSettings settings;
    std::string error;
    ASSERT_TRUE(ParseWindowSettings("scale 2\n", settings, error)) << error;
    EXPECT_EQ(settings.language, "ja");
    EXPECT_EQ(FormatWindowSettings(settings).find("language"), std::string::npos);
    ASSERT_TRUE(ParseWindowSettings("language en\n", settings, error)) << error;
    EXPECT_EQ(settings.language, "en");
    WindowSettings read;
    ASSERT_TRUE(ParseWindowSettings(FormatWindowSettings(settings), read, error)) << error;
    EXPECT_EQ(read, settings);
    for (const char* bad : {"language\n", "language ../en\n", "language en fr\n"}) {
        WindowSettings kept;
        EXPECT_FALSE(ParseWindowSettings(bad, kept, error)) << bad;
        EXPECT_EQ(kept.language, "ja") << bad;
    }
}

}  // namespace
