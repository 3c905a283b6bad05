#include "resource/SaveFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "base/Random.h"
#include "resource/FileWriter.h"
#include "resource/PackTestFiles.h"
#include "support/TempDir.h"

namespace {

constexpr std::array<std::uint8_t, 7> kOptions0And2 = {1, 0, 7, 0, 0, 0, 0};  // mask 5

std::vector<std::uint8_t> FileBytes(const char* path = "save.dat") {
    const std::string text = ReadWholeFile(path);
    return {text.begin(), text.end()};
}

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// Decodes one stored number the way the file format defines it, independently of CSaveFile.
std::uint32_t StoredValue(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return ~(U32At(bytes, at) - U32At(bytes, 0));
}
std::size_t PositionWithout(int c, int s, int d) { return 128 + 24768 * c + 16 * s + 4 * d; }
std::size_t PositionWith(int c, int s, int d, int m) { return 320 + 24768 * c + 512 * (4 * s + d) + 4 * m; }

// Writes part of the file and then fails, like a disk that fills up mid-write.
class FailingWriter final : public FileWriter {
public:
    bool WriteAll(const std::string& path, const std::uint8_t* bytes, std::size_t size) override {
        DiskFileWriter().WriteAll(path, bytes, size / 2);
        return false;
    }
};

// Writes part of the file and then the process dies.
class DyingWriter final : public FileWriter {
public:
    bool WriteAll(const std::string& path, const std::uint8_t* bytes, std::size_t size) override {
        DiskFileWriter().WriteAll(path, bytes, size / 3);
        std::_Exit(3);
    }
};

class SaveFileTest : public ::testing::Test {
protected:
    void SetUp() override { Random::Seed(20261206); }

    // A file whose record (0, 0, 0) is 1234; returns its bytes.
    static std::vector<std::uint8_t> SaveOneRecord() {
        CSaveFile save;
        save.Save(0, 0, 0, CSaveFile::kNoOptions, 1234);
        return FileBytes();
    }

