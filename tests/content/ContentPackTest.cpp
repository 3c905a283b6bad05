#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>

#include <sys/wait.h>

#include "Loudness.h"
#include "PitchProfile.h"
#include "WaveFile.h"
#include "audio/DirectSoundStream.h"
#include "gfx/ImageTexture.h"
#include "gfx/PngCodec.h"
#include "gfx/SoftwareDevice.h"
#include "resource/FileClass.h"
#include "resource/FilePackLoad.h"
#include "resource/ImageVariant.h"
#include "resource/RequiredAssets.h"
#include "support/TempDir.h"

namespace {

const std::string kGameDir = VELMORIA_GAME_DIR;

bool IsPowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

std::vector<std::uint8_t> Entry(const CFilePackLoad& pack, const std::string& name) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(pack.ReadEntry(name, bytes)) << name;
    return bytes;
}

// The generated packs, read with the game's own pack reader.
class ContentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        images_.TryOpen(kGameDir + "/wbk.dat");
        effects_.TryOpen(kGameDir + "/wbkse.dat");
        music_.TryOpen(kGameDir + "/wbkbgm.dat");
    }

    static gfx::Image Decode(const std::string& name) {
        gfx::Image image;
        const std::vector<std::uint8_t> bytes = Entry(images_, name);
        EXPECT_TRUE(gfx::DecodePng(bytes.data(), bytes.size(), image)) << name;
        return image;
    }

    static CFilePackLoad images_;
    static CFilePackLoad effects_;
    static CFilePackLoad music_;
};

CFilePackLoad ContentTest::images_;
CFilePackLoad ContentTest::effects_;
CFilePackLoad ContentTest::music_;

std::uint32_t Pixel(const gfx::Image& image, int x, int y) {
    return image.argb[static_cast<std::size_t>(y) * image.width + x];
}

int Alpha(std::uint32_t argb) { return static_cast<int>(argb >> 24); }

// Mean colour of a square region, as (r, g, b).
std::array<double, 3> MeanColour(const gfx::Image& image, int x0, int y0, int side) {
    std::array<double, 3> sum{};
    for (int y = y0; y < y0 + side; ++y) {
        for (int x = x0; x < x0 + side; ++x) {
            const std::uint32_t p = Pixel(image, x, y);
            sum[0] += (p >> 16) & 0xFF;
            sum[1] += (p >> 8) & 0xFF;
            sum[2] += p & 0xFF;
        }
    }
    for (double& s : sum) {
        s /= side * side;
    }
    return sum;
}

