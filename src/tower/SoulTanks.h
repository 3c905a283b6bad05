#pragma once
#include "object/LimitNumber.h"
#include "object/Object2D.h"
#include "object/Object2DVector.h"
#include "tower/BaseCharacterTank.h"

class Enemy;

// The soul towers (kind 10 of both characters): they shoot nothing, but a ghost caught in their
// light is exposed and takes one and a half times the damage instead of half. They stand at the
// top level from the start and never go up.
class SoulTank : public cBaseCharacterTank {
public:
    bool Fire(EnemyList& enemies, bool running) override;
    // Exposes every live ghost in the light; the sound marks the first of a pulse.
    void HitTest(EnemyList& enemies) override;
    // Its light is drawn in every frame it stands.
    bool AtWork() const override { return IsAlive(); }

    static bool IsGhost(const Enemy& enemy);

protected:
    using cBaseCharacterTank::cBaseCharacterTank;

    // Is the enemy in the light now?
    virtual bool InLight(const Enemy& enemy) const = 0;
    // A new pulse of light began: the sound may mark it again.
    void NewPulse() { soundDue_ = true; }

private:
    bool soundDue_ = true;
};

// The first character's soul: a ring of light spreading from the tower to 80 pixels. Its radius is
// half a counter that rises by 3 a frame to 160 and then starts again from 0.
class Ardel_Soul : public SoulTank {
public:
    static constexpr float kReach = 80.0f;

    Ardel_Soul(const TowerContext& context, int x, int y);
    void UpdateBullets(bool running) override;
    float Radius() const { return 0.5f * static_cast<float>(pulse_.Get()); }

protected:
    bool InLight(const Enemy& enemy) const override;

private:
    LimitNumber pulse_;
    Object2D ring_;
};

// The second character's soul: a straight strip of light from 40 pixels behind the tower to its
// range ahead, turning slowly round the tower and breathing between two widths.
class Sovia_Soul : public SoulTank {
public:
    static constexpr float kBehind = 40.0f;

    Sovia_Soul(const TowerContext& context, int x, int y);
    void UpdateBullets(bool running) override;

    float Direction() const { return direction_; }
    float HalfWidth() const;
    float OriginX() const;
    float OriginY() const;

protected:
    bool InLight(const Enemy& enemy) const override;

private:
    float direction_ = 0.0f;
    int breath_ = 0;
    Object2DVector strip_;
};
