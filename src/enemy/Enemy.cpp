#include "enemy/Enemy.h"

#include <algorithm>
#include <cmath>

#include "audio/DirectSound.h"
#include "base/Random.h"
#include "field/FieldGrid.h"
#include "field/WalkCodes.h"
#include "field/WalkLoad.h"
#include "resource/FileClass.h"

namespace {

constexpr float kKickDecay = 0.85f;
constexpr float kKickRest = 0.005f;
constexpr int kScatterFrames = 30;
constexpr float kScatterSpeed = 5.0f;
constexpr float kProbeReach = 6.0f;
// An enemy snaps to an axis when it is this close to its cell's centre.
constexpr float kAlignSlack = 3.0f;

constexpr int kSheetFrames = 4;
constexpr int kSheetFacings = 8;
constexpr int kUpdatesPerStep = 8;

// The two sounds every enemy shares, fetched once: a missing one is reported only the first time.
void PlayShared(bool dying) {
    static DirectSound* const damage = g_FileClass.FindSound("enemy_damage.wav");
    static DirectSound* const death = g_FileClass.FindSound("enemy_dead.wav");
    DirectSound* const sound = dying ? death : damage;
    if (sound != nullptr) {
        sound->PlayFromStart();
    }
}

bool IsRoutable(int code) { return code != field::kWalkUnreached && code != field::kWalkBlocked; }

float Decay(float velocity) {
    const float slowed = velocity * kKickDecay;
    return std::fabs(slowed) < kKickRest ? 0.0f : slowed;
}

}  // namespace

Enemy::Enemy(const EnemyKindInfo& info, const EnemySpawn& spawn)
    : reward(spawn.reward),
      hp(spawn.health),
      level(spawn.level),
      x(static_cast<float>(spawn.x)),
      y(static_cast<float>(spawn.y)),
      walkLoad(spawn.walkLoad),
      speedFactor(info.speedFactor),
      maxHp(spawn.health),
      route(spawn.route),
      kind(KindId(info.kind, spawn.big)),
      hitRadius(spawn.big ? 8.0f : 6.0f),
      facing(spawn.route == 0 ? 4 : 2),
      prevFacing(facing),
      prevX(x),
      prevY(y),
      device_(spawn.device),
      anchor_(std::make_shared<EnemyAnchor>(EnemyAnchor{this})) {
    currentSpeed = speedFactor;
    deathBurst.Init(device_, g_FileClass.FindTexture("ef_circle.png"), x, y, 16.0f, 15, 4.0f);
    BuildSheets(g_FileClass.FindTexture(info.texture), spawn.big);
    BuildBars(spawn.health);
}

Enemy::~Enemy() { anchor_->enemy = nullptr; }

void Enemy::BuildSheets(gfx::Texture* texture, bool big) {
    const float size = big ? 48.0f : 32.0f;
    for (int row = 0; row < kSheetFacings; ++row) {
        AnimationStep& sheet = sheets[static_cast<std::size_t>(row)];
        sheet.Create(device_, texture, x, y, size, size);
        const float top = static_cast<float>(row) / kSheetFacings;
        const float bottom = static_cast<float>(row + 1) / kSheetFacings;
        for (int frame = 0; frame < kSheetFrames; ++frame) {
            const float left = static_cast<float>(frame) / kSheetFrames;
            const float right = static_cast<float>(frame + 1) / kSheetFrames;
            sheet.AddFrame(left, right, top, bottom, kUpdatesPerStep);
        }
        sheet.linearFilter = big ? 1 : 0;
        sheet.Start();
    }
}

void Enemy::BuildBars(int health) {
    const float maxValue = static_cast<float>(health);
    healthBar.Init(device_, x - 16.0f, y - 12.0f, 3.0f, 16.0f, maxValue);
    healthBar.SetColour(0, 200, 0, 255);
    healthBar.value = static_cast<float>(hp);
    healthBack.Init(device_, x - 16.0f, y - 12.0f, 3.0f, 16.0f, maxValue);
    healthBack.SetColour(200, 30, 0, 255);
    healthBack.value = static_cast<float>(maxHp);
}