double Distance(const std::array<double, 3>& a, const std::array<double, 3>& b) {
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

// What the start-up scene does: load both packs into the registry and check every required asset.
TEST(ContentRegistry, TheGeneratedPacksPassTheStartUpCheck) {
    ScopedTempDir dir;
    for (const char* pack : {"wbk.dat", "wbkse.dat", "wbkbgm.dat"}) {
        std::filesystem::create_symlink(std::filesystem::path(kGameDir) / pack, dir.Path() / pack);
    }
    gfx::HeadlessFrameSink sink;
    gfx::SoftwareDevice device(&sink);
    FileClass registry;
    registry.LoadTexturePack("wbk.dat", &device);
    registry.LoadSoundPack("wbkse.dat");
    testing::internal::CaptureStderr();
    EXPECT_TRUE(registry.ValidateAssets());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    for (const char* name : required_assets::Sounds()) {
        ASSERT_NE(registry.FindSound(name), nullptr) << name;
        EXPECT_TRUE(registry.FindSound(name)->HasBuffer()) << name << " did not load as PCM";
    }
    CFilePackLoad music;
    ASSERT_TRUE(music.TryOpen("wbkbgm.dat"));
    for (const char* name : required_assets::MusicTracks()) {
        std::uint32_t offset = 0xFFFFFFFFu;
        music.FindOffset(name, offset);
        DirectSoundStream player;
        EXPECT_EQ(player.Load("wbkbgm.dat", offset), S_OK) << name;
    }
}

TEST_F(ContentTest, EveryRequiredTextureBecomesATextureWithPowerOfTwoSides) {
    gfx::HeadlessFrameSink sink;
    gfx::SoftwareDevice device(&sink);
    for (const char* name : required_assets::Textures()) {
        const std::vector<std::uint8_t> bytes = Entry(images_, name);
        EXPECT_NE(CreateTextureFromImageBytes(&device, bytes.data(), bytes.size()), nullptr) << name;
        const gfx::Image image = Decode(name);
        EXPECT_TRUE(IsPowerOfTwo(image.width) && IsPowerOfTwo(image.height))
            << name << " is " << image.width << " x " << image.height;
    }
    ASSERT_FALSE(images_.Entries().empty());
    for (const auto& [name, entry] : images_.Entries()) {
        EXPECT_LE(name.size(), 31u);
        EXPECT_EQ(name.find("bgm_"), std::string::npos) << name;
    }
}

// The pictures with words painted in them: menus, buttons, labels, the gauge's names, the
// screen headers and the logo's subtitle.
constexpr const char* kPicturesWithWords[] = {
    "title_select.png",  "title_menuselect.png", "gamestart.png",      "returntitle.png",   "stagename.png",
    "button_return.png", "music_edit.png",       "optionmenu.png",     "menu.png",          "menu_select.png",
    "gameinform2.png",   "enemykind_mozi.png",   "stuck.png",          "nowloading.png",    "titleback.png",
    "startup_back.png",  "gameselectback.png",   "musicroomback.png",  "optionback.png"};

TEST_F(ContentTest, EveryPictureWithWordsHasAnEnglishVariant) {
    for (const char* name : kPicturesWithWords) {
        EXPECT_EQ(images_.Entries().count(image_variant::NameIn(name, "en")), 1u) << name;
    }
}

// The game cuts a variant with the Japanese picture's rectangles, so it must be the same
// picture with other words in the same cells: the same size, words that differ, and on a clear
// sheet ink in exactly the 32-pixel bands the Japanese has ink in (a word in another band
// would show under the wrong button; the generator itself refuses words wider than their
// cell). On an opaque backdrop only the headers and labels change.
TEST_F(ContentTest, EnglishVariantsKeepTheJapaneseLayout) {
    constexpr int kBand = 32;
    std::size_t variants = 0;
    for (const auto& [name, entry] : images_.Entries()) {
        const std::size_t mark = name.find(".en.");
        if (mark == std::string::npos) {
            continue;
        }
        ++variants;
        SCOPED_TRACE(name);
        const std::string base = name.substr(0, mark) + name.substr(mark + 3);
        ASSERT_EQ(images_.Entries().count(base), 1u);
        const gfx::Image japanese = Decode(base);
        const gfx::Image english = Decode(name);
        ASSERT_EQ(english.width, japanese.width);
        ASSERT_EQ(english.height, japanese.height);
        const auto bands = static_cast<std::size_t>((japanese.height + kBand - 1) / kBand);
        std::vector<bool> japaneseInk(bands, false);
        std::vector<bool> englishInk(bands, false);
        std::size_t differing = 0;
        bool opaque = true;
        for (int y = 0; y < japanese.height; ++y) {
            for (int x = 0; x < japanese.width; ++x) {
                const std::uint32_t j = Pixel(japanese, x, y);
                const std::uint32_t e = Pixel(english, x, y);
                japaneseInk[static_cast<std::size_t>(y / kBand)] = japaneseInk[y / kBand] || Alpha(j) > 0;
                englishInk[static_cast<std::size_t>(y / kBand)] = englishInk[y / kBand] || Alpha(e) > 0;
                differing += j != e ? 1 : 0;
                opaque = opaque && Alpha(j) == 255;
            }
        }
        EXPECT_GT(differing, 0u) << "the same picture as the Japanese";
        EXPECT_NE(std::count(englishInk.begin(), englishInk.end(), true), 0) << "blank";
        if (opaque) {
            EXPECT_LT(differing, japanese.argb.size() / 10) << "more than the words changed";
            continue;
        }
        for (std::size_t band = 0; band < bands; ++band) {
            EXPECT_EQ(englishInk[band], japaneseInk[band]) << "band " << band;
        }
    }
    EXPECT_GE(variants, std::size(kPicturesWithWords));
}

TEST_F(ContentTest, SheetsKeepTheCellShapesTheGameCutsThemInto) {
    struct Expect {
        const char* name;
        int widthOverHeight;  // positive: w = n * h; negative: h = -n * w
    };
    const Expect shapes[] = {
        {"enemy_f_red.png", -2},     {"enemy_noctra.png", -2}, {"enemy_spirit2.png", -2}, {"ardel_animation.png", -2},
        {"sovia_animation.png", -2}, {"number.png", 4},        {"level_number.png", 4},   {"enemykind_color.png", 2},
        {"enemykind_mozi.png", 2},   {"ardel_tank.png", 1},    {"sovia_tank.png", 1},     {"menu.png", -2},
        {"gameinform2.png", 1},      {"score.png", 2},         {"explosion.png", 4}};
    for (const Expect& e : shapes) {
        const gfx::Image image = Decode(e.name);
        if (e.widthOverHeight > 0) {
            EXPECT_EQ(image.width, image.height * e.widthOverHeight) << e.name;
        } else {
            EXPECT_EQ(image.height, image.width * -e.widthOverHeight) << e.name;
        }
    }
    for (const char* name : {"stage_velkra_rouka.png", "stage_velkra_library.png", "stage_sky.png", "fieldwall.png",
                             "fieldwall_easy.png", "grid.png"}) {
        const gfx::Image image = Decode(name);
        EXPECT_EQ(image.width, 512) << name;
        EXPECT_EQ(image.height, 512) << name;
    }
}

TEST_F(ContentTest, PureGreenIsNeverPaintedSoTheColourKeyRemovesNothing) {
    for (const auto& [name, entry] : images_.Entries()) {
        const gfx::Image image = Decode(name);
        std::size_t keyed = 0;
        for (const std::uint32_t p : image.argb) {
            keyed += p == 0xFF00FF00u;
        }
        EXPECT_EQ(keyed, 0u) << name;
    }
}

TEST_F(ContentTest, EnemySheetsHaveAFigureInEveryCellAndTowerCellsAreOpaque) {
    for (const char* name : {"enemy_f_red.png", "enemy_wool.png", "enemy_bigwool.png", "enemy_evil.png",
                             "enemy_vernie.png", "enemy_crow.png", "enemy_spirit.png", "enemy_frelle.png"}) {
        const gfx::Image image = Decode(name);
        const int cw = image.width / 4;
        const int ch = image.height / 8;
        for (int cell = 0; cell < 32; ++cell) {
            int solid = 0;
            for (int y = 0; y < ch; ++y) {
                for (int x = 0; x < cw; ++x) {
                    solid += Alpha(Pixel(image, (cell % 4) * cw + x, (cell / 4) * ch + y)) > 128;
                }
            }
            EXPECT_GT(solid, cw * ch / 10) << name << " cell " << cell;
        }
    }
    for (const char* name : {"ardel_tank.png", "sovia_tank.png"}) {
        const gfx::Image image = Decode(name);
        const int side = image.width / 4;
        for (int cell = 0; cell < 10; ++cell) {
            const int x0 = (cell % 4) * side;
            const int y0 = (cell / 4) * side;
            EXPECT_EQ(Alpha(Pixel(image, x0 + 1, y0 + 1)), 255) << name << " cell " << cell;
            EXPECT_EQ(Alpha(Pixel(image, x0 + side / 2, y0 + side / 2)), 255) << name << " cell " << cell;
        }
    }
}

// Enemies are drawn 48 x 48 with linear filtering for the big variant, bullets are spun and
// scaled: a cell whose picture reaches its border would pick up its neighbour's edge.
TEST_F(ContentTest, SpritesKeepOneClearTexelInsideTheirCells) {
    struct Sheet {
        const char* name;
        int columns, rows;
    };
    const Sheet sheets[] = {{"enemy_f_red.png", 4, 8},  {"enemy_f_blue.png", 4, 8},   {"enemy_f_green.png", 4, 8},
                            {"enemy_f_yellow.png", 4, 8}, {"enemy_wool.png", 4, 8},   {"enemy_bigwool.png", 4, 8},
                            {"enemy_evil.png", 4, 8},   {"enemy_vernie.png", 4, 8},   {"enemy_crow.png", 4, 8},
                            {"enemy_spirit.png", 4, 8}, {"enemy_spirit2.png", 4, 8},  {"enemy_frelle.png", 4, 8},
                            {"enemy_noctra.png", 4, 8}, {"bullet.png", 8, 16}};
    for (const Sheet& sheet : sheets) {
        const gfx::Image image = Decode(sheet.name);
        const int cw = image.width / sheet.columns;
        const int ch = image.height / sheet.rows;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const bool border = x % cw == 0 || x % cw == cw - 1 || y % ch == 0 || y % ch == ch - 1;
                if (border) {
                    ASSERT_EQ(Alpha(Pixel(image, x, y)), 0)
                        << sheet.name << " cell (" << x / cw << ", " << y / ch << ") at " << x % cw << ", " << y % ch;
                }
            }
        }
    }
}

