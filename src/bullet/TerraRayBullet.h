#pragma once
#include <array>
#include <vector>

#include "bullet/LazerBullet.h"
#include "enemy/EnemyRef.h"
#include "object/LimitNumber.h"
#include "object/Object2D.h"

class DirectSound;
class Enemy;

// The ray of the second character's TerraRay tower. It speeds from the tower to the field's edge
// along a row (axis 1, to the east edge) or a column (to the south edge), charges there for 26
// frames, and then fires a beam back along its way across the whole field for 80 frames. Two
// side beams, anchored beyond the field's edge, light the whole line; the ray itself
// becomes the firing beam, which shoots out for 24 frames and then draws back as it fades.
class TerraRayBullet : public LazerBullet {
public:
    enum class Phase { Travelling, Charging, Firing };
    static constexpr int kAxisRow = 1;
    static constexpr int kAxisColumn = 0;

    // The textures of the ray and of its glows, and the sound of its beam.
    void Setup(gfx::Device* device, gfx::Texture* rayTexture, gfx::Texture* glowTexture, DirectSound* fireSound,
               float x, float y);
    // Sets off towards (420, ty) on axis 1, else towards (tx, 420).
    void Aim(float tx, float ty, int axis);
    void Draw(int update) override;

    Phase CurrentPhase() const { return phase_; }
    int PhaseFrame() const { return phaseFrame_; }
    // The beam: it starts where the ray stopped, past the edge, and runs back across the field.
    float BeamX() const { return beamX_; }
    float BeamY() const { return beamY_; }
    float BeamDirX() const { return axis_ == kAxisRow ? -1.0f : 0.0f; }
    float BeamDirY() const { return axis_ == kAxisRow ? 0.0f : -1.0f; }
    float BeamHalfWidth() const;
    static constexpr float kBeamLength = 480.0f;
    // The length of the firing beam (the ray itself) in this frame.
    int FiringLength() const { return length_.Get(); }
    const Object2D& Glow() const { return glow_; }
    const Object2D& Muzzle() const { return muzzle_; }
    const Object2DVector& SideBeam() const { return sideBeam_; }
    const Object2DVector& OuterBeam() const { return outerBeam_; }
    // A firing ray hurts each enemy once.
    bool HasHit(const Enemy& enemy) const;
    void MarkHit(const Enemy& enemy);

    EnemyRef target;

private:
    void Travel(int update);
    void Turn();
    void Charge(int update);
    void FireBeam(int update);
    float FiringWidth() const;
    // The glows, both side beams and the ray: everything that lights up and fades together.
    std::array<Sprite*, 5> Parts();
    void SizeSideBeams();
    void DrawSideBeams(int update);
    void DrawRayOnce(int update);

    LimitNumber width_;
    LimitNumber length_;
    Object2D glow_;
    Object2D muzzle_;
    Object2DVector sideBeam_;
    Object2DVector outerBeam_;
    Phase phase_ = Phase::Travelling;
    int phaseFrame_ = 0;
    int axis_ = kAxisRow;
    float beamX_ = 0.0f;
    float beamY_ = 0.0f;
    DirectSound* fireSound_ = nullptr;
    std::vector<EnemyRef> hit_;
};
