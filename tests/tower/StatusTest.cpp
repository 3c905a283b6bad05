#include <gtest/gtest.h>

#include <algorithm>

#include "resource/FileClass.h"
#include "tower/TowerBench.h"

namespace {

constexpr std::uint8_t kNoOptions[7] = {};

// Gives the panel's pictures textures of their own, so the draws show which piece was drawn.
gfx::Texture* Picture(const char* name) {
    g_FileClass.AddTexture(name, std::make_unique<gfx::Texture>(16, 16));
    return g_FileClass.FindTexture(name);
}

struct PanelPictures {
    PanelPictures() {
        for (const char* name : {"number.png", "upgrade.png", "upgrade_base.png"}) {
            Picture(name);
        }
    }
};

// The panel must find its pictures when the controller is built, so they come first.
struct PanelBench : PanelPictures, TowerBench {

    std::vector<RecordingDevice::Draw> DrawPanel(const std::uint8_t* options = kNoOptions) {
        field.device.draws.clear();
        lastDropped = ch().panel.Draw(std::span<const std::uint8_t, 7>(options, 7), prep, true);
        return field.device.draws;
    }

    static int Count(const std::vector<RecordingDevice::Draw>& draws, const char* texture) {
        gfx::Texture* const wanted = g_FileClass.FindTexture(texture);
        return static_cast<int>(std::count_if(draws.begin(), draws.end(), [&](const auto& d) { return d.texture == wanted; }));
    }

    // Glyphs of the next-level column, at x 560 on the row's line.
    static std::vector<RecordingDevice::Draw> NextColumn(const std::vector<RecordingDevice::Draw>& draws, float rowY) {
        gfx::Texture* const digits = g_FileClass.FindTexture("number.png");
        std::vector<RecordingDevice::Draw> glyphs;
        for (const auto& d : draws) {
            const float centreY = 0.5f * (d.vertices[0].y + d.vertices[2].y);
            if (d.texture == digits && d.vertices[0].x >= 545.0f && std::abs(centreY - rowY) < 1.0f) {
                glyphs.push_back(d);
            }
        }
        return glyphs;
    }

    static bool IsPlaceholder(const RecordingDevice::Draw& glyph) {
        return glyph.vertices[0].u == 6.0f / 8.0f && glyph.vertices[0].v == 0.5f;
    }

