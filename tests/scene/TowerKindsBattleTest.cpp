#include <gtest/gtest.h>

#include <algorithm>

#include <functional>

#include "enemy/Enemy.h"
#include "scene/GameHarness.h"
#include "tower/AmuletTanks.h"
#include "tower/ArdelShooters.h"
#include "tower/Ardel_Lantern.h"
#include "tower/Ardel_Pebble.h"
#include "tower/LaserTanks.h"
#include "tower/SoulTanks.h"
#include "tower/SoviaShooters.h"
#include "tower/Sovia_Planetar.h"
#include "tower/SpellTanks.h"
#include "tower/TankNormal.h"

namespace {

// The corridor's route runs through y 200..248 on easy; these plots line it.
constexpr int kNorth = 176;
constexpr int kSouth = 272;
// The option that makes the panel's release button and "S" fire a spell during the waves.
constexpr int kOptionSpellButton = 6;

field::StageRequest RichCorridor(int character) {
    field::StageRequest request;
    request.character = character;
    request.options[field::kOptionRichStart] = 1;
    request.options[kOptionSpellButton] = 1;
    return request;
}

template <class Kind>
const Kind& TowerOf(GameHarness& harness, int kind) {
    const auto& towers = harness.Game().Controller()->Towers(kind);
    EXPECT_EQ(towers.size(), 1u) << kind;
    return dynamic_cast<const Kind&>(*towers.front());
}

// Calls the waves in one after another, running the field until `seen` says all it waits for
// was seen, at most `frames` frames.
template <class Seen>
void RunWaves(GameHarness& harness, int frames, Seen seen) {
    for (int frame = 0; frame < frames && !seen(); ++frame) {
        if (frame % 30 == 0) {
            harness.Context().SetKey(kKeyN, 1);
        }
        harness.Frame();
    }
}

// Fires the spell tower on the plot: select it, then "S" with the spell button option.
void Trigger(GameHarness& harness, int x, int y) {
    harness.Click(x, y);
    harness.PressKey(kKeyS);
}

// A kind of the shop on its plot beside the corridor, and what shows that it is at work.
struct KindAtWork {
    int kind;
    int x;
    int y;
    std::function<bool(GameHarness&)> working;
};

template <class Bullet>
std::function<bool(GameHarness&)> Shooting(int kind) {
    return [kind](GameHarness& harness) { return !TowerOf<ShootingTank<Bullet>>(harness, kind).Bullets().empty(); };
}

// A ghost in the light: only the soul towers expose one.
bool AGhostIsExposed(GameHarness& harness) {
    const auto& enemies = harness.Game().Field()->Enemies();
    return std::any_of(enemies.begin(), enemies.end(),
                       [](const auto& enemy) { return SoulTank::IsGhost(*enemy) && enemy->exposeFrames > 0; });
}

// Every kind of the catalogue bought from the shop into one battle; the waves are called in until
// each non-spell kind was seen at work, then the spell (kind 9) is cast and seen at work too.
void EveryKindWorksInOneBattle(int character, const std::vector<KindAtWork>& kinds, const KindAtWork& spell) {
    GameHarness harness;
    harness.Open(RichCorridor(character));
    for (const KindAtWork& entry : kinds) {
        harness.Place(entry.kind, entry.x, entry.y);
    }
    harness.Place(spell.kind, spell.x, spell.y);
    harness.PressKey(kKeyD);
    for (int kind = 1; kind <= 10; ++kind) {
        ASSERT_EQ(harness.Game().Controller()->Towers(kind).size(), 1u) << kind;
    }
    std::vector<bool> seen(kinds.size(), false);
    RunWaves(harness, 8000, [&] {
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            seen[i] = seen[i] || kinds[i].working(harness);
        }
        return std::all_of(seen.begin(), seen.end(), [](bool at) { return at; });
    });
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        EXPECT_TRUE(seen[i]) << "kind " << kinds[i].kind << " never worked";
    }
    EXPECT_GT(harness.Game().Counters().lives, 0);
    Trigger(harness, spell.x, spell.y);
    harness.MoveTo(spell.x, 400);  // the beam's pointer, across the route
    EXPECT_TRUE(harness.RunUntil([&] { return spell.working(harness); }, 60)) << "the spell never worked";
}

TEST(TowerKindsBattle, EveryArdelKindPlacedInOneBattleIsSeenAtWork) {
    EveryKindWorksInOneBattle(
        0,
        {{1, 48, kNorth, Shooting<StraightBullet>(1)},
         {2, 112, kNorth, Shooting<HomingBullet>(2)},
         {3, 176, kNorth, Shooting<StraightBullet>(3)},
         {4, 272, kNorth, Shooting<StraightBullet>(4)},
         {5, 336, kNorth, Shooting<BraskAmuletBullet>(5)},
         {6, 48, kSouth, Shooting<PebbleBullet>(6)},
         {7, 112, kSouth, [](GameHarness& h) { return TowerOf<Ardel_Lantern>(h, 7).Glow(0).alpha > 0; }},
         {8, 176, kSouth, Shooting<SunburstBullet>(8)},
         {10, 336, kSouth, AGhostIsExposed}},
        {9, 272, kSouth, [](GameHarness& h) { return TowerOf<Ardel_Bomb>(h, 9).SpellFrame() > 0; }});
}

