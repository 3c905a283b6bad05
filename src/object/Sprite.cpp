#include "object/Sprite.h"

void Sprite::Begin(gfx::Device* newDevice, gfx::Texture* newTexture, float newX, float newY, float newWidth) {
    device = newDevice;
    x = newX;
    y = newY;
    width = newWidth;
    angle = 0.0f;
    spin = 0.0f;
    ResetVertices();
    texture = newTexture;
    ownsTexture = 0;
}

void Sprite::SetAnimation(int newAlpha, int newPulseStep, float left, float right, float scrollU, float top,
                          float bottom, float scrollV) {
    alpha = newAlpha;
    pulseStep = newPulseStep;
    uLeft = left;
    uRight = right;
    uScroll = scrollU;
    vTop = top;
    vBottom = bottom;
    vScroll = scrollV;
    BuildVertices();
}

void Sprite::SetPosition(float newX, float newY) {
    x = newX;
    y = newY;
    BuildVertices();
}

void Sprite::SetRotation(float newAngle, float newSpin) {
    angle = newAngle;
    spin = newSpin;
    BuildVertices();
}

void Sprite::StepPulse() {
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

void Sprite::StepScroll() {
    uLeft += uScroll;
    uRight += uScroll;
    vTop += vScroll;
    vBottom += vScroll;
}

void Sprite::Animate() {
    angle += spin;
    StepPulse();
    StepScroll();
    BuildVertices();
}

std::uint32_t Sprite::Colour() const { return PackColour(alpha, red, green, blue); }

void Sprite::ApplyLook(std::uint32_t colour) {
    const float us[4] = {uLeft, uRight, uLeft, uRight};
    const float vs[4] = {vTop, vTop, vBottom, vBottom};
    for (int k = 0; k < 4; ++k) {
        vertices[k].z = 0.0f;
        vertices[k].diffuse = colour;
        vertices[k].u = us[k];
        vertices[k].v = vs[k];
    }
}

void Sprite::Draw(int update) {
    if (!alive) {
        return;
    }
    if (update == 1) {
        Animate();
    }
    DrawQuad();
}
