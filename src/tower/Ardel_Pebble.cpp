#include "tower/Ardel_Pebble.h"

#include <numbers>

#include "tower/TowerAssets.h"

namespace {

constexpr ShotLook kSealLook{12.0f, 12.0f, 3.0f, 0.0f};
constexpr float kBurstSpeed = 1.5f;
// The burst slows by a sixtieth of its speed every frame and halts as the seal turns.
constexpr int kTurnDelay = 60;

struct VolleySizes {
    int first;
    int second;
};
constexpr VolleySizes kVolleys[tower::kMaxLevel + 1] = {{12, 0}, {14, 0}, {16, 0}, {13, 9}, {15, 11}, {18, 14}};

// Levels 0..2 fire the plain seal of row 4 of "bullet.png", levels 3..5 the strong one of row 2.
constexpr BulletCell kPlainSeal{0.0f, 0.125f, 0.25f, 0.3125f};
constexpr BulletCell kStrongSeal{0.0f, 0.125f, 0.125f, 0.1875f};
constexpr BulletCells kSealCells = {kPlainSeal,  kPlainSeal,  kPlainSeal,
                                                                     kStrongSeal, kStrongSeal, kStrongSeal};

}  // namespace

Ardel_Pebble::Ardel_Pebble(const TowerContext& context, int x, int y)
    : ShootingTank(context, tower::KindTableOf(tower::Character::Ardel, 6), x, y, kSealCells) {}

int Ardel_Pebble::FirstVolley(int level) { return kVolleys[level].first; }
int Ardel_Pebble::SecondVolley(int level) { return kVolleys[level].second; }

void Ardel_Pebble::OnRunningFrame() {
    ShootingTank::OnRunningFrame();
    volleyTick = volleyArmed ? volleyTick + 1 : 0;
}

void Ardel_Pebble::EndSequence() {
    fireCounter = 0;
    volleyArmed = false;
    volleyTick = 0;
}

bool Ardel_Pebble::Fire(EnemyList& enemies, bool running) {
    if (!CanAct(running)) {
        return false;
    }
    CheckWeakening(enemies);
    if (volleyTick > kSecondVolleyTick) {
        EndSequence();
    }
    if (fireCounter <= fireInterval) {
        return false;
    }
    // Without an enemy in range a volley that falls due now is lost.
    const Enemy* candidate = NearestInRange(enemies);
    if (candidate == nullptr) {
        return false;
    }
    volleyArmed = true;
    const VolleySizes& sizes = kVolleys[level];
    if (volleyTick == kFirstVolleyTick) {
        Volley(sizes.first, *candidate);
        if (sizes.second == 0) {
            EndSequence();
        }
        return true;
    }
    if (volleyTick == kSecondVolleyTick && sizes.second != 0) {
        Volley(sizes.second, *candidate);
        EndSequence();
        return true;
    }
    return false;
}

const Enemy& Ardel_Pebble::SealTarget(const Enemy& candidate) const {
    // The lock-on target is measured against the nominal range, not a weakened one.
    const Enemy* locked = LockOnTarget();
    if (locked != nullptr && bullet::Distance(static_cast<float>(x), static_cast<float>(y), locked->x, locked->y) <=
                                 static_cast<float>(range)) {
        return *locked;
    }
    return candidate;
}

void Ardel_Pebble::Volley(int count, const Enemy& candidate) {
    const Enemy& target = SealTarget(candidate);
    DirectSound* const turnSound = Assets().Sound("ardel_shot_break.wav");
    for (int i = 0; i < count; ++i) {
        const float a = static_cast<float>(i) * 2.0f * std::numbers::pi_v<float> / static_cast<float>(count);
        PebbleBullet& seal = AddShot(std::make_unique<PebbleBullet>(turnSound, LockOnRef()), kSealLook, a, kBurstSpeed);
        seal.ax = -seal.vx / static_cast<float>(kTurnDelay);
        seal.ay = -seal.vy / static_cast<float>(kTurnDelay);
        seal.turnDelay = kTurnDelay;
        seal.waiting = true;
        seal.target = target.Ref();
        seal.targetX = target.x;
        seal.targetY = target.y;
    }
    Assets().Play("ardel_normalshot.wav");
}

void Ardel_Pebble::HitTest(EnemyList& enemies) {
    for (const auto& enemy : enemies) {
        if (!CanBeHit(*enemy)) {
            continue;
        }
        for (const auto& seal : bullets) {
            if (seal->alive && Touches(*seal, *enemy)) {
                seal->alive = 0;
                enemy->Damage(damage, true, false);
            }
        }
    }
}
