#include "object/Object2DVector.h"

#include <cmath>

void Object2DVector::Create(gfx::Device* newDevice, gfx::Texture* newTexture, float newX, float newY,
                            float newWidth, float newLength) {
    device = newDevice;
    x = newX;
    y = newY;
    width = newWidth;
    length = newLength;
    angle = 0.0f;
    spin = 0.0f;
    ComputeCorners();
    ResetVertices();
    texture = newTexture;
    ownsTexture = 0;
}

void Object2DVector::SetAnimation(int newAlpha, int newPulseStep, float left, float right, float scrollU, float top,
                                  float bottom, float scrollV) {
    SetLook(newAlpha, newPulseStep, left, right, scrollU, top, bottom, scrollV);
    BuildVertices();
}

void Object2DVector::SetSize(float newWidth, float newLength) {
    width = newWidth;
    length = newLength;
    ComputeCorners();
    BuildVertices();
}

void Object2DVector::SetPosition(float newX, float newY) {
    x = newX;
    y = newY;
    BuildVertices();
}

void Object2DVector::SetRotation(float newAngle, float newSpin) {
    angle = newAngle;
    spin = newSpin;
    BuildVertices();
}

void Object2DVector::ComputeCorners() {
    const float hw = width * 0.5f;
    radius = std::sqrt(length * length + hw * hw);
    cornerAngle[0] = std::atan2(length, hw);
    cornerAngle[1] = std::atan2(length, -hw);
    cornerAngle[2] = std::atan2(0.0f, -hw);
    cornerAngle[3] = std::atan2(0.0f, hw);
}

void Object2DVector::BuildVertices() {
    const float hw = width * 0.5f;
    if (angle == 0.0f) {
        vertices[0].x = x - hw;
        vertices[0].y = y + length;
        vertices[1].x = x + hw;
        vertices[1].y = y + length;
        vertices[2].x = x - hw;
        vertices[2].y = y;
        vertices[3].x = x + hw;
        vertices[3].y = y;
    } else {
        // Far corners first (vertex 0 and 1), then the two beside the anchor.
        const float distance[4] = {radius, radius, hw, hw};
        static constexpr int kCornerOfVertex[4] = {1, 0, 2, 3};
        for (int k = 0; k < 4; ++k) {
            const float a = angle + cornerAngle[kCornerOfVertex[k]];
            vertices[k].x = x + distance[k] * std::cos(a);
            vertices[k].y = y + distance[k] * std::sin(a);
        }
    }
    ApplyTextureCorners(vertices);
    ApplyColour(vertices, Colour());
}

void Object2DVector::Draw(int update) {
    if (!alive) {
        return;
    }
    if (update == 1) {
        angle += spin;
        StepPulse();
        StepScroll();
        BuildVertices();
    }
    DrawQuad();
}