// The wave gauge draws a kind's name over its wave number inside the 64 x 32 frame, whose opening
// is about x 4..60, y 4..28: the name keeps to a plate along the lower edge of the opening, tall enough
// to read, and the number's digits keep above it.
TEST_F(ContentTest, KindNamesAreReadableAndClearOfTheWaveNumbers) {
    const gfx::Image names = Decode("enemykind_mozi.png");
    const int used[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15};  // kinds 1..13, and BIG! at (3, 3)
    for (const int cell : used) {
        const int x0 = (cell % 4) * 64;
        const int y0 = (cell / 4) * 32;
        int top = 32;
        int bottom = -1;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 64; ++x) {
                const std::uint32_t p = Pixel(names, x0 + x, y0 + y);
                if (Alpha(p) == 0) {
                    continue;
                }
                ASSERT_TRUE(x >= 4 && x < 60 && y >= 15 && y < 30)
                    << "cell " << cell << " paints at " << x << ", " << y;
                const int light = static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF)) / 3;
                if (light > 150) {
                    ASSERT_LT(y, 28) << "cell " << cell << ": letters run under the frame at " << x;
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        // Eight rows at the least (a five-letter katakana name shrinks to fit the width); the
        // dense kanji of 緑妖精, 鴉 and 幽霊 get ten or more.
        const bool dense = cell == 2 || cell == 9 || cell == 10;
        EXPECT_GE(bottom - top + 1, dense ? 10 : 8) << "cell " << cell << ": the name's letters are too small to read";
    }
    const gfx::Image digits = Decode("level_number.png");
    for (int digit = 0; digit < 10; ++digit) {
        for (int y = 16; y < 32; ++y) {  // the plate starts at 15.5
            for (int x = 0; x < 32; ++x) {
                ASSERT_LT(Alpha(Pixel(digits, (digit % 8) * 32 + x, (digit / 8) * 32 + y)), 64)
                    << "digit " << digit << " reaches the name plate at row " << y;
            }
        }
    }
}

