#pragma once
#include <cstdint>

// The one vertex format of the game: a pre-transformed screen position, one colour and one
// texture coordinate pair. Four of them make a quad drawn as a two-triangle strip.
struct QuadVertex {
    float x, y, z, rhw;
    std::uint32_t diffuse;  // ARGB
    float u, v;
};
static_assert(sizeof(QuadVertex) == 28, "QuadVertex must stay 28 bytes");

// Position with reciprocal w, diffuse colour, one texture coordinate set.
constexpr std::uint32_t kQuadVertexFormat = 0x144;