    bool lastDropped = false;
};

TEST(StatusPanel, BelowTheTopLevelTheUpgradeSectionShowsTheGains) {
    PanelBench bench;
    bench.Select(bench.Place(1, 144, 144));
    const auto draws = bench.DrawPanel();
    EXPECT_EQ(PanelBench::Count(draws, "upgrade_base.png"), 1);
    EXPECT_EQ(PanelBench::Count(draws, "upgrade.png"), 3);  // upgrade, release and replace
    // Attack 10 -> 20 shows "+10"; the range stays 60, which shows the placeholder, not "+0".
    const auto attack = PanelBench::NextColumn(draws, 294.0f);
    ASSERT_FALSE(attack.empty());
    EXPECT_FALSE(std::any_of(attack.begin(), attack.end(), PanelBench::IsPlaceholder));
    const auto range = PanelBench::NextColumn(draws, 318.0f);
    ASSERT_FALSE(range.empty());
    EXPECT_TRUE(std::all_of(range.begin(), range.end(), PanelBench::IsPlaceholder));
}

TEST(StatusPanel, ASoulTowerShowsNoGainsWhereNothingChanges) {
    PanelBench bench;
    bench.Select(bench.Place(10, 144, 144));
    const auto draws = bench.DrawPanel();
    for (float row : {294.0f, 318.0f}) {
        const auto gains = PanelBench::NextColumn(draws, row);
        ASSERT_FALSE(gains.empty()) << row;
        EXPECT_TRUE(std::all_of(gains.begin(), gains.end(), PanelBench::IsPlaceholder)) << row;
    }
}

TEST(StatusPanel, AtTheTopLevelThereIsNoUpgradeButtonAndNoNextFigures) {
    PanelBench bench;
    bench.prep = true;
    cBaseCharacterTank& tower = bench.Place(1, 144, 144);
    bench.Select(tower);
    for (int level = 0; level < 5; ++level) {
        bench.PressKey(kKeyU);
        bench.ch().UpgradeSelected(bench.input, bench.counters.points, true);
        bench.ReleaseKeys();
    }
    bench.ch().UpdateInfo(bench.input, true);
    ASSERT_EQ(bench.ch().panel.Level(), 5);
    const auto draws = bench.DrawPanel();
    EXPECT_EQ(PanelBench::Count(draws, "upgrade_base.png"), 0);
    EXPECT_EQ(PanelBench::Count(draws, "upgrade.png"), 2);  // release and replace only
    for (float row : {268.0f, 294.0f, 318.0f}) {
        EXPECT_TRUE(PanelBench::NextColumn(draws, row).empty()) << row;
    }
}

TEST(StatusPanel, TheReleaseButtonHidesDuringTheWavesWithTheSpellButtonOption) {
    PanelBench bench;
    bench.Select(bench.Place(1, 144, 144));
    const std::uint8_t spellButton[7] = {0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(PanelBench::Count(bench.DrawPanel(spellButton), "upgrade.png"), 2);
    bench.prep = true;
    EXPECT_EQ(PanelBench::Count(bench.DrawPanel(spellButton), "upgrade.png"), 3);
}

TEST(StatusPanel, ASelectedEnemyThatDiesIsLetGoOfOnTheNextDraw) {
    PanelBench bench;
    Enemy& enemy = bench.SpawnAt(200.0f, 200.0f, 50);
    Status& panel = bench.ch().panel;
    panel.SelectEnemy(enemy);
    panel.SetMode(PanelMode::Enemy);
    bench.DrawPanel();
    EXPECT_FALSE(bench.lastDropped);
    EXPECT_TRUE(panel.LockOnTarget().Is(&enemy));

    enemy.Damage(60.0, false, false);
    bench.DrawPanel();
    EXPECT_TRUE(bench.lastDropped);
    EXPECT_FALSE(panel.LockOnTarget().Exists());
    EXPECT_EQ(panel.Mode(), PanelMode::None);
    bench.DrawPanel();
    EXPECT_FALSE(bench.lastDropped);
}

TEST(StatusPanel, EnteringAnyOtherModeDropsTheLockOn) {
    PanelBench bench;
    Status& panel = bench.ch().panel;
    panel.SelectEnemy(bench.SpawnAt(200.0f, 200.0f));
    panel.SetMode(PanelMode::Enemy);
    EXPECT_TRUE(panel.LockOnTarget().Exists());
    panel.SetMode(PanelMode::Shop);
    EXPECT_FALSE(panel.LockOnTarget().Exists());
}

TEST(StatusPanel, TheEnemyViewShowsHealthRewardAndSpeed) {
    PanelBench bench;
    Enemy& enemy = bench.SpawnAt(200.0f, 200.0f, 321);
    bench.ch().panel.SelectEnemy(enemy);
    const auto draws = bench.DrawPanel();
    // Health 321, reward 5, speed with two decimals, each with its shadow; the level beside.
    gfx::Texture* const digits = g_FileClass.FindTexture("number.png");
    const auto glyphsOnRow = [&](float rowY) {
        return std::count_if(draws.begin(), draws.end(), [&](const auto& d) {
            return d.texture == digits && std::abs(0.5f * (d.vertices[0].y + d.vertices[2].y) - rowY) < 0.01f;
        });
    };
    EXPECT_EQ(glyphsOnRow(258.0f), 3);
    EXPECT_EQ(glyphsOnRow(284.0f), 1);
    EXPECT_EQ(glyphsOnRow(310.0f), 4);
}

}  // namespace