// Mean colour of the solid pixels of a picture.
std::array<double, 3> InkColour(const gfx::Image& image) {
    std::array<double, 3> sum{};
    double count = 0;
    for (const std::uint32_t p : image.argb) {
        if (Alpha(p) > 200) {
            sum[0] += (p >> 16) & 0xFF;
            sum[1] += (p >> 8) & 0xFF;
            sum[2] += p & 0xFF;
            ++count;
        }
    }
    for (double& v : sum) {
        v /= std::max(count, 1.0);
    }
    return sum;
}

TEST_F(ContentTest, EveryEnemyKindLooksDifferent) {
    const char* sheets[] = {"enemy_f_red.png", "enemy_f_blue.png",  "enemy_f_green.png", "enemy_f_yellow.png",
                            "enemy_wool.png",  "enemy_bigwool.png", "enemy_evil.png",    "enemy_vernie.png",
                            "enemy_crow.png",  "enemy_spirit.png",  "enemy_spirit2.png", "enemy_frelle.png",
                            "enemy_noctra.png"};
    std::vector<std::array<double, 3>> colours;
    for (const char* name : sheets) {
        colours.push_back(InkColour(Decode(name)));
    }
    for (std::size_t i = 0; i < colours.size(); ++i) {
        for (std::size_t j = i + 1; j < colours.size(); ++j) {
            EXPECT_GT(Distance(colours[i], colours[j]), 12.0) << sheets[i] << " and " << sheets[j] << " look alike";
        }
    }
}

