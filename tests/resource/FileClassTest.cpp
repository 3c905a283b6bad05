#include "resource/FileClass.h"

#include <gtest/gtest.h>

#include "audio/WaveBuilder.h"
#include "gfx/PngCodec.h"
#include "gfx/SoftwareDevice.h"
#include "resource/PackTestFiles.h"
#include "resource/RequiredAssets.h"
#include "support/TempDir.h"

namespace {

constexpr std::uint32_t kKey = 0x2468ACE1u;
constexpr const char kMissingSound[] = "[] SEを取得する事が出来ませんでした\n";

std::vector<std::uint8_t> TinyPng(std::uint32_t colour, int width = 1, int height = 1) {
    const std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), colour);
    std::vector<std::uint8_t> png;
    EXPECT_TRUE(gfx::EncodePng(pixels.data(), width, height, png));
    return png;
}

std::vector<std::uint8_t> TinyWave() { return MakeWave(WaveSpec{}, Pcm16(Sawtooth(64))); }

void WritePack(const std::string& path, const std::vector<pack::Entry>& entries) {
    std::string error;
    ASSERT_TRUE(pack::WritePackFile(path, entries, kKey, error)) << error;
}

std::vector<pack::Entry> EntriesFor(std::span<const char* const> names, const std::vector<std::uint8_t>& bytes,
                                    const char* except = "") {
    std::vector<pack::Entry> entries;
    for (const char* name : names) {
        if (std::string(name) != except) {
            entries.push_back({name, bytes, 0});
        }
    }
    return entries;
}

struct RegistryFixture : testing::Test {
    ScopedTempDir dir;
    gfx::HeadlessFrameSink sink;
    gfx::SoftwareDevice device{&sink};
    FileClass registry;

    // Every required asset, less the one named.
    void WriteCompletePacks(const char* except = "") {
        std::vector<pack::Entry> images = EntriesFor(required_assets::Textures(), TinyPng(0xFF00FF00u), except);
        images.push_back({"zz_extra.png", TinyPng(0xFF123456u, 3, 2), 0});
        WritePack("wbk.dat", images);
        WritePack("wbkse.dat", EntriesFor(required_assets::Sounds(), TinyWave(), except));
        WritePack("wbkbgm.dat", EntriesFor(required_assets::MusicTracks(), TinyWave(), except));
    }

    bool LoadAndValidate() {
        registry.LoadTexturePack("wbk.dat", &device);
        registry.LoadSoundPack("wbkse.dat");
        return registry.ValidateAssets();
    }
};

TEST_F(RegistryFixture, CompletePacksValidateAndExtraImagesCanBeFetched) {
    WriteCompletePacks();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(LoadAndValidate());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    const gfx::Texture* extra = registry.FindTexture("zz_extra.png");
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(extra->Width(), 4);
    EXPECT_EQ(extra->Pixels()[0], 0xFF123456u);
    EXPECT_TRUE(registry.HasTexture("tama.png"));
    EXPECT_EQ(registry.FindTexture("Tama.png"), nullptr);  // names are case-sensitive
    ASSERT_NE(registry.FindSound("decide.wav"), nullptr);
    EXPECT_TRUE(registry.FindSound("decide.wav")->HasBuffer());
}

TEST_F(RegistryFixture, TheSilentLoopPlaysFromTheStartForever) {
    WriteCompletePacks();
    ASSERT_TRUE(LoadAndValidate());
    const audio::SoundBuffer* silentLoop = registry.FindSound("nosound.wav")->Buffer();
    ASSERT_NE(silentLoop, nullptr);
    EXPECT_TRUE(silentLoop->Playing());
    EXPECT_TRUE(silentLoop->Looping());
    EXPECT_FALSE(registry.FindSound("decide.wav")->Buffer()->Playing());
}