TEST(TowerKindsBattle, EverySoviaKindPlacedInOneBattleIsSeenAtWork) {
    EveryKindWorksInOneBattle(
        1,
        {{1, 48, kNorth, Shooting<StraightBullet>(1)},
         {2, 112, kNorth, [](GameHarness& h) { return TowerOf<Sovia_MirageLazer>(h, 2).Laser() != nullptr; }},
         {3, 176, kNorth, Shooting<StarDustMissileBullet>(3)},
         {4, 272, kNorth, Shooting<StraightBullet>(4)},
         {5, 336, kNorth, Shooting<ColdFrostfireBullet>(5)},
         {6, 48, kSouth, Shooting<StraightBullet>(6)},
         {7, 112, kSouth, Shooting<TerraRayBullet>(7)},
         {8, 176, kSouth, [](GameHarness& h) { return !TowerOf<Sovia_Planetar>(h, 8).Explosions().All().empty(); }},
         {10, 336, kSouth, AGhostIsExposed}},
        {9, 272, kSouth, [](GameHarness& h) {
             const GreatBeamBullet* beam = TowerOf<Sovia_Bomb>(h, 9).Beam();
             return beam != nullptr && beam->Firing();
         }});
}

TEST(TowerKindsBattle, ArdelsAmuletsSealsBarrierAndSoulWorkInABattle) {
    GameHarness harness;
    harness.Open(RichCorridor(0));
    harness.Place(2, 80, kNorth);
    harness.Place(5, 144, kNorth);
    harness.Place(8, 208, kNorth);
    harness.Place(9, 112, kSouth);
    harness.Place(10, 272, kNorth);
    harness.PressKey(kKeyD);

    bool homing = false;
    bool brask = false;
    bool seals = false;
    float widestRing = 0.0f;
    RunWaves(harness, 2000, [&] {
        homing = homing || !TowerOf<Ardel_HomingAmulet>(harness, 2).Bullets().empty();
        brask = brask || !TowerOf<Ardel_BraskAmulet>(harness, 5).Bullets().empty();
        seals = seals || !TowerOf<Ardel_Sunburst>(harness, 8).Bullets().empty();
        widestRing = std::max(widestRing, TowerOf<Ardel_Soul>(harness, 10).Radius());
        return homing && brask && seals && widestRing > 60.0f;
    });
    EXPECT_TRUE(homing);
    EXPECT_TRUE(brask);
    EXPECT_TRUE(seals);
    EXPECT_GT(widestRing, 60.0f);

    const int points = harness.Game().Counters().points;
    Trigger(harness, 112, kSouth);
    EXPECT_TRUE(TowerOf<Ardel_Bomb>(harness, 9).IsActivated());
    ASSERT_TRUE(harness.RunUntil([&] { return harness.Game().Controller()->Towers(9).empty(); }, 200));
    EXPECT_GE(harness.Game().Counters().points, points);  // a spent spell refunds nothing, costs nothing
}

TEST(TowerKindsBattle, SoviasLaserRaysBeamAndSoulWorkInABattle) {
    GameHarness harness;
    harness.Open(RichCorridor(1));
    harness.Place(2, 80, kNorth);
    harness.Place(7, 144, kSouth);
    harness.Place(9, 208, kNorth);
    harness.Place(10, 272, kSouth);
    harness.PressKey(kKeyD);

    bool laser = false;
    bool rays = false;
    RunWaves(harness, 4000, [&] {
        laser = laser || TowerOf<Sovia_MirageLazer>(harness, 2).Laser() != nullptr;
        rays = rays || !TowerOf<Sovia_TerraRay>(harness, 7).Bullets().empty();
        return laser && rays;
    });
    EXPECT_TRUE(laser);
    EXPECT_TRUE(rays);  // the spring fairies fly in with the seventeenth wave

    const float soulTurned = TowerOf<Sovia_Soul>(harness, 10).Direction();
    Trigger(harness, 208, kNorth);
    const Sovia_Bomb& beam = TowerOf<Sovia_Bomb>(harness, 9);
    ASSERT_NE(beam.Beam(), nullptr);
    harness.MoveTo(208, 400);  // the pointer turns the charging beam south, across the route
    harness.Frames(20);
    EXPECT_TRUE(beam.Beam()->Firing());
    EXPECT_NEAR(beam.Beam()->Angle(), 1.570796f, 1e-4f);
    EXPECT_NE(TowerOf<Sovia_Soul>(harness, 10).Direction(), soulTurned);
    ASSERT_TRUE(harness.RunUntil([&] { return harness.Game().Controller()->Towers(9).empty(); }, 400));
}

}  // namespace
