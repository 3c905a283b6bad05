#include "base/FilePath.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// A player whose user name is Japanese has it in every folder the game writes to.
const std::string kJapaneseFolder = "\xE3\x83\x97\xE3\x83\xAC\xE3\x82\xA4\xE3\x83\xA4\xE3\x83\xBC";  // プレイヤー

bool WriteText(const fs::path& path, const std::string& text) {
    std::FILE* file = OpenFile(path, "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

TEST(FilePath, UnicodeFolderNamesSurviveTheWayThroughTextAndBack) {
    ScopedTempDir dir;
    const fs::path folder = dir.Path() / PathFromUtf8(kJapaneseFolder);
    ASSERT_TRUE(fs::create_directory(folder));

    // The folder the system made is the one the text names, character for character.
    const fs::path listed = fs::directory_iterator(dir.Path())->path();
    EXPECT_EQ(Utf8Of(listed.filename()), kJapaneseFolder);
    EXPECT_EQ(PathFromUtf8(Utf8Of(folder)), folder);

    // A file named by text (as the command line and the settings name them) is the same file.
    ASSERT_TRUE(WriteText(folder / "save.dat", "kept"));
    std::FILE* file = OpenFile(Utf8Of(folder / "save.dat"), "rb");
    ASSERT_NE(file, nullptr);
    char read[8] = {};
    EXPECT_EQ(std::fread(read, 1, sizeof read, file), 4u);
    std::fclose(file);
    EXPECT_STREQ(read, "kept");
}

TEST(FilePath, RenamingOverAFileReplacesItAndLeavesNoSource) {
    ScopedTempDir dir;
    const fs::path target = dir.Path() / PathFromUtf8(kJapaneseFolder + ".dat");
    const fs::path fresh = dir.Path() / "fresh.tmp";
    ASSERT_TRUE(WriteText(target, "old records"));
    ASSERT_TRUE(WriteText(fresh, "new records"));
    ASSERT_TRUE(RenameOver(fresh, target));
    EXPECT_EQ(ReadWholeFile(target), "new records");
    EXPECT_FALSE(fs::exists(fresh));

    EXPECT_FALSE(RenameOver(dir.Path() / "missing.tmp", target));
    EXPECT_EQ(ReadWholeFile(target), "new records");
}

TEST(FilePath, OpeningWhatIsNotThereFailsWithoutMakingIt) {
    ScopedTempDir dir;
    EXPECT_EQ(OpenFile(dir.Path() / "absent" / "file.txt", "rb"), nullptr);
    EXPECT_EQ(OpenFile(dir.Path() / "absent" / "file.txt", "wb"), nullptr);
    EXPECT_FALSE(fs::exists(dir.Path() / "absent"));
}

}  // namespace
