#pragma once
#include <array>

#include "object/LimitNumber.h"
#include "object/Object.h"
#include "object/Object2DVector.h"

// The one-shot spell's great beam: four coloured strips from one origin. It charges thin for a
// few frames while it may still be turned, then swells to full width and fires until its last
// firing frame, then narrows away. It keeps its own clock: frame 1 is its first drawn frame.
class GreatBeamBullet : public Object {
public:
    static constexpr int kChargeFrames = 10;

    // The beam at (ox, oy), firing from frame kChargeFrames + 1 through lastFiringFrame.
    void Setup(gfx::Device* device, gfx::Texture* texture, float ox, float oy, int lastFiringFrame);
    // Turns the beam to the screen angle while it charges; it is fixed once it fires.
    void Aim(float angle);
    void Draw(int update) override;

    // True in the frames in which the beam hurts what it touches.
    bool Firing() const { return frame_ > kChargeFrames && frame_ <= lastFiringFrame_; }
    int Frame() const { return frame_; }
    float Angle() const { return angle_; }
    float OriginX() const { return originX_; }
    float OriginY() const { return originY_; }
    // The drawn width of the widest strip.
    float Width() const;

private:
    void Advance();

    std::array<Object2DVector, 4> strips_;
    float originX_ = 0.0f;
    float originY_ = 0.0f;
    float angle_ = 0.0f;
    LimitNumber width_;
    float length_ = 0.0f;
    int frame_ = 0;
    int lastFiringFrame_ = 0;
    int pulses_ = 0;  // the beam is drawn while one is left
};
