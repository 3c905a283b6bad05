#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "ContentPack.h"
#include "WaveFile.h"
#include "gfx/ImageTexture.h"
#include "gfx/PngCodec.h"
#include "gfx/SoftwareDevice.h"
#include "support/TempDir.h"

namespace {

const std::string kGameDir = VELMORIA_GAME_DIR;

const char* const kRequiredTextures[] = {
    "bullet.png", "color.png", "cursor.png", "cursor_s.png", "circle_wb.png", "ef_circle.png", "enemy_bigwool.png",
    "enemy_crow.png", "enemy_evil.png", "enemy_f_blue.png", "enemy_f_green.png", "enemy_f_red.png",
    "enemy_f_yellow.png", "enemy_vernie.png", "enemy_spirit.png", "enemy_spirit2.png", "enemy_wool.png",
    "enemy_frelle.png", "enemy_noctra.png", "enemykind_color.png", "enemykind_mozi.png", "explosion.png",
    "fieldwall.png", "fieldwall_easy.png", "flare.png", "gameback.png", "gameback_formusic.png", "gameinform.png",
    "gameinform2.png", "gameinform_base.png", "gamestart.png", "gameselectback.png", "gauge_flame.png", "grid.png",
    "hatena.png", "kekkai.png", "level.png", "level_number.png", "levelflame.png", "life_icon.png", "light_ball.png",
    "light_ball_reverse.png", "light_wave.png", "light_wave2.png", "light_pebble.png", "lv_select.png",
    "mahouzin.png", "mahouzin_beam.png", "music_edit.png", "musicroomback.png", "sovia_animation.png",
    "sovia_tank.png", "sovia_soul.png", "menu.png", "menu_select.png", "ruvani.png", "m_beam.png",
    "nowloading.png", "number.png", "optionback.png", "optionmenu.png", "on_off.png", "p.png", "ardel_soul.png",
    "ardel_animation.png", "ardel_tank.png", "returntitle.png", "noctra_dark.png", "score.png", "score_b.png",
    "smoke.png", "sikaku.png", "speed_icon.png", "spread.png", "spread_icon.png", "stageicon_flame.png",
    "stagename.png", "stage_velkra_rouka.png", "stage_velkra_library.png", "stage_sky.png", "startup_back.png",
    "status_base.png", "stuck.png", "sword_icon.png", "tama.png", "tankbase.png", "target.png", "titleback.png",
    "title_select.png", "title_menuselect.png", "towerground.png", "upgrade.png", "upgrade_base.png", "wind.png"};

const char* const kRequiredEffects[] = {
    "cansell.wav", "decide.wav", "gamedecide.wav", "itemget.wav", "lockon.wav", "menu_open.wav", "nosound.wav",
    "powerup.wav", "put.wav", "putoncursor.wav", "select.wav", "sell.wav", "stuck.wav", "soulhit.wav",
    "enemy_appear.wav", "enemy_damage.wav", "enemy_dead.wav", "enemy_goal.wav", "ardel_normalshot.wav",
    "ardel_spindle.wav", "ardel_braskamuret.wav", "ardel_lantern.wav", "ardel_sunburst.wav", "ardel_gale.wav",
    "ardel_shot_break.wav", "ardel_bomb.wav", "sovia_ray_lazar.wav", "sovia_spread_shot.wav",
    "sovia_spread_bomb.wav", "sovia_misile.wav", "sovia_nebula.wav", "sovia_planetar_born.wav",
    "sovia_planetar_explo.wav", "sovia_planetar_hit.wav", "sovia_beamcharge.wav"};

const char* const kMusic[] = {"bgm_title.wav", "bgm_prepare.wav", "bgm_marsh.wav", "bgm_lorn.wav", "bgm_sky.wav"};

bool IsPowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

class ContentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        images_.Load(kGameDir + "/wbk.dat");
        effects_.Load(kGameDir + "/wbkse.dat");
        music_.Load(kGameDir + "/wbkbgm.dat");
    }

    static gfx::Image Decode(const std::string& name) {
        gfx::Image image;
        const std::vector<std::uint8_t> bytes = images_.Bytes(name);
        EXPECT_TRUE(gfx::DecodePng(bytes.data(), bytes.size(), image)) << name;
        return image;
    }

    static ContentPack images_;
    static ContentPack effects_;
    static ContentPack music_;
};

ContentPack ContentTest::images_;
ContentPack ContentTest::effects_;
ContentPack ContentTest::music_;

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

