#pragma once
#include <array>
#include <cstdint>

#include "base/EnemyKind.h"
#include "effect/EffectBurst.h"
#include "enemy/EnemyRef.h"
#include "object/AnimationStep.h"
#include "object/GaugeObject.h"

class WalkLoad;

namespace gfx {
class Device;
class Texture;
}  // namespace gfx

// What a concrete kind fixes about itself.
struct EnemyKindInfo {
    EnemyKind kind;
    double speedFactor;
    const char* texture;
};

// Everything an enemy is made with: the device it draws on, the routes it walks, where it starts
// on which of them, and its wave's numbers.
struct EnemySpawn {
    gfx::Device* device = nullptr;
    WalkLoad* walkLoad = nullptr;
    int route = 0;
    int x = 0;
    int y = 0;
    int health = 0;
    std::uint32_t reward = 0;
    int level = 1;       // the wave number
    int splitDepth = 0;  // only the furballs take it: generations of splitting left
    bool big = false;
};

// The base of every enemy kind: walks a route of the direction grids, takes damage, dies with a
// burst, and can be slowed, shaken (stunned in place) or knocked back by towers.
class Enemy {
public:
    virtual ~Enemy();

    virtual void SetWalkLoad(WalkLoad* load);
    virtual void Damage(double amount, bool playSound, bool continuous);
    // update 1 advances and draws; 0 only draws (paused or ended). Update, then Draw.
    virtual void Frame(int update);
    // The half of a frame that changes the game: movement, timers, the death burst and, once it
    // has played, leaving the game. Runs the same whether or not the frame is drawn.
    virtual void Update(int update);
    // The half that draws: it shows the enemy as Update left it and changes nothing the game
    // reads (the walking animation only steps with update 1).
    virtual void Draw(int update);
    virtual void DrawOverlay(int update);
    virtual bool IsFlying() const;
    virtual bool IsYoukai() const;
    virtual bool WeakensTowerAt(float px, float py) const;
    virtual std::uint32_t TowerWeakenPercent() const;
    virtual int RollConfusion(int n);
    virtual void Move();
    virtual void ShakeStep();
    virtual void KnockbackStep();
    virtual void ConfusedStep();
    virtual void OnRouteChange(int code);

    // Knocks the enemy away in a random direction; walls stop it unless the landing cell is routable.
    void Scatter();
    // Where the knockback under way ends, walls aside; the position itself when there is none.
    struct Point {
        float x;
        float y;
    };
    Point LandingPoint() const;
    bool IsBig() const { return IsBigKindId(kind); }
    // A reference that turns empty when this enemy is deleted.
    EnemyRef Ref() const { return EnemyRef(anchor_); }

    std::uint8_t alive = 1;
    std::uint8_t dead = 0;
    std::uint32_t reward;
    double hp;
    int level;
    float x;
    float y;
    double slowAmount = 0.0;
    int slowFrames = 0;
    int exposeFrames = 0;
    int shakeFrames = 0;
    int confuseFrames = 1;
    WalkLoad* walkLoad;
    EffectBurst deathBurst;
    double speedFactor;
    // The route speed of the latest step, slow included (the side panel shows it).
    double currentSpeed = 0.0;
    int maxHp;
    int splitDepth = 0;
    int route;
    int kind;
    float hitRadius;
    std::uint8_t aligned = 0;
    int goneFrames = 0;
    GaugeObject healthBar;
    GaugeObject healthBack;
    // One walking animation per facing, north first, clockwise.
    std::array<AnimationStep, 8> sheets;
    int facing;
    int prevFacing;
    float vx = 0.0f;
    float vy = 0.0f;
    float kickVx = 0.0f;
    float kickVy = 0.0f;
    int kickFrames = 0;
    std::uint8_t kickFree = 0;
    float prevX;
    float prevY;

protected:
    Enemy(const EnemyKindInfo& info, const EnemySpawn& spawn);

    // Runs the slow timer and returns this frame's speed factor.
    virtual double SpeedThisFrame();
    // The route movement of a frame without shake or knockback.
    virtual void Travel(double speed);
    // Follows the direction grid of the route and moves by the velocity.
    void SteerAlongRoute(double speed);
    // Flies straight towards the route's exit edge, ignoring the grids.
    void FlyStraight(double speed);
    // Lowers hp and handles the sounds and death that follow every hit.
    void TakeDamage(double amount, bool playSound);
    // Runs in every running frame, after the enemy moved (or, once dead, while its burst plays).
    virtual void OnRunningFrame() {}
    void SetSheetTexture(gfx::Texture* texture);

    gfx::Device* device_;

private:
    // Shared with every EnemyRef; the destructor clears it so references see the enemy is gone.
    std::shared_ptr<EnemyAnchor> anchor_;

    void BuildSheets(gfx::Texture* texture, bool big);
    void BuildBars(int health);
    void SetSheetTint(int red, int green, int blue);
    void SetVelocityTowards(int column, int row, double speed);
    void Advance();
    bool KnockbackBlocked() const;
};
