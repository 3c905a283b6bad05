#pragma once
#include <cstdint>

#include "gfx/QuadVertex.h"

namespace gfx {
class Device;
class Texture;
}  // namespace gfx

// Root of everything drawable: four vertices of a quad, the texture on stage 0 and the device.
class Object {
public:
    Object() = default;
    virtual ~Object();

    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    // update 1 advances one frame and draws; 0 draws only (paused).
    virtual void Draw(int update) = 0;

    std::uint8_t alive = 1;
    QuadVertex vertices[4] = {};
    gfx::Texture* texture = nullptr;
    gfx::Device* device = nullptr;
    // Textures from the registry are borrowed; a sprite deletes its texture only when it owns it.
    std::uint8_t ownsTexture = 1;

protected:
    // Fills all four vertices with z 0, rhw 1, white, and the full texture.
    void ResetVertices();
    // One strip of two triangles with the texture on stage 0, which is unbound afterwards.
    void DrawQuad() const;
};

// The packed vertex colour: each channel taken as its low 8 bits.
inline std::uint32_t PackColour(int alpha, int red, int green, int blue) {
    return (static_cast<std::uint32_t>(alpha & 0xFF) << 24) | (static_cast<std::uint32_t>(red & 0xFF) << 16) |
           (static_cast<std::uint32_t>(green & 0xFF) << 8) | static_cast<std::uint32_t>(blue & 0xFF);
}
