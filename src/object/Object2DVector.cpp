#include "object/Object2DVector.h"

#include <cmath>

void Object2DVector::Create(gfx::Device* newDevice, gfx::Texture* newTexture, float newX, float newY,
                            float newWidth, float newLength) {
    Begin(newDevice, newTexture, newX, newY, newWidth);
    length = newLength;
    ComputeCorners();
}

void Object2DVector::SetSize(float newWidth, float newLength) {
    width = newWidth;
    length = newLength;
    ComputeCorners();
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
        const float xs[4] = {x - hw, x + hw, x - hw, x + hw};
        const float ys[4] = {y + length, y + length, y, y};
        for (int k = 0; k < 4; ++k) {
            vertices[k].x = xs[k];
            vertices[k].y = ys[k];
        }
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
    ApplyLook(Colour());
}