TEST_F(RegistryFixture, MusicEntriesInTheEffectPackAreNotEffects) {
    WritePack("wbkse.dat", {{"bgm_title.wav", TinyWave(), 0},
                            {"title_bgm_x.wav", TinyWave(), 0},
                            {"nosound.wav", TinyWave(), 0},
                            {"put.wav", TinyWave(), 0}});
    registry.LoadSoundPack("wbkse.dat");
    testing::internal::CaptureStderr();
    EXPECT_EQ(registry.FindSound("bgm_title.wav"), nullptr);
    EXPECT_EQ(registry.FindSound("title_bgm_x.wav"), nullptr);  // "bgm_" anywhere in the name
    EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string(kMissingSound) + kMissingSound);
    EXPECT_NE(registry.FindSound("put.wav"), nullptr);
}

TEST_F(RegistryFixture, AnEffectPackWithoutTheSilentLoopSaysSoOnceAndFailsValidation) {
    WriteCompletePacks("nosound.wav");
    registry.LoadTexturePack("wbk.dat", &device);
    testing::internal::CaptureStderr();
    registry.LoadSoundPack("wbkse.dat");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), kMissingSound);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(registry.ValidateAssets());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), kMissingSound);
}

TEST_F(RegistryFixture, AnyMissingRequiredAssetFailsValidation) {
    for (const char* missing : {"wind.png", "bullet.png", "sovia_beamcharge.wav", "bgm_sky.wav"}) {
        WriteCompletePacks(missing);
        FileClass fresh;
        fresh.LoadTexturePack("wbk.dat", &device);
        testing::internal::CaptureStderr();
        fresh.LoadSoundPack("wbkse.dat");
        EXPECT_FALSE(fresh.ValidateAssets()) << missing;
        testing::internal::GetCapturedStderr();
    }
    // An image that is present but does not decode counts as missing.
    WriteCompletePacks();
    std::vector<pack::Entry> images = EntriesFor(required_assets::Textures(), TinyPng(0xFF00FF00u), "grid.png");
    images.push_back({"grid.png", BytesOf("not a png"), 0});
    WritePack("wbk.dat", images);
    EXPECT_FALSE(LoadAndValidate());
    EXPECT_TRUE(registry.HasTexture("grid.png"));
    EXPECT_EQ(registry.FindTexture("grid.png"), nullptr);
}

TEST_F(RegistryFixture, DamagedEffectsStayRegisteredButSilent) {
    WritePack("wbkse.dat", {{"nosound.wav", TinyWave(), 0}, {"broken.wav", BytesOf("RIFF????AVI junk"), 0}});
    testing::internal::CaptureStderr();
    registry.LoadSoundPack("wbkse.dat");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "[ lol ] これはWAVファイルではありません\n");
    DirectSound* broken = registry.FindSound("broken.wav");
    ASSERT_NE(broken, nullptr);
    EXPECT_FALSE(broken->HasBuffer());
    broken->PlayFromStart();
}

TEST_F(RegistryFixture, AddingATakenNameKeepsTheFirstTexture) {
    auto first = std::make_unique<gfx::Texture>(2, 2);
    const gfx::Texture* kept = first.get();
    registry.AddTexture("tama.png", std::move(first));
    registry.AddTexture("tama.png", std::make_unique<gfx::Texture>(8, 8));
    EXPECT_EQ(registry.FindTexture("tama.png"), kept);
    registry.AddTexture("hole.png", nullptr);
    EXPECT_TRUE(registry.HasTexture("hole.png"));
    EXPECT_EQ(registry.FindTexture("hole.png"), nullptr);
    EXPECT_FALSE(registry.HasTexture("absent.png"));
}

TEST_F(RegistryFixture, VolumesGoToEveryEffectAndTheMusic) {
    WritePack("wbkse.dat", {{"nosound.wav", TinyWave(), 0}, {"put.wav", TinyWave(), 0}});
    registry.LoadSoundPack("wbkse.dat");
    registry.SetVolumes(50, 0);
    EXPECT_EQ(registry.FindSound("put.wav")->Buffer()->Volume(), -10000);
    EXPECT_EQ(registry.FindSound("nosound.wav")->Volume(), -10000);
    EXPECT_EQ(registry.Music().BaseVolume(), -1500);
}

}  // namespace
