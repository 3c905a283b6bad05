#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/Random.h"
#include "resource/FileWriter.h"
#include "resource/SaveFile.h"
#include "support/TempDir.h"

namespace {

// Counts the writes that reach it, and passes them on to the disk.
class CountingWriter final : public FileWriter {
public:
    bool WriteAll(const std::string& path, const std::uint8_t* bytes, std::size_t size) override {
        ++writes;
        return DiskFileWriter().WriteAll(path, bytes, size);
    }
    int writes = 0;
};

// A replay's battle reads the records and raises them in its own memory, as any battle does,
// but the file stays byte for byte as it was.
TEST(ReadOnlySave, RecordsAreReadAndRaisedInMemoryButNeverWritten) {
    ScopedTempDir dir;
    Random::Seed(7);
    {
        CSaveFile player;
        player.settings[CSaveFile::kMusicVolume] = 30;
        player.Save(1, 2, 0, CSaveFile::kNoOptions, 900);
    }
    const std::string before = ReadWholeFile("save.dat");
    CountingWriter writer;
    CSaveFile watched(&writer, CSaveFile::Access::ReadOnly);
    EXPECT_EQ(watched.VolumePercent(CSaveFile::kMusicVolume), 30);
    EXPECT_EQ(watched.RecordWithoutOptions(0, 1, 2), 900u);
    watched.settings[CSaveFile::kStageCleared0] = 1;
    EXPECT_TRUE(watched.Save(1, 2, 0, CSaveFile::kNoOptions, 5000));
    EXPECT_EQ(watched.RecordWithoutOptions(0, 1, 2), 5000u);
    EXPECT_EQ(watched.ReadBestScore(1, 2, 0, CSaveFile::kNoOptions), 900);
    EXPECT_EQ(writer.writes, 0);
    EXPECT_EQ(ReadWholeFile("save.dat"), before);
}

// Without a save.dat the defaults stand in memory, and none is made.
TEST(ReadOnlySave, AMissingFileIsNotMade) {
    ScopedTempDir dir;
    CountingWriter writer;
    CSaveFile watched(&writer, CSaveFile::Access::ReadOnly);
    EXPECT_EQ(watched.VolumePercent(CSaveFile::kEffectVolume), 80);
    EXPECT_EQ(watched.RecordWithoutOptions(0, 0, 3), 700u);
    EXPECT_EQ(watched.ReadBestScore(0, 3, 0, CSaveFile::kNoOptions), 700);
    EXPECT_TRUE(watched.Save(0, 3, 0, CSaveFile::kNoOptions, 99999));
    EXPECT_EQ(writer.writes, 0);
    EXPECT_FALSE(std::filesystem::exists("save.dat"));
}

}  // namespace
