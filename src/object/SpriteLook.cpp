#include "object/SpriteLook.h"

#include "object/Object.h"

void SpriteLook::SetLook(int newAlpha, int newPulseStep, float left, float right, float scrollU, float top,
                         float bottom, float scrollV) {
    alpha = newAlpha;
    pulseStep = newPulseStep;
    uLeft = left;
    uRight = right;
    uScroll = scrollU;
    vTop = top;
    vBottom = bottom;
    vScroll = scrollV;
}

void SpriteLook::StepPulse() {
    if (pulseUp) {
        alpha += pulseStep;
        if (alpha > 255) {
            alpha = 255;
            pulseUp = 0;
        }
    } else {
        alpha -= pulseStep;
        if (alpha < 0) {
            alpha = 0;
            pulseUp = 1;
        }
    }
}

void SpriteLook::StepScroll() {
    uLeft += uScroll;
    uRight += uScroll;
    vTop += vScroll;
    vBottom += vScroll;
}

std::uint32_t SpriteLook::Colour() const { return PackColour(alpha, red, green, blue); }

void SpriteLook::ApplyTextureCorners(QuadVertex* quad) const {
    quad[0].u = uLeft;
    quad[0].v = vTop;
    quad[1].u = uRight;
    quad[1].v = vTop;
    quad[2].u = uLeft;
    quad[2].v = vBottom;
    quad[3].u = uRight;
    quad[3].v = vBottom;
}

void SpriteLook::ApplyColour(QuadVertex* quad, std::uint32_t colour) {
    for (int k = 0; k < 4; ++k) {
        quad[k].diffuse = colour;
        quad[k].z = 0.0f;
    }
}
