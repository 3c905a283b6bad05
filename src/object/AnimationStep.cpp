#include "object/AnimationStep.h"

#include "gfx/Device.h"
#include "gfx/RenderPresets.h"

void AnimationStep::AddFrame(float left, float right, float top, float bottom, int duration) {
    frames.push_back(Frame{duration, left, right, top, bottom});
}

void AnimationStep::Start() {
    current = 0;
    counter = 0;
    if (!frames.empty()) {
        ApplyFrame(frames.front());
    }
    BuildVertices();
}

void AnimationStep::ApplyFrame(const Frame& frame) {
    uLeft = frame.uLeft;
    uRight = frame.uRight;
    vTop = frame.vTop;
    vBottom = frame.vBottom;
}

void AnimationStep::Advance() {
    if (frames.empty()) {
        return;
    }
    const Frame& frame = frames[static_cast<std::size_t>(current)];
    ApplyFrame(frame);
    if (++counter < frame.duration) {
        return;
    }
    counter = 0;
    if (++current >= static_cast<int>(frames.size())) {
        current = 0;
        if (!loop) {
            alive = 0;
        }
    }
}

void AnimationStep::Draw(int update) {
    if (!alive) {
        return;
    }
    if (update == 1) {
        Advance();
        Animate();
    }
    StageFilterScope filter(device, linearFilter ? gfx::TEXF_LINEAR : gfx::TEXF_POINT);
    DrawQuad();
}