void Enemy::SetSheetTexture(gfx::Texture* texture) {
    for (AnimationStep& sheet : sheets) {
        sheet.texture = texture;
    }
}

void Enemy::SetSheetTint(int red, int green, int blue) {
    for (AnimationStep& sheet : sheets) {
        sheet.red = red;
        sheet.green = green;
        sheet.blue = blue;
    }
}

void Enemy::SetWalkLoad(WalkLoad* load) { walkLoad = load; }

void Enemy::Damage(double amount, bool playSound, bool /*continuous*/) { TakeDamage(amount, playSound); }

void Enemy::TakeDamage(double amount, bool playSound) {
    hp -= amount;
    if (playSound) {
        PlayShared(false);
    }
    if (hp <= 0.0 && dead == 0) {
        dead = 1;
        PlayShared(true);
        deathBurst.alive = 1;
        deathBurst.sprite.SetPosition(x, y);
    }
}

void Enemy::Frame(int update) {
    Update(update);
    Draw(update);
}

void Enemy::Update(int update) {
    if (alive == 0) {
        ++goneFrames;
        return;
    }
    if (update != 1) {
        return;
    }
    if (dead != 0) {
        ++goneFrames;
        if (deathBurst.alive == 0) {
            alive = 0;
        }
        deathBurst.Advance();
    } else {
        Move();
    }
    OnRunningFrame();
}

void Enemy::Draw(int update) {
    if (alive == 0) {
        return;
    }
    if (dead != 0) {
        deathBurst.Draw();
        return;
    }
    AnimationStep& sheet = sheets[static_cast<std::size_t>(facing)];
    sheet.SetPosition(x, y);
    sheet.Draw(update);
    for (GaugeObject* bar : {&healthBar, &healthBack}) {
        bar->left = x - 8.0f;
        bar->y = y - 12.0f;
    }
    healthBar.value = static_cast<float>(std::max(hp, 0.0));
    healthBack.Draw(update);
    healthBar.Draw(update);
}

void Enemy::DrawOverlay(int /*update*/) {}

bool Enemy::IsFlying() const { return false; }

bool Enemy::IsYoukai() const { return false; }

bool Enemy::WeakensTowerAt(float /*px*/, float /*py*/) const { return false; }

std::uint32_t Enemy::TowerWeakenPercent() const { return 0; }

int Enemy::RollConfusion(int n) {
    const int range = n < 51 ? 4 * n : 200;
    // A level below 1 never happens in play; keep the division defined anyway.
    return 60 + (range > 0 ? Random::Next() % range : 0);
}

void Enemy::Move() {
    if (shakeFrames > 0) {
        ShakeStep();
        return;
    }
    prevX = x;
    prevY = y;
    const double speed = SpeedThisFrame();
    currentSpeed = speed;
    if (kickFrames > 0) {
        KnockbackStep();
        return;
    }
    Travel(speed);
}

void Enemy::Travel(double speed) { SteerAlongRoute(speed); }

double Enemy::SpeedThisFrame() {
    if (slowFrames > 0) {
        --slowFrames;
        SetSheetTint(180, 180, 255);
        return speedFactor - slowAmount;
    }
    slowAmount = 0.0;
    SetSheetTint(255, 255, 255);
    return speedFactor;
}

void Enemy::ShakeStep() {
    x = prevX + static_cast<float>(Random::Next() % 5 - 2);
    y = prevY + static_cast<float>(Random::Next() % 5 - 2);
    --shakeFrames;
    if (shakeFrames <= 0) {
        x = prevX;
        y = prevY;
    }
}

bool Enemy::KnockbackBlocked() const {
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0) {
                continue;
            }
            // Only probes on the side the enemy is pushed towards count.
            const bool againstX = (dx < 0 && kickVx > 0.0f) || (dx > 0 && kickVx < 0.0f);
            const bool againstY = (dy < 0 && kickVy > 0.0f) || (dy > 0 && kickVy < 0.0f);
            const bool idleX = dy == 0 && kickVx == 0.0f;
            const bool idleY = dx == 0 && kickVy == 0.0f;
            if (againstX || againstY || idleX || idleY) {
                continue;
            }
            const float probeX = x + kProbeReach * static_cast<float>(dx);
            const float probeY = y + kProbeReach * static_cast<float>(dy);
            if (!IsRoutable(walkLoad->CodeAt(1, probeX, probeY))) {
                return true;
            }
        }
    }
    return false;
}

