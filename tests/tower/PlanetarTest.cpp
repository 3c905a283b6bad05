#include <gtest/gtest.h>

#include <cmath>

#include "tower/KindRig.h"
#include "tower/Sovia_Planetar.h"

namespace {

using Rig = KindRig<Exposed<Sovia_Planetar>>;

// Frames between two bits: the charge drains from full, then the clock must pass the interval.
int BitPeriod(const Rig& rig) {
    return Sovia_Planetar::kFullCharge / Sovia_Planetar::kChargeDrain + rig.tower.FireInterval() + 1;
}

TEST(Planetar, BitsAreChargedOneByOneUpToTheLevelsCount) {
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        Rig rig;
        rig.RaiseTo(level);
        const int bits = Sovia_Planetar::MaxBits(level);
        const std::vector<int> born = rig.FiringFrames(BitPeriod(rig) * (bits + 2));
        ASSERT_EQ(static_cast<int>(born.size()), bits) << level;
        // A new tower makes its first bit at once, then one per charge cycle.
        EXPECT_EQ(born[0], 1);
        for (std::size_t i = 1; i < born.size(); ++i) {
            EXPECT_EQ(born[i] - born[i - 1], BitPeriod(rig)) << level;
        }
        EXPECT_EQ(rig.tower.OrbitingBits(), bits);
        EXPECT_FALSE(rig.tower.Charging());
        // The bits spread evenly round the tower at their orbit.
        for (const auto& bit : rig.tower.Bullets()) {
            EXPECT_EQ(bit->OrbitRadius(), Sovia_Planetar::kOrbitRadius);
            EXPECT_NEAR(std::hypot(bit->x - Rig::kAt, bit->y - Rig::kAt), Sovia_Planetar::kOrbitRadius, 1e-3f);
            EXPECT_EQ(bit->width, 16.0f);
            EXPECT_EQ(bit->HitRadius(), 6.0f);
        }
        // Each bit loses a step as it wraps past 360, so the spacing may be one step off for a
        // moment.
        const auto& all = rig.tower.Bullets();
        for (std::size_t i = 1; i < all.size(); ++i) {
            const int apart = (all[i]->OrbitAngle() - all[0]->OrbitAngle() + 360) % 360;
            EXPECT_LE(std::abs(apart - static_cast<int>(i) * 360 / bits), PlanetarBullet::kDegreesPerFrame) << level;
        }
    }
    const int most[] = {4, 4, 5, 5, 5, 6};
    for (int level = 0; level <= tower::kMaxLevel; ++level) {
        EXPECT_EQ(Sovia_Planetar::MaxBits(level), most[level]) << level;
    }
}

TEST(Planetar, TheChargeDrainsWhileChargingAndRefillsAfter) {
    Rig rig;
    rig.FiringFrames(2);  // the first bit
    for (int frame = 0; frame < 60; ++frame) {
        rig.Frame();
    }
    EXPECT_EQ(rig.tower.ChargeValue(), Sovia_Planetar::kFullCharge);
    while (!rig.tower.Charging()) {
        rig.Frame();
    }
    EXPECT_EQ(rig.tower.ChargeValue(), Sovia_Planetar::kFullCharge - Sovia_Planetar::kChargeDrain);
    rig.Frame();
    EXPECT_EQ(rig.tower.ChargeValue(), Sovia_Planetar::kFullCharge - 2 * Sovia_Planetar::kChargeDrain);
}

// Runs a tower until all its bits circle at full orbit.
void ChargeFully(Rig& rig) {
    const int bits = Sovia_Planetar::MaxBits(rig.tower.Level());
    rig.FiringFrames(BitPeriod(rig) * (bits - 1) + 2 + 40);
    ASSERT_EQ(rig.tower.OrbitingBits(), bits);
}

TEST(Planetar, FullyChargedBitsFlyAtALockOnTargetWithinRange) {
    Rig rig;
    ChargeFully(rig);
    Enemy& far = rig.SpawnNear(0.0f, 160.0f);
    rig.lockOn = far.Ref();
    for (int frame = 0; frame < 10; ++frame) {
        rig.Frame();
    }
    EXPECT_EQ(rig.tower.OrbitingBits(), Sovia_Planetar::MaxBits(0));  // too far: they wait
    far.y = Rig::kAt + 99.0f;  // within the range of 100 from the tower
    rig.Frame();
    EXPECT_EQ(rig.tower.OrbitingBits(), 0);
    for (const auto& bit : rig.tower.Bullets()) {
        ASSERT_TRUE(bit->Launched());
        EXPECT_GT(bit->vy, 1.99f);
    }
}

TEST(Planetar, BitsWaitForTheirFullCountAndForALockOn) {
    Rig rig;
    rig.FiringFrames(60);  // one bit, at its orbit
    Enemy& enemy = rig.SpawnNear(0.0f, 90.0f);
    rig.lockOn = enemy.Ref();
    rig.Frame();
    ASSERT_EQ(rig.tower.Bullets().size(), 1u);
    EXPECT_FALSE(rig.tower.Bullets().front()->Launched());

    Rig unlocked;
    ChargeFully(unlocked);
    unlocked.SpawnNear(0.0f, 90.0f);
    unlocked.Frame();
    EXPECT_EQ(unlocked.tower.OrbitingBits(), Sovia_Planetar::MaxBits(0));
}

