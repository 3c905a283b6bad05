#include "object/Object.h"

#include "gfx/Device.h"

Object::~Object() {
    if (ownsTexture && texture != nullptr) {
        delete texture;
    }
    texture = nullptr;
    device = nullptr;
}

void Object::ResetVertices() {
    static constexpr float kCornerU[4] = {0.0f, 1.0f, 0.0f, 1.0f};
    static constexpr float kCornerV[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    for (int k = 0; k < 4; ++k) {
        vertices[k] = QuadVertex{0.0f, 0.0f, 0.0f, 1.0f, 0xFFFFFFFFu, kCornerU[k], kCornerV[k]};
    }
}

void Object::DrawQuad() const {
    device->SetFVF(kQuadVertexFormat);
    device->SetTexture(0, texture);
    device->DrawPrimitiveUP(gfx::PrimitiveType::TriangleStrip, 2, vertices, sizeof(QuadVertex));
    device->SetTexture(0, nullptr);
}
