#pragma once
#include <vector>

#include "object/Object2D.h"

// A sprite that steps through a list of texture rectangles, once or in a loop.
class AnimationStep : public Object2D {
public:
    struct Frame {
        int duration;  // updates
        float uLeft, uRight, vTop, vBottom;
    };

    void AddFrame(float uLeft, float uRight, float vTop, float vBottom, int duration);
    // Back to the first frame, shown at once.
    void Start();
    // 1 advances the animation and draws; any other value draws the current picture frozen.
    void Draw(int update) override;

    std::uint8_t loop = 1;  // when clear, the sprite ends itself after the last frame
    std::vector<Frame> frames;
    int current = 0;
    int counter = 0;  // updates spent on the current frame
    std::uint8_t linearFilter = 0;

private:
    void ApplyFrame(const Frame& frame);
    void Advance();
};