TEST(Planetar, LaunchedBitsStillCountSoChargingWaitsUntilTheyAreGone) {
    Rig rig;
    ChargeFully(rig);
    // The charging clock runs past the interval: only the count of bits holds a charge back.
    EXPECT_TRUE(rig.FiringFrames(rig.tower.FireInterval()).empty());
    Enemy& enemy = rig.SpawnNear(0.0f, 95.0f);
    rig.lockOn = enemy.Ref();
    rig.Frame();
    ASSERT_EQ(rig.tower.OrbitingBits(), 0);
    rig.lockOn.Reset();
    // The bits fly on at 2 px a frame until they leave the field; no charge starts meanwhile.
    const int bits = Sovia_Planetar::MaxBits(0);
    int frames = 0;
    while (rig.tower.Bits() == bits && frames < 1000) {
        EXPECT_FALSE(rig.Frame()) << frames;
        EXPECT_FALSE(rig.tower.Charging()) << frames;
        ++frames;
    }
    EXPECT_GT(frames, 150);
    ASSERT_LT(rig.tower.Bits(), bits);
    // Once one has gone, a new bit is charged at once: the clock is long past the interval.
    EXPECT_EQ(rig.FiringFrames(BitPeriod(rig)).size(), 1u);
}

TEST(Planetar, ABitStillMovingOutFollowsTheBitsLaunchedBeforeIt) {
    Rig rig;
    const int bits = Sovia_Planetar::MaxBits(0);
    int frames = 0;
    while (static_cast<int>(rig.tower.Bullets().size()) < bits - 1 && frames < 2000) {
        rig.Frame();
        ++frames;
    }
    Enemy& enemy = rig.SpawnNear(0.0f, 95.0f);
    rig.lockOn = enemy.Ref();
    // Short of the full count the locked-on target is left alone.
    while (!rig.Frame() && frames < 2000) {
        ASSERT_EQ(rig.tower.OrbitingBits(), static_cast<int>(rig.tower.Bullets().size()));
        ++frames;
    }
    ASSERT_EQ(static_cast<int>(rig.tower.Bullets().size()), bits);
    // The last bit is launched once it is far enough out, though the others have flown.
    for (int frame = 0; frame < 40; ++frame) {
        rig.Frame();
    }
    ASSERT_EQ(static_cast<int>(rig.tower.Bullets().size()), bits);
    EXPECT_EQ(rig.tower.OrbitingBits(), 0);
    EXPECT_FALSE(rig.tower.Charging());
}

TEST(Planetar, AnOrbitingBitExplodesOnTouchHarmingItsNeighbourhood) {
    Rig rig;
    auto made = std::make_unique<PlanetarBullet>(0.0f, 0.0f, rig.lockOn);
    PlanetarBullet& bit = rig.AddShot(std::move(made), 0.0f, 0.0f, 6.0f);
    Enemy& touched = rig.SpawnAt(10.0f, 0.0f, EnemyKind::RedFairy, 100000);
    Enemy& near = rig.SpawnAt(0.0f, -31.666666f, EnemyKind::RedFairy, 100000);
    Enemy& beyond = rig.SpawnAt(0.0f, 31.7f, EnemyKind::RedFairy, 100000);
    rig.tower.HitTest(rig.enemies());
    const double dealt = rig.tower.DamageNow();
    EXPECT_FALSE(bit.alive);
    EXPECT_EQ(touched.hp, 100000.0 - dealt);
    EXPECT_EQ(near.hp, 100000.0 - dealt);
    EXPECT_EQ(beyond.hp, 100000.0);
    EXPECT_EQ(rig.tower.Explosions().All().size(), 1u);
}

TEST(Planetar, ALaunchedBitPassesThroughHarmingEachEnemyOnce) {
    Rig rig;
    Enemy& target = rig.SpawnAt(300.0f, 300.0f, EnemyKind::RedFairy, 100000);
    rig.lockOn = target.Ref();
    PlanetarBullet& bit = rig.AddShot(std::make_unique<PlanetarBullet>(100.0f, 100.0f, rig.lockOn), 100.0f, 100.0f, 6.0f);
    bit.SetOrbitAngle(0);
    bit.SetOrbitRadius(PlanetarBullet::kLaunchRadius);
    bit.launchRange = 1000;
    bit.SetLaunchAllowed(true);
    bit.Draw(1);
    ASSERT_TRUE(bit.Launched());
    Enemy& first = rig.SpawnAt(bit.x + 5.0f, bit.y, EnemyKind::RedFairy, 100000);
    Enemy& second = rig.SpawnAt(bit.x, bit.y - 5.0f, EnemyKind::RedFairy, 100000);
    for (int frame = 0; frame < 3; ++frame) {
        rig.tower.HitTest(rig.enemies());
    }
    const double dealt = rig.tower.DamageNow();
    EXPECT_TRUE(bit.alive);
    EXPECT_EQ(first.hp, 100000.0 - dealt);
    EXPECT_EQ(second.hp, 100000.0 - dealt);
    EXPECT_TRUE(bit.HasHit(first));
    EXPECT_FALSE(bit.HasHit(target));
    EXPECT_EQ(target.hp, 100000.0);
}

}  // namespace
