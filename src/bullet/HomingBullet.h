#pragma once
#include <memory>
#include <vector>

#include "bullet/StraightBullet.h"
#include "effect/EffectBurst.h"
#include "enemy/EnemyRef.h"
#include "field/Battlefield.h"

class Enemy;

namespace bullet {

// An enemy a shot may still go for: not dead, and not gone through the exit.
bool IsLiveEnemy(const Enemy& enemy);

}  // namespace bullet

// The enemy nearest to (x, y) among the live ones strictly inside the field (0..432 on both
// axes, so none on its edge) and strictly nearer than 800 pixels; the earlier on equal
// distances. Null when there is none.
Enemy* NearestEnemy(const Battlefield::EnemyList& enemies, float x, float y);

// An amulet that turns towards its target in every frame and flies at it at 3 pixels per frame;
// once the target is gone it flies on in a straight line.
class HomingBullet : public StraightBullet {
public:
    void Draw(int update) override;

    float speed = 1.0f;  // the homing speed of the kinds that accelerate
    EnemyRef target;

protected:
    // Keeps the target while it can be hit; forgets it otherwise. The target, or null.
    Enemy* LiveTarget();
    // Spins, pulses, scrolls and moves when update is 1.
    void Move(int update);
};

// An amulet that survives several hits. After each hit it halts, waits 8 frames, picks the
// nearest enemy and speeds up towards it by 3 % a frame. Once its hits are spent it stops and
// fades. It leaves a trail of red after-images.
class BraskAmuletBullet : public HomingBullet {
public:
    BraskAmuletBullet(int hits, int level, const Battlefield::EnemyList& enemies);

    void SetTrail(gfx::Texture* texture);
    // A contact with an enemy: refused while the hits are spent or within 9 frames of the last
    // hit; otherwise the amulet halts, n hits are used up, and the tower deals its damage.
    bool TakeHit(int n);
    void Draw(int update) override;

    int HitsLeft() const { return hitsLeft_; }
    int AfterImageCount() const { return static_cast<int>(afterImages_.size()); }

private:
    void Advance();
    void Seek();
    void DrawAfterImages(int update);

    int hitsLeft_;
    int sinceHit_ = 0;
    int fadeTicks_ = 0;
    const Battlefield::EnemyList& enemies_;
    int trailTicks_ = 0;
    int trailInterval_;
    int trailLife_;
    gfx::Texture* trailTexture_ = nullptr;
    std::vector<std::unique_ptr<EffectBurst>> afterImages_;
};
