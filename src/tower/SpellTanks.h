#pragma once
#include <array>
#include <memory>

#include "bullet/GreatBeamBullet.h"
#include "object/Object2D.h"
#include "tower/BaseCharacterTank.h"

// The one-shot spells (kind 9 of both characters). Until triggered they stand, go up a level
// and are sold like any tower; triggered, they cast once and then remove themselves.
class SpellTank : public cBaseCharacterTank {
public:
    // During the waves a spell is never sold: a sale casts it. (In preparation a sale takes it
    // away at once, refunded in full.) A replacement never casts it: the spell is taken down
    // and the new tower goes up in its place.
    void Draw(bool running) final;
    void UpdateBullets(bool running) override;
    void HitTest(EnemyList& enemies) override;

protected:
    using cBaseCharacterTank::cBaseCharacterTank;

    // Draws the cast spell; the tower itself is drawn until it is cast.
    virtual void DrawCast(bool running) = 0;
};

// "Twinward": a barrier of three turning squares over the tower's range. For 101 frames every
// enemy inside takes a 101st of the damage each frame, and from level 1 it is held in place.
class Ardel_Bomb : public SpellTank {
public:
    static constexpr int kSpellFrames = 101;

    Ardel_Bomb(const TowerContext& context, int x, int y);

    bool Fire(EnemyList& enemies, bool running) override;
    void Activate() override;
    // While the barrier stands.
    bool AtWork() const override { return alive && spellFrame_ > 0; }

    // Frames of the barrier drawn so far.
    int SpellFrame() const { return spellFrame_; }
    // How long an enemy caught in the barrier stays held at a level: nothing at level 0, then
    // 120 frames rising by 60 a level to 360 at the top.
    static int StunFrames(int level) { return level >= 1 ? 60 * (level + 1) : 0; }
    // The barrier's alpha in its frame t (from 0).
    static int AlphaAt(int frame);

protected:
    // The barrier's squares take the tower's place.
    void DrawCast(bool running) override;

private:
    std::array<Object2D, 3> squares_;
    int spellFrame_ = 0;
    float spin_ = 0.0f;
};

// "GreatBeam": an endless beam from the tower towards the mouse pointer. It charges for
// GreatBeamBullet::kChargeFrames frames, turning after the pointer, then fires straight on; every
// frame it fires, each enemy it touches takes 3 x 2^(level - 1) and is held in place.
class Sovia_Bomb : public SpellTank {
public:
    static constexpr float kHalfWidth = 32.0f;

    Sovia_Bomb(const TowerContext& context, int x, int y);

    bool Fire(EnemyList& enemies, bool running) override;
    void Activate() override;
    void UpdateBullets(bool running) override;
    void HitTest(EnemyList& enemies) override;
    // While the beam fires.
    bool AtWork() const override { return beam_ != nullptr && beam_->Firing(); }

    const GreatBeamBullet* Beam() const { return beam_.get(); }
    // The last frame in which the beam fires at a level.
    static int LastFiringFrame(int level) { return 110 + 20 * level; }
    // What one frame in the beam costs an enemy at a level.
    static double DamagePerFrame(int level);

protected:
    // The tower stays in sight under its beam.
    void DrawCast(bool running) override { cBaseCharacterTank::Draw(running); }

private:
    std::unique_ptr<GreatBeamBullet> beam_;
    int lastHitFrame_ = 0;
};