// Captions that run past the edge of their sheet are cut off in the game.
TEST_F(ContentTest, CaptionSheetsKeepTheirWordsInsideTheEdges) {
    for (const char* name :
         {"menu.png", "menu_select.png", "title_select.png", "lv_select.png", "stagename.png", "gameinform.png",
          "gameinform2.png", "nowloading.png", "on_off.png", "score.png", "stuck.png", "level.png", "gamestart.png",
          "returntitle.png", "optionmenu.png", "music_edit.png"}) {
        const gfx::Image image = Decode(name);
        for (int y = 0; y < image.height; ++y) {
            ASSERT_EQ(Alpha(Pixel(image, 0, y)), 0) << name << " left edge, row " << y;
            ASSERT_EQ(Alpha(Pixel(image, image.width - 1, y)), 0) << name << " right edge, row " << y;
        }
    }
}

// The game draws a 20-pixel digit every 11 pixels and a 30-pixel wave number every 18, so a
// digit's ink may fill only a little over half its cell before neighbours run into each other.
TEST_F(ContentTest, DigitsAreNarrowEnoughForTheirSpacing) {
    for (const auto& [name, fraction] : {std::pair{"number.png", 0.6}, std::pair{"level_number.png", 0.65}}) {
        const gfx::Image image = Decode(name);
        const int cell = image.width / 8;
        for (int digit = 0; digit < 10; ++digit) {
            const int x0 = (digit % 8) * cell;
            const int y0 = (digit / 8) * cell;
            int left = cell;
            int right = 0;
            for (int y = 0; y < cell; ++y) {
                for (int x = 0; x < cell; ++x) {
                    if (Alpha(Pixel(image, x0 + x, y0 + y)) > 64) {
                        left = std::min(left, x);
                        right = std::max(right, x + 1);
                    }
                }
            }
            ASSERT_LT(left, right) << name << " digit " << digit << " is empty";
            EXPECT_LE(right - left, cell * fraction) << name << " digit " << digit;
        }
    }
}

// Field pictures: one image pixel is one screen pixel plus 32, the central square is 64..448.
TEST_F(ContentTest, FieldOverlaysLeaveTheCentralSquareClearAndCoverTheBorder) {
    const gfx::Image easy = Decode("fieldwall_easy.png");
    const gfx::Image normal = Decode("fieldwall.png");
    for (const gfx::Image* overlay : {&easy, &normal}) {
        for (int y = 64; y < 448; y += 7) {
            for (int x = 64; x < 448; x += 7) {
                ASSERT_EQ(Alpha(Pixel(*overlay, x, y)), 0) << x << ", " << y;
            }
        }
        EXPECT_GT(Alpha(Pixel(*overlay, 20, 20)), 200);   // a corner of the wall
        EXPECT_GT(Alpha(Pixel(*overlay, 150, 40)), 200);  // the north wall beside the corridor
        EXPECT_LT(Alpha(Pixel(*overlay, 40, 256)), 128);  // the west entrance, open everywhere
    }
    // The north corridor is open except on easy.
    EXPECT_GT(Alpha(Pixel(easy, 256, 40)), 200);
    EXPECT_LT(Alpha(Pixel(normal, 256, 40)), 128);
}