void Enemy::KnockbackStep() {
    if (kickFree != 0 || !KnockbackBlocked()) {
        x += kickVx;
        y += kickVy;
    }
    kickVx = Decay(kickVx);
    kickVy = Decay(kickVy);
    --kickFrames;
    if (kickFrames <= 0) {
        kickVx = 0.0f;
        kickVy = 0.0f;
        aligned = 0;
    }
}

void Enemy::ConfusedStep() {}

void Enemy::OnRouteChange(int /*code*/) {}

void Enemy::Scatter() {
    const double angle = static_cast<double>(Random::Next() % 628) / 100.0;
    kickVx = kScatterSpeed * static_cast<float>(std::cos(angle));
    kickVy = kScatterSpeed * static_cast<float>(std::sin(angle));
    kickFrames = kScatterFrames;

    const Point landing = LandingPoint();
    kickFree = IsRoutable(walkLoad->CodeAt(1, landing.x, landing.y)) ? 1 : 0;
}

Enemy::Point Enemy::LandingPoint() const {
    Point landing{x, y};
    float stepX = kickVx;
    float stepY = kickVy;
    for (int frame = 0; frame < kickFrames; ++frame) {
        landing.x += stepX;
        landing.y += stepY;
        stepX *= kKickDecay;
        stepY *= kKickDecay;
    }
    return landing;
}

void Enemy::SetVelocityTowards(int column, int row, double speed) {
    const field::PixelPos target = field::CellCentre(column, row);
    const double angle = std::atan2(static_cast<double>(target.y) - y, static_cast<double>(target.x) - x);
    vx = static_cast<float>(0.5 * speed * std::cos(angle));
    vy = static_cast<float>(0.5 * speed * std::sin(angle));
}

void Enemy::SteerAlongRoute(double speed) {
    const field::CellPos cell = field::PixelToCell(x, y);
    const int code = walkLoad->Code(route, cell.column, cell.row);
    const bool resteering = walkLoad->resteerFrames > 0;

    if (field::IsDiagonalCode(code)) {
        if (resteering) {
            OnRouteChange(code);
        }
        const field::WalkStep step = field::StepOf(code);
        facing = step.facing;
        SetVelocityTowards(cell.column + step.dColumn, cell.row + step.dRow, speed);
    } else {
        if (code == field::kWalkStop) {
            vx = 0.0f;
            vy = 0.0f;
        } else if (field::IsMovingCode(code)) {
            const field::WalkStep step = field::StepOf(code);
            if (aligned != 0 && !resteering) {
                // Walking straight: turn only at the centre of a cell, and then exactly on the axis.
                const field::PixelPos centre = field::CellCentre(cell.column, cell.row);
                if (std::fabs(x - static_cast<float>(centre.x)) <= kAlignSlack &&
                    std::fabs(y - static_cast<float>(centre.y)) <= kAlignSlack) {
                    vx = static_cast<float>(0.5 * speed * step.dColumn);
                    vy = static_cast<float>(0.5 * speed * step.dRow);
                    facing = step.facing;
                }
            } else {
                facing = step.facing;
                SetVelocityTowards(cell.column + step.dColumn, cell.row + step.dRow, speed);
            }
        }
        if (resteering) {
            OnRouteChange(code);
        }
    }
    Advance();
}

void Enemy::FlyStraight(double speed) {
    if (route == 0) {
        vx = 0.0f;
        vy = static_cast<float>(0.5 * speed);
        facing = 4;
    } else {
        vx = static_cast<float>(0.5 * speed);
        vy = 0.0f;
        facing = 2;
    }
    Advance();
}

void Enemy::Advance() {
    prevFacing = facing;
    aligned = 1;
    x += vx;
    y += vy;
}
