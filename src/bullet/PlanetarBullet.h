#pragma once
#include <vector>

#include "bullet/StraightBullet.h"
#include "effect/Traile.h"
#include "enemy/EnemyRef.h"
#include "object/LimitNumber.h"

// A Planetar bit: it circles a centre (its tower) once every 72 frames. When its tower allows
// it, it is launched at the player's lock-on target within reach: the centre then flies at the
// target while the bit keeps circling it, and the bit passes through the enemies it meets.
class PlanetarBullet : public StraightBullet {
public:
    // The look of the trail: its length in points, the size of its newest point and its brightness.
    struct TrailLook {
        int points;
        float size;
        int brightness;
    };
    static constexpr TrailLook kOrbitTrail{15, 15.0f, 60};
    static constexpr TrailLook kFlightTrail{50, 50.0f, 60};

    PlanetarBullet(float cx, float cy, const EnemyRef& lockOn);

    void Draw(int update) override;

    // Ignored once launched. The angle is in whole degrees and wraps at 360.
    void SetOrbitAngle(int degrees);
    void SetOrbitRadius(float radius);
    void SetLaunchAllowed(bool allowed) { launchAllowed = allowed; }
    bool HasHit(const Enemy& enemy) const;
    void MarkHit(const Enemy& enemy);
    // Gives the trail its look; the tower sets it up, the bit retunes it at launch.
    void TuneTrail(const TrailLook& look);

    int OrbitAngle() const { return orbitAngle.Get(); }
    float OrbitRadius() const { return orbitRadius; }
    bool Launched() const { return launched; }
    bool LaunchAllowed() const { return launchAllowed; }
    float CentreX() const { return centreX; }
    float CentreY() const { return centreY; }

    int levelIndex = 0;
    int launchRange = 0;
    Traile trail;
    Object2D glow;

    static constexpr int kDegreesPerFrame = 5;
    static constexpr float kLaunchSpeed = 2.0f;
    // A bit still moving out to its orbit cannot be launched.
    static constexpr float kLaunchRadius = 25.0f;

private:
    void Orbit();
    void TryLaunch();

    std::vector<EnemyRef> hitEnemies;
    float centreX;
    float centreY;
    LimitNumber orbitAngle;
    float orbitRadius = 0.0f;
    bool launched = false;
    bool launchAllowed = false;
    const EnemyRef& lockOn_;
};