// The screen frame is drawn over the whole screen after the field: the field must show through
// it, and the side panel (screen x 448..640) must be solid.
TEST_F(ContentTest, ScreenFrameIsOpenOverTheFieldAndSolidOverTheSidePanel) {
    const gfx::Image frame = Decode("gameback.png");
    const double sx = frame.width / 640.0;
    const double sy = frame.height / 480.0;
    auto at = [&](int x, int y) { return Alpha(Pixel(frame, static_cast<int>(x * sx), static_cast<int>(y * sy))); };
    for (int y = 20; y < 460; y += 11) {
        for (int x = 20; x < 428; x += 11) {
            ASSERT_EQ(at(x, y), 0) << "screen " << x << ", " << y;
        }
        EXPECT_EQ(at(500, y), 255) << "side panel at y " << y;
        EXPECT_EQ(at(630, y), 255) << "side panel at y " << y;
    }
}

TEST_F(ContentTest, LibraryShowsAnObstacleOnEachSceneryBlock) {
    const gfx::Image library = Decode("stage_velkra_library.png");
    const int blocks[11][2] = {{11, 11}, {29, 11}, {17, 12}, {23, 12}, {14, 20}, {20, 20},
                               {26, 20}, {17, 28}, {23, 28}, {11, 29}, {29, 29}};
    // Floor cells between the blocks, in the middle of the open square.
    const auto floorA = MeanColour(library, 16 * 21 - 96, 16 * 17 - 96, 32);
    const auto floorB = MeanColour(library, 16 * 12 - 96, 16 * 24 - 96, 32);
    for (const auto& block : blocks) {
        const auto shelf = MeanColour(library, 16 * block[0] - 96 + 8, 16 * block[1] - 96 + 8, 48);
        EXPECT_GT(std::min(Distance(shelf, floorA), Distance(shelf, floorB)), 40.0)
            << "block at cell " << block[0] << ", " << block[1];
    }
}

TEST_F(ContentTest, GridLinesFallOnCellEdges) {
    const gfx::Image grid = Decode("grid.png");
    for (int x = 64; x <= 448; x += 16) {
        const int edge = std::min(x, 447);
        EXPECT_GT(Alpha(Pixel(grid, edge, 200)) + Alpha(Pixel(grid, edge - 1, 200)), 20) << x;
    }
    EXPECT_EQ(Alpha(Pixel(grid, 72, 200)), 0);
    EXPECT_EQ(Alpha(Pixel(grid, 20, 20)), 0);
}

TEST_F(ContentTest, EveryEffectIsShortDistinctPcmAndTheSilentLoopIsSilent) {
    std::set<std::vector<std::uint8_t>> seen;
    for (const char* name : required_assets::Sounds()) {
        const std::vector<std::uint8_t> bytes = Entry(effects_, name);
        const WaveInfo wave = ParseWave(bytes);
        ASSERT_TRUE(wave.valid) << name;
        EXPECT_EQ(wave.bits, 16) << name;
        EXPECT_GT(wave.Seconds(), 0.02) << name;
        EXPECT_LT(wave.Seconds(), 2.5) << name;
        std::vector<float> samples;
        for (const std::int16_t s : wave.samples) {
            samples.push_back(static_cast<float>(s) / 32768.0f);
        }
        const float loudness = assetgen::Loudness(samples, wave.rate);
        if (std::string(name) == "nosound.wav") {
            EXPECT_EQ(assetgen::Peak(samples), 0.0f);
        } else {
            EXPECT_GT(loudness, -26.0f) << name << " is too quiet";
            EXPECT_LT(loudness, -10.0f) << name << " is too loud";
        }
        EXPECT_TRUE(seen.insert(bytes).second) << name << " repeats another effect";
    }
    ASSERT_FALSE(effects_.Entries().empty());
    for (const auto& [name, entry] : effects_.Entries()) {
        EXPECT_EQ(name.find("bgm_"), std::string::npos) << name;
    }
}