TEST_F(ContentTest, EveryRequiredTextureBecomesATextureWithPowerOfTwoSides) {
    gfx::HeadlessFrameSink sink;
    gfx::SoftwareDevice device(&sink);
    for (const char* name : kRequiredTextures) {
        ASSERT_TRUE(images_.Has(name)) << name;
        const std::vector<std::uint8_t> bytes = images_.Bytes(name);
        EXPECT_NE(CreateTextureFromImageBytes(&device, bytes.data(), bytes.size()), nullptr) << name;
        const gfx::Image image = Decode(name);
        EXPECT_TRUE(IsPowerOfTwo(image.width) && IsPowerOfTwo(image.height))
            << name << " is " << image.width << " x " << image.height;
    }
    for (const auto& [name, entry] : images_.Entries()) {
        EXPECT_LE(name.size(), 31u);
        EXPECT_EQ(name.find("bgm_"), std::string::npos) << name;
    }
}

TEST_F(ContentTest, SheetsKeepTheCellShapesTheGameCutsThemInto) {
    struct Expect {
        const char* name;
        int widthOverHeight;  // positive: w = n * h; negative: h = -n * w
    };
    const Expect shapes[] = {{"enemy_f_red.png", -2},   {"enemy_noctra.png", -2},     {"enemy_spirit2.png", -2},
                             {"ardel_animation.png", -2}, {"sovia_animation.png", -2}, {"number.png", 4},
                             {"level_number.png", 4},     {"enemykind_color.png", 2}, {"enemykind_mozi.png", 2},
                             {"ardel_tank.png", 1},       {"sovia_tank.png", 1},      {"menu.png", -2},
                             {"gameinform2.png", 1},      {"score.png", 2},           {"explosion.png", 4}};
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
        EXPECT_GT(Alpha(Pixel(*overlay, 20, 20)), 200);    // a corner of the wall
        EXPECT_GT(Alpha(Pixel(*overlay, 150, 40)), 200);   // the north wall beside the corridor
        EXPECT_LT(Alpha(Pixel(*overlay, 40, 256)), 128);   // the west entrance, open everywhere
    }
    // The north corridor is open except on easy.
    EXPECT_GT(Alpha(Pixel(easy, 256, 40)), 200);
    EXPECT_LT(Alpha(Pixel(normal, 256, 40)), 128);
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
    for (const char* name : kRequiredEffects) {
        ASSERT_TRUE(effects_.Has(name)) << name;
        const std::vector<std::uint8_t> bytes = effects_.Bytes(name);
        const WaveInfo wave = ParseWave(bytes);
        ASSERT_TRUE(wave.valid) << name;
        EXPECT_EQ(wave.bits, 16) << name;
        EXPECT_GT(wave.Seconds(), 0.02) << name;
        EXPECT_LT(wave.Seconds(), 2.5) << name;
        int loudest = 0;
        for (const std::int16_t s : wave.samples) {
            loudest = std::max(loudest, std::abs(static_cast<int>(s)));
        }
        if (std::string(name) == "nosound.wav") {
            EXPECT_EQ(loudest, 0);
        } else {
            EXPECT_GT(loudest, 8000) << name << " is too quiet";
        }
        EXPECT_TRUE(seen.insert(bytes).second) << name << " repeats another effect";
    }
    for (const auto& [name, entry] : effects_.Entries()) {
        EXPECT_EQ(name.find("bgm_"), std::string::npos) << name;
    }
}

TEST_F(ContentTest, MusicTracksAreLongSeamlessStereoLoops) {
    for (const char* name : kMusic) {
        ASSERT_TRUE(music_.Has(name)) << name;
        const WaveInfo wave = ParseWave(music_.Bytes(name));
        ASSERT_TRUE(wave.valid) << name;
        EXPECT_EQ(wave.channels, 2) << name;
        EXPECT_GE(wave.Seconds(), 30.0) << name;
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
    }
}

TEST(ContentGeneration, RunningTheGeneratorAgainGivesTheSameBytes) {
    const std::filesystem::path generator =
        std::filesystem::path(kGameDir).parent_path() / "tools" / "assetgen" / "velmoria-assetgen";
    ASSERT_TRUE(std::filesystem::exists(generator)) << generator;
    ScopedTempDir temp;
    const std::string command = "'" + generator.string() + "' --out '" + temp.Path().string() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* pack : {"wbk.dat", "wbkse.dat", "wbkbgm.dat"}) {
        const std::string fresh = ReadWholeFile(temp.Path() / pack);
        EXPECT_FALSE(fresh.empty()) << pack;
        EXPECT_TRUE(fresh == ReadWholeFile(std::filesystem::path(kGameDir) / pack)) << pack << " differs";
    }
}

}  // namespace