    ScopedTempDir dir_;
};

TEST_F(SaveFileTest, AMissingFileBecomesTheDefaultFileInTheStoredLayout) {
    CSaveFile save;
    const std::vector<std::uint8_t> bytes = FileBytes();
    ASSERT_EQ(bytes.size(), 247808u);
    const std::uint32_t key = U32At(bytes, 0);
    EXPECT_LT(key, 255u);
    EXPECT_EQ(U32At(bytes, 4), key - 13);
    EXPECT_EQ(U32At(bytes, 8), key - 5);
    EXPECT_EQ(U32At(bytes, 12), key - 11);
    EXPECT_EQ(StoredValue(bytes, 16), 80u);
    EXPECT_EQ(StoredValue(bytes, 20), 80u);
    EXPECT_EQ(save.settings[CSaveFile::kMusicVolume], 80u);
    EXPECT_EQ(save.settings[CSaveFile::kEffectVolume], 80u);
    for (int c : {0, 9}) {
        for (int s : {0, 11}) {
            for (int d = 0; d < 4; ++d) {
                const std::uint32_t expected = 100 + 200 * static_cast<std::uint32_t>(d);
                EXPECT_EQ(StoredValue(bytes, PositionWithout(c, s, d)), expected);
                EXPECT_EQ(StoredValue(bytes, PositionWith(c, s, d, 127)), expected);
                EXPECT_EQ(save.RecordWithoutOptions(c, s, d), expected);
                EXPECT_EQ(save.RecordWithOptions(c, s, d, 1), expected);
                EXPECT_EQ(save.ReadBestScore(s, d, c, CSaveFile::kNoOptions), static_cast<int>(expected));
            }
        }
    }
}

TEST_F(SaveFileTest, SettingsKeepTheirStoredOrder) {
    CSaveFile save;
    for (std::size_t i = 0; i < save.settings.size(); ++i) {
        save.settings[i] = 1000 + static_cast<std::uint32_t>(i) + 1;  // setting n holds 1000 + n
    }
    ASSERT_TRUE(save.Save(0, 0, 0, CSaveFile::kNoOptions, 0));
    const std::vector<std::uint8_t> bytes = FileBytes();
    const std::vector<std::pair<std::size_t, std::uint32_t>> stored = {
        {16, 1001}, {20, 1002}, {24, 1003}, {64, 1004}, {68, 1005}, {72, 1006},
        {76, 1007}, {80, 1008}, {84, 1009}, {88, 1011}, {92, 1012}, {96, 1010}};
    for (const auto& [at, value] : stored) {
        EXPECT_EQ(StoredValue(bytes, at), value) << "at " << at;
    }
    CSaveFile again;
    EXPECT_EQ(again.settings, save.settings);
}

TEST_F(SaveFileTest, TwoSavesOfTheSameDataLookUnrelatedButLoadTheSame) {
    CSaveFile save;
    save.settings[CSaveFile::kDisplayOption] = 1;
    save.Save(2, 1, 0, CSaveFile::kNoOptions, 4321);
    const std::vector<std::uint8_t> first = FileBytes();
    save.Save(2, 1, 0, CSaveFile::kNoOptions, 0);
    const std::vector<std::uint8_t> second = FileBytes();
    ASSERT_NE(U32At(first, 0), U32At(second, 0));
    std::size_t differingWords = 0;
    for (std::size_t at = 0; at < first.size(); at += 4) {
        differingWords += U32At(first, at) != U32At(second, at) ? 1 : 0;
    }
    EXPECT_GT(differingWords, first.size() / 4 * 99 / 100);
    CSaveFile loaded;
    EXPECT_EQ(loaded.settings, save.settings);
    EXPECT_EQ(loaded.RecordWithoutOptions(0, 2, 1), 4321u);
}

TEST_F(SaveFileTest, AnOptionsGameRaisesOnlyTheRecordOfItsMask) {
    CSaveFile save;
    ASSERT_TRUE(save.Save(1, 2, 1, kOptions0And2, 9000));
    CSaveFile loaded;
    EXPECT_EQ(CSaveFile::OptionMask(kOptions0And2), 5);
    EXPECT_EQ(loaded.RecordWithOptions(1, 1, 2, 5), 9000u);
    EXPECT_EQ(loaded.RecordWithoutOptions(1, 1, 2), 500u);
    EXPECT_EQ(loaded.RecordWithOptions(1, 1, 2, 4), 500u);
    EXPECT_EQ(loaded.RecordWithOptions(1, 1, 2, 1), 500u);
    EXPECT_EQ(loaded.RecordWithOptions(0, 1, 2, 5), 500u);
    EXPECT_EQ(loaded.RecordWithOptions(1, 1, 1, 5), 300u);
    EXPECT_EQ(loaded.ReadBestScore(1, 2, 1, kOptions0And2), 9000);
    EXPECT_EQ(loaded.ReadBestScore(1, 2, 1, CSaveFile::kNoOptions), 500);
    EXPECT_EQ(StoredValue(FileBytes(), PositionWith(1, 1, 2, 5)), 9000u);
}

TEST_F(SaveFileTest, ScoresAreClampedAndOnlyABetterScoreRaisesARecord) {
    CSaveFile save;
    save.Save(0, 3, 0, CSaveFile::kNoOptions, 120000);
    EXPECT_EQ(save.RecordWithoutOptions(0, 0, 3), 99999u);
    EXPECT_EQ(StoredValue(FileBytes(), PositionWithout(0, 0, 3)), 99999u);
    save.Save(0, 2, 0, CSaveFile::kNoOptions, 499);
    save.Save(0, 1, 0, CSaveFile::kNoOptions, -7000);
    EXPECT_EQ(save.RecordWithoutOptions(0, 0, 2), 500u);
    EXPECT_EQ(save.RecordWithoutOptions(0, 0, 1), 300u);
    // Out-of-range arguments change nothing, yet the file is still rewritten.
    const std::vector<std::uint8_t> before = FileBytes();
    for (const auto& [s, d, c] : {std::tuple{12, 0, 0}, {0, 4, 0}, {0, 0, 10}, {-1, 0, 0}}) {
        EXPECT_TRUE(save.Save(s, d, c, CSaveFile::kNoOptions, 50000));
        EXPECT_EQ(save.ReadBestScore(s, d, c, CSaveFile::kNoOptions), 0);
    }
    EXPECT_NE(FileBytes(), before);
    // Unchecked indices would have landed on neighbouring records of difficulty 0.
    CSaveFile loaded;
    for (int c = 0; c < 10; ++c) {
        for (int s = 0; s < 12; ++s) {
            EXPECT_EQ(loaded.RecordWithoutOptions(c, s, 0), 100u) << c << " " << s;
        }
    }
}

TEST_F(SaveFileTest, LaterSavesInARunKeepTheRecordsOfEarlierOnes) {
    CSaveFile game;
    game.Save(0, 1, 0, CSaveFile::kNoOptions, 2000);
    game.Save(2, 1, 1, kOptions0And2, 3000);
    game.settings[CSaveFile::kMusicVolume] = 40;
    game.Save(0, 0, 0, CSaveFile::kNoOptions, 0);  // a settings change
    CSaveFile title;
    EXPECT_EQ(title.RecordWithoutOptions(0, 0, 1), 2000u);
    EXPECT_EQ(title.RecordWithOptions(1, 2, 1, 5), 3000u);
    EXPECT_EQ(title.settings[CSaveFile::kMusicVolume], 40u);
}

TEST_F(SaveFileTest, ReadingAVanishedFileRecreatesTheDefaultsWithoutTouchingMemory) {
    CSaveFile save;
    save.Save(3, 3, 3, CSaveFile::kNoOptions, 8000);
    ASSERT_TRUE(std::filesystem::remove("save.dat"));
    EXPECT_EQ(save.ReadBestScore(3, 3, 3, CSaveFile::kNoOptions), 700);
    EXPECT_EQ(FileBytes().size(), 247808u);
    EXPECT_EQ(save.RecordWithoutOptions(3, 3, 3), 8000u);
}

TEST_F(SaveFileTest, AFailedWriteLeavesThePreviousFileAndIsLogged) {
    const std::vector<std::uint8_t> before = SaveOneRecord();
    FailingWriter failing;
    CSaveFile save(&failing);
    EXPECT_FALSE(save.Save(1, 0, 0, CSaveFile::kNoOptions, 5678));
    EXPECT_EQ(FileBytes(), before);
    EXPECT_FALSE(std::filesystem::exists("save.dat.tmp"));
    EXPECT_NE(ReadWholeFile("log.txt").find("save.dat を書き込めませんでした"), std::string::npos);
    // Memory keeps the new record, so the next save that works stores it.
    EXPECT_EQ(save.RecordWithoutOptions(0, 1, 0), 5678u);
    CSaveFile working;
    working.Save(1, 0, 0, CSaveFile::kNoOptions, 5678);
    CSaveFile loaded;
    EXPECT_EQ(loaded.RecordWithoutOptions(0, 0, 0), 1234u);
    EXPECT_EQ(loaded.RecordWithoutOptions(0, 1, 0), 5678u);
}

TEST_F(SaveFileTest, DyingDuringASaveLeavesThePreviousFile) {
    const std::vector<std::uint8_t> before = SaveOneRecord();
    DyingWriter dying;
    CSaveFile save(&dying);
    EXPECT_EXIT(save.Save(1, 0, 0, CSaveFile::kNoOptions, 5678), ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(FileBytes(), before);
    EXPECT_EQ(FileBytes("save.dat.tmp").size(), 247808u / 3);  // the write really was cut short
    CSaveFile loaded;
    EXPECT_EQ(loaded.RecordWithoutOptions(0, 0, 0), 1234u);
}

TEST_F(SaveFileTest, ShortEmptyAndRandomFilesAreReadSafely) {
    WriteBytes("save.dat", {});
    {
        CSaveFile empty;
        EXPECT_EQ(empty.settings[CSaveFile::kMusicVolume], 80u);
        EXPECT_EQ(empty.RecordWithOptions(9, 11, 3, 127), 700u);
        EXPECT_EQ(empty.ReadBestScore(11, 3, 9, kOptions0And2), 700);
        EXPECT_TRUE(FileBytes().empty());  // reading never writes
    }
    {
        CSaveFile save;
        save.Save(0, 0, 0, CSaveFile::kNoOptions, 777);
        save.Save(0, 0, 9, CSaveFile::kNoOptions, 999);
    }
    std::vector<std::uint8_t> bytes = FileBytes();
    bytes.resize(128 + 24768);  // only the first character's block
    WriteBytes("save.dat", bytes);
    CSaveFile shortFile;
    EXPECT_EQ(shortFile.RecordWithoutOptions(0, 0, 0), 777u);
    EXPECT_EQ(shortFile.RecordWithoutOptions(9, 0, 0), 100u);
    EXPECT_EQ(shortFile.ReadBestScore(0, 0, 9, CSaveFile::kNoOptions), 100);

    std::vector<std::uint8_t> noise(247808 + 100);
    for (std::uint8_t& byte : noise) {
        byte = static_cast<std::uint8_t>(Random::Next());
    }
    WriteBytes("save.dat", noise);
    CSaveFile random;
    for (int c = 0; c < 10; ++c) {
        const int best = random.ReadBestScore(c % 12, c % 4, c, kOptions0And2);
        EXPECT_GE(best, 0);
        EXPECT_LE(best, 99999);
    }
}

TEST_F(SaveFileTest, AFolderInThePlaceOfTheFileGivesDefaultsWithoutLooping) {
    ASSERT_TRUE(std::filesystem::create_directory("save.dat"));
    CSaveFile save;
    EXPECT_EQ(save.settings[CSaveFile::kEffectVolume], 80u);
    EXPECT_EQ(save.ReadBestScore(0, 2, 0, CSaveFile::kNoOptions), 500);
    EXPECT_FALSE(save.Save(0, 2, 0, CSaveFile::kNoOptions, 600));
    EXPECT_TRUE(std::filesystem::is_directory("save.dat"));
    EXPECT_NE(ReadWholeFile("log.txt").find("save.dat を書き込めませんでした"), std::string::npos);
}

}  // namespace