// A stage lasts about nine minutes: each track runs at least 90 s before it repeats, in more than
// one section, and its end flows back into its start.
TEST_F(ContentTest, MusicTracksAreLongSeamlessStereoLoopsOfSeveralSections) {
    for (const char* name : required_assets::MusicTracks()) {
        const WaveInfo wave = ParseWave(Entry(music_, name));
        ASSERT_TRUE(wave.valid) << name;
        EXPECT_EQ(wave.channels, 2) << name;
        EXPECT_GE(wave.Seconds(), 90.0) << name;
        // The jump from the last frame back to the first must look like the steps around it.
        const std::size_t frames = wave.samples.size() / 2;
        const std::size_t window = 2000;
        double around = 0;
        for (std::size_t i = 1; i < window; ++i) {
            around += std::abs(wave.samples[2 * i] - wave.samples[2 * i - 2]);
            around += std::abs(wave.samples[2 * (frames - i)] - wave.samples[2 * (frames - i) - 2]);
        }
        around /= 2.0 * (window - 1);
        const int seam = std::abs(wave.samples[0] - wave.samples[2 * frames - 2]);
        EXPECT_LE(seam, 6.0 * around + 8.0) << name;

        // Sections: at no shift of 8 s or more does the track's harmony match itself throughout,
        // as a short passage played over and over would (checked on its first 30 s repeated).
        std::vector<float> mono(frames);
        for (std::size_t i = 0; i < frames; ++i) {
            mono[i] = (wave.samples[2 * i] + wave.samples[2 * i + 1]) / 65536.0f;
        }
        constexpr double kStretch = 1.5;
        const auto lag = static_cast<std::size_t>(8.0 / kStretch);
        const double self = BestSelfMatch(ProfileSequence(mono, wave.rate, kStretch), lag);
        EXPECT_LT(self, 0.6) << name << " keeps repeating one passage";
        const auto passage = static_cast<std::size_t>(20 * kStretch * wave.rate);
        std::vector<float> looped;
        for (int round = 0; round < 3; ++round) {
            looped.insert(looped.end(), mono.begin(), mono.begin() + static_cast<std::ptrdiff_t>(passage));
        }
        EXPECT_GT(BestSelfMatch(ProfileSequence(looped, wave.rate, kStretch), lag), 0.95) << name;
    }
}

std::filesystem::path Generator() {
    return std::filesystem::path(kGameDir).parent_path() / "tools" / "assetgen" / "velmoria-assetgen";
}

TEST(ContentGeneration, AFolderThatDoesNotExistIsNamedAndRefused) {
    ScopedTempDir temp;
    for (const char* option : {"--review", "--out"}) {
        const std::string errors = (temp.Path() / "errors.txt").string();
        const std::string command = "'" + Generator().string() + "' " + option + " '" + temp.Path().string() +
                                    "/missing' > /dev/null 2> '" + errors + "'";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << option;
        EXPECT_EQ(WEXITSTATUS(status), 1) << option;
        EXPECT_NE(ReadWholeFile(errors).find("missing' does not exist"), std::string::npos) << ReadWholeFile(errors);
    }
}

TEST(ContentGeneration, RunningTheGeneratorAgainGivesTheSameBytes) {
    const std::filesystem::path generator = Generator();
    ASSERT_TRUE(std::filesystem::exists(generator)) << generator;
    ScopedTempDir temp;
    const std::filesystem::path notes =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data" / "music_room.txt";
    const std::string command = "'" + generator.string() + "' --out '" + temp.Path().string() + "' --notes '" +
                                notes.string() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* pack : {"wbk.dat", "wbkse.dat", "wbkbgm.dat"}) {
        const std::string fresh = ReadWholeFile(temp.Path() / pack);
        EXPECT_FALSE(fresh.empty()) << pack;
        EXPECT_TRUE(fresh == ReadWholeFile(std::filesystem::path(kGameDir) / pack)) << pack << " differs";
    }
}

}  // namespace
