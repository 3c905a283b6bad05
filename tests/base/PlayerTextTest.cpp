#include "base/PlayerText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

TEST(PlayerText, AFileIsReadWholeUpToTheLimitAndRefusedBeyondIt) {
    ScopedTempDir dir;
    std::ofstream("ten.txt") << "0123456789";
    std::string text = "before";
    std::string error;
    ASSERT_TRUE(ReadTextFile("ten.txt", 10, text, error)) << error;
    EXPECT_EQ(text, "0123456789");
    text = "before";
    EXPECT_FALSE(ReadTextFile("ten.txt", 9, text, error));
    EXPECT_EQ(error, "it holds more than 9 bytes");
    EXPECT_EQ(text, "before");
    // A file that claims more than it holds is not read at all: a sparse gigabyte costs nothing.
    fs::resize_file("ten.txt", std::uintmax_t{1} << 30);
    EXPECT_FALSE(ReadTextFile("ten.txt", 1 << 20, text, error));
    EXPECT_EQ(error, "it holds more than 1048576 bytes");
}

// Devices and pipes tell no size: they are read up to the limit and no further.
TEST(PlayerText, ADeviceThatNeverEndsIsCutOffAtTheLimit) {
    std::string text = "before";
    std::string error;
    EXPECT_FALSE(ReadTextFile("/dev/zero", 100000, text, error));
    EXPECT_EQ(error, "it holds more than 100000 bytes");
    EXPECT_EQ(text, "before");
    ASSERT_TRUE(ReadTextFile("/dev/null", 10, text, error)) << error;
    EXPECT_EQ(text, "");
}

TEST(PlayerText, WhatIsNotAFileIsNamedForWhatItIs) {
    ScopedTempDir dir;
    fs::create_directory("folder");
    std::string text;
    std::string error;
    EXPECT_FALSE(ReadTextFile("folder", 100, text, error));
    EXPECT_EQ(error, "it is a folder, not a file");
    EXPECT_FALSE(ReadTextFile("missing.txt", 100, text, error));
    EXPECT_EQ(error, "it does not exist");
    fs::create_symlink("missing.txt", "dangling");
    EXPECT_FALSE(ReadTextFile("dangling", 100, text, error));
    EXPECT_EQ(error, "it does not exist");
}

TEST(PlayerText, AnExcerptIsShortOneLineAndCutBetweenCharacters) {
    EXPECT_EQ(QuotedExcerpt("dance"), "'dance'");
    EXPECT_EQ(QuotedExcerpt("a\nb\x1b[2J\x7f"), "'a\\x0ab\\x1b[2J\\x7f'");
    const std::string word(10 << 20, 'w');
    EXPECT_EQ(QuotedExcerpt(word), "'" + std::string(kExcerptBytes, 'w') + "...' (10485760 bytes)");
    // Three-byte characters: the 40th byte is the first of the fourteenth, which is left out whole.
    std::string japanese;
    for (int i = 0; i < 20; ++i) {
        japanese += "日";
    }
    std::string thirteen;
    for (int i = 0; i < 13; ++i) {
        thirteen += "日";
    }
    EXPECT_EQ(QuotedExcerpt(japanese), "'" + thirteen + "...' (60 bytes)");
    EXPECT_EQ(QuotedExcerpt(std::string(kExcerptBytes, 'x')), "'" + std::string(kExcerptBytes, 'x') + "'");
}

}  // namespace
