#include "resource/FilePackLoad.h"

#include <gtest/gtest.h>

#include "gfx/PngCodec.h"
#include "gfx/SoftwareDevice.h"
#include "resource/PackTestFiles.h"
#include "support/FatalEnd.h"
#include "support/TempDir.h"

namespace {

constexpr std::uint32_t kKey = 0x6B3D2A51u;

std::vector<pack::Entry> SampleEntries() {
    return {{"tama.png", BytesOf("round bullet"), 0},
            {"b.wav", BytesOf("RIFF....WAVE"), 0},
            {"a.png", {}, 0},
            {"Z_upper.png", BytesOf("upper case sorts first"), 0}};
}

std::vector<std::uint8_t> Build(const std::vector<pack::Entry>& entries) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(pack::BuildPack(entries, kKey, bytes, error)) << error;
    return bytes;
}

std::vector<std::string> NamesOf(const CFilePackLoad& pack) {
    std::vector<std::string> names;
    for (const auto& [name, entry] : pack.Entries()) {
        EXPECT_EQ(name, entry.name);
        names.push_back(name);
    }
    return names;
}

TEST(FilePackLoad, DirectoryIsWalkedInByteOrderAndEntriesAreFoundByName) {
    ScopedTempDir dir;
    const std::vector<pack::Entry> entries = SampleEntries();
    WriteBytes("test.dat", Build(entries));
    CFilePackLoad pack;
    ASSERT_TRUE(pack.Open("test.dat"));
    EXPECT_EQ(pack.Path(), "test.dat");
    EXPECT_EQ(pack.Key(), kKey);
    EXPECT_EQ(NamesOf(pack), (std::vector<std::string>{"Z_upper.png", "a.png", "b.wav", "tama.png"}));
    // Entry data follows the directory in the order written.
    EXPECT_EQ(pack.Entries().at("tama.png").offset, 16u + 64u * 4u);
    for (const pack::Entry& expected : entries) {
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(pack.ReadEntry(expected.name, bytes)) << expected.name;
        EXPECT_EQ(bytes, expected.bytes) << expected.name;
        EXPECT_EQ(pack.Entries().at(expected.name).size, expected.bytes.size());
    }
    std::uint32_t offset = 0xFFFFFFFFu;
    pack.FindOffset("bgm_title.wav", offset);
    EXPECT_EQ(offset, 0xFFFFFFFFu);
    pack.FindOffset("b.wav", offset);
    EXPECT_EQ(offset, pack.Entries().at("b.wav").offset);
    std::vector<std::uint8_t> bytes = {1, 2, 3};
    EXPECT_FALSE(pack.ReadEntry("absent.png", bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST(FilePackLoad, ZeroNegativeAndOversizedCounts) {
    ScopedTempDir dir;
    std::vector<std::uint8_t> bytes = Build(SampleEntries());
    CFilePackLoad pack;
    for (const std::int32_t count : {0, -1, INT32_MIN}) {
        SetStoredCount(bytes, count, kKey);
        WriteBytes("test.dat", bytes);
        ASSERT_TRUE(pack.Open("test.dat"));
        EXPECT_TRUE(pack.Entries().empty()) << count;
    }
    // A count far past the end of the file stops at the records the file holds: the four real
    // ones, then whatever 64-byte stretches of entry data decode to, and nothing beyond the end.
    SetStoredCount(bytes, INT32_MAX, kKey);
    WriteBytes("test.dat", bytes);
    ASSERT_TRUE(pack.Open("test.dat"));
    EXPECT_GE(pack.Entries().size(), 4u);
    EXPECT_LE(pack.Entries().size(), (bytes.size() - 16) / 64);
    EXPECT_EQ(pack.Entries().count("tama.png"), 1u);
}

TEST(FilePackLoad, DuplicateNamesKeepTheFirstRecordAndEmptyNamesAreEntries) {
    ScopedTempDir dir;
    WriteBytes("test.dat", Build({{"same.png", BytesOf("first"), 0},
                                  {"", BytesOf("nameless"), 0},
                                  {"same.png", BytesOf("second"), 0}}));
    CFilePackLoad pack;
    pack.Open("test.dat");
    EXPECT_EQ(NamesOf(pack), (std::vector<std::string>{"", "same.png"}));
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(pack.ReadEntry("same.png", bytes));
    EXPECT_EQ(bytes, BytesOf("first"));
    ASSERT_TRUE(pack.ReadEntry("", bytes));
    EXPECT_EQ(bytes, BytesOf("nameless"));
}

TEST(FilePackLoad, HostileNameLengthsReadOnlyWhatTheRecordHolds) {
    ScopedTempDir dir;
    const std::string longName(31, 'x');
    std::vector<std::uint8_t> bytes =
        Build({{longName, {}, 0}, {std::string("ab\0cd", 5), {}, 0}, {"negative", {}, 0}, {"huge", {}, 0}});
    SetStoredNameLength(bytes, 0, 200, kKey);
    SetStoredNameLength(bytes, 2, -5, kKey);
    SetStoredNameLength(bytes, 3, INT32_MAX, kKey);
    WriteBytes("test.dat", bytes);
    CFilePackLoad pack;
    pack.Open("test.dat");
    // The long name keeps its 31 characters; "huge" keeps its four and then stops at the first
    // byte that unscrambles to zero (a zeroed record byte does not), so only check its prefix.
    ASSERT_EQ(pack.Entries().count(longName), 1u);
    EXPECT_EQ(pack.Entries().count("ab"), 1u);
    EXPECT_EQ(pack.Entries().count(""), 1u);
    int hugePrefixed = 0;
    for (const auto& [name, entry] : pack.Entries()) {
        EXPECT_LE(name.size(), 31u);
        hugePrefixed += name.rfind("huge", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(hugePrefixed, 1);
    EXPECT_EQ(pack.Entries().size(), 4u);
}

TEST(FilePackLoad, EntriesOutsideTheFileGiveNoBytesAndNoTexture) {
    ScopedTempDir dir;
    std::vector<std::uint8_t> bytes = Build({{"past_end.png", BytesOf("data"), 0}, {"too_big.png", BytesOf("data"), 0}});
    pack::PutRecord(bytes, 0, "past_end.png", 4, 0xFFFFFFF0u, 0, kKey);
    pack::PutRecord(bytes, 1, "too_big.png", 0xFFFFFFFFu, 16, 0, kKey);
    WriteBytes("test.dat", bytes);
    gfx::HeadlessFrameSink sink;
    gfx::SoftwareDevice device(&sink);
    CFilePackLoad pack;
    pack.Open("test.dat", &device);
    std::vector<std::uint8_t> read;
    EXPECT_FALSE(pack.ReadEntry("past_end.png", read));
    EXPECT_FALSE(pack.ReadEntry("too_big.png", read));
    EXPECT_EQ(pack.GetTexture("past_end.png"), nullptr);
    EXPECT_EQ(pack.GetTexture("too_big.png"), nullptr);
}

TEST(FilePackLoad, TexturesComeFromImageEntriesAndFailuresAreNull) {
    ScopedTempDir dir;
    const std::vector<std::uint32_t> pixels(5 * 3, 0xFF112233u);
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(gfx::EncodePng(pixels.data(), 5, 3, png));
    WriteBytes("test.dat", Build({{"tama.png", png, 0}, {"broken.png", BytesOf("not an image"), 0}}));
    gfx::HeadlessFrameSink sink;
    gfx::SoftwareDevice device(&sink);
    CFilePackLoad pack;
    pack.Open("test.dat", &device);
    const std::unique_ptr<gfx::Texture> texture = pack.GetTexture("tama.png");
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->Width(), 8);
    EXPECT_EQ(texture->Height(), 4);
    EXPECT_EQ(texture->Pixels()[0], 0xFF112233u);
    EXPECT_NE(pack.GetTexture("tama.png"), texture);  // every call makes a new texture
    EXPECT_EQ(pack.GetTexture("broken.png"), nullptr);
    EXPECT_EQ(pack.GetTexture("absent.png"), nullptr);
    CFilePackLoad sounds;
    sounds.Open("test.dat");
    EXPECT_EQ(sounds.GetTexture("tama.png"), nullptr);  // no device, no texture
}

TEST(FilePackLoad, EveryTruncationOfAPackOpensWithoutReadingPastTheEnd) {
    ScopedTempDir dir;
    const std::vector<std::uint8_t> whole = Build(SampleEntries());
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        WriteBytes("test.dat", std::vector<std::uint8_t>(whole.begin(), whole.begin() + length));
        CFilePackLoad pack;
        ASSERT_TRUE(pack.Open("test.dat"));
        // Only records that lie wholly in the file count.
        const std::size_t wholeRecords = length < 16 ? 0 : std::min<std::size_t>(4, (length - 16) / 64);
        EXPECT_EQ(pack.Entries().size(), length < 8 ? 0 : wholeRecords) << length;
        std::vector<std::uint8_t> bytes;
        // The last entry in file order ends where the file ends.
        EXPECT_EQ(pack.ReadEntry("Z_upper.png", bytes), length == whole.size()) << length;
    }
}

TEST(FilePackLoad, AMissingPackCanBeDetectedByToolsButEndsTheGame) {
    ScopedTempDir dir;
    CFilePackLoad pack;
    EXPECT_FALSE(pack.TryOpen("missing.dat"));
    EXPECT_FALSE(pack.TryOpen("."));  // a folder is not a pack
    EXPECT_TRUE(pack.Entries().empty());
    const FatalEnd end = CatchFatalEnd([&] { EXPECT_FALSE(pack.Open("missing.dat")); });
    EXPECT_TRUE(end.quit);
    EXPECT_EQ(end.exitCode, 0);
    EXPECT_NE(end.message.find("ファイルが見つかりません"), std::string::npos);
    EXPECT_TRUE(pack.Entries().empty());
    EXPECT_EQ(ReadWholeFile("log.txt"), "ファイルが見つかりません\n");
}

}  // namespace
