#include "resource/FileClass.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "audio/WaveBuilder.h"
#include "base/Language.h"
#include "gfx/PngCodec.h"
#include "gfx/SoftwareDevice.h"
#include "resource/FilePackLoad.h"
#include "resource/ImageVariant.h"
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
    ASSERT_EQ(registry.SilentLoop(), registry.FindSound("nosound.wav"));
    const audio::SoundBuffer* silentLoop = registry.SilentLoop()->Buffer();
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

// Puts a language with an empty catalogue in use for the test's span, and Japanese back after.
class ScopedLanguage {
public:
    ScopedLanguage(const std::string& code, const std::filesystem::path& folder) {
        std::ofstream(folder / (code + ".mo"), std::ios::binary)
            << std::string("\xde\x12\x04\x95\0\0\0\0\0\0\0\0\x1c\0\0\0\x1c\0\0\0\0\0\0\0\0\0\0\0", 28);
        std::string error;
        EXPECT_TRUE(language::Use(code, folder, error)) << error;
    }
    ~ScopedLanguage() {
        std::string error;
        language::Use("ja", {}, error);
    }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;
};

TEST(ImageVariant, TheLanguageCodeGoesBeforeTheExtension) {
    EXPECT_EQ(image_variant::NameIn("menu.png", "en"), "menu.en.png");
    EXPECT_EQ(image_variant::NameIn("enemykind_mozi.png", "pt_BR"), "enemykind_mozi.pt_BR.png");
    EXPECT_EQ(image_variant::NameIn("a.b.png", "en"), "a.b.en.png");
    EXPECT_EQ(image_variant::NameIn("plain", "en"), "plain.en");
}

// A picture with words shows the language in use: its variant where the pack has one, the
// Japanese picture where it has none, the Japanese again once Japanese is back; both the
// registry and a pack read before the registry is filled choose so.
TEST_F(RegistryFixture, PicturesWithWordsFollowTheLanguageInUse) {
    constexpr std::uint32_t kJapanese = 0xFF0000FFu;
    constexpr std::uint32_t kEnglish = 0xFFFF0000u;
    constexpr std::uint32_t kPlain = 0xFF336699u;
    WritePack("wbk.dat", {{"menu.png", TinyPng(kJapanese), 0},
                          {"menu.en.png", TinyPng(kEnglish), 0},
                          {"tama.png", TinyPng(kPlain), 0}});
    registry.LoadTexturePack("wbk.dat", &device);
    CFilePackLoad pack;
    ASSERT_TRUE(pack.TryOpen("wbk.dat", &device));
    const auto colour = [](const gfx::Texture* texture) { return texture != nullptr ? texture->Pixels()[0] : 0u; };

    EXPECT_EQ(colour(registry.FindTexture("menu.png")), kJapanese);
    EXPECT_EQ(colour(pack.GetPicture("menu.png").get()), kJapanese);
    {
        const ScopedLanguage english("en", dir.Path());
        EXPECT_EQ(colour(registry.FindTexture("menu.png")), kEnglish);
        EXPECT_EQ(colour(pack.GetPicture("menu.png").get()), kEnglish);
        EXPECT_EQ(colour(registry.FindTexture("tama.png")), kPlain);
        EXPECT_EQ(colour(pack.GetPicture("tama.png").get()), kPlain);
        EXPECT_EQ(colour(registry.FindExactTexture("menu.png")), kJapanese);
        EXPECT_EQ(colour(pack.GetTexture("menu.png").get()), kJapanese);
    }
    {
        const ScopedLanguage other("fr", dir.Path());  // installed, but no pictures of its own
        EXPECT_EQ(colour(registry.FindTexture("menu.png")), kJapanese);
        EXPECT_EQ(colour(pack.GetPicture("menu.png").get()), kJapanese);
    }
    EXPECT_EQ(colour(registry.FindTexture("menu.png")), kJapanese);
}

// Every required picture must be there in Japanese: an English variant does not stand in for it.
TEST_F(RegistryFixture, AVariantDoesNotStandInForAMissingRequiredPicture) {
    WriteCompletePacks("menu.png");
    std::vector<pack::Entry> images = EntriesFor(required_assets::Textures(), TinyPng(0xFF00FF00u), "menu.png");
    images.push_back({"menu.en.png", TinyPng(0xFFFF0000u), 0});
    WritePack("wbk.dat", images);
    const ScopedLanguage english("en", dir.Path());
    testing::internal::CaptureStderr();
    EXPECT_FALSE(LoadAndValidate());
    testing::internal::GetCapturedStderr();
}

// The packs the build generates must satisfy the registry: every required asset present, every
// effect and track a WAVE the game can play, and not one message on the way.
TEST(GeneratedPacks, LoadValidateAndPlayWithoutAMessage) {
    const std::filesystem::path game = VELMORIA_GAME_DIR;
    if (!std::filesystem::exists(game / "wbkbgm.dat")) {
        GTEST_SKIP() << "no generated packs in " << game;
    }
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(game);
    gfx::HeadlessFrameSink sink;
    gfx::SoftwareDevice device(&sink);
    testing::internal::CaptureStderr();
    {
        FileClass registry;
        registry.LoadTexturePack("wbk.dat", &device);
        registry.LoadSoundPack("wbkse.dat");
        EXPECT_TRUE(registry.ValidateAssets());
        for (const char* name : required_assets::Sounds()) {
            EXPECT_TRUE(registry.FindSound(name)->HasBuffer()) << name;
        }
        CFilePackLoad music;
        music.Open("wbkbgm.dat");
        for (const char* name : required_assets::MusicTracks()) {
            std::uint32_t offset = 0xFFFFFFFFu;
            music.FindOffset(name, offset);
            EXPECT_EQ(registry.Music().Load("wbkbgm.dat", offset), S_OK) << name;
        }
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    std::filesystem::current_path(previous);
}

}  // namespace
