#pragma once
#include <cstdint>

// The subset of the Direct3D 9 state machine the game drives. Numeric values follow Direct3D 9
// so that state tables read the same as the original design notes.
namespace gfx {

enum class RenderState : std::uint32_t {
    ZEnable = 7,
    SrcBlend = 19,
    DestBlend = 20,
    CullMode = 22,
    AlphaBlendEnable = 27,
    Lighting = 137,
};

enum class SamplerState : std::uint32_t {
    AddressU = 1,
    AddressV = 2,
    MagFilter = 5,
    MinFilter = 6,
};

enum class TextureStageState : std::uint32_t {
    ColorOp = 1,
    ColorArg1 = 2,
    ColorArg2 = 3,
    AlphaOp = 4,
    AlphaArg1 = 5,
    AlphaArg2 = 6,
};

// Texture operations.
constexpr std::uint32_t TOP_DISABLE = 1;
constexpr std::uint32_t TOP_SELECTARG1 = 2;
constexpr std::uint32_t TOP_SELECTARG2 = 3;
constexpr std::uint32_t TOP_MODULATE = 4;
constexpr std::uint32_t TOP_ADD = 7;

// Texture arguments.
constexpr std::uint32_t TA_DIFFUSE = 0;
constexpr std::uint32_t TA_CURRENT = 1;
constexpr std::uint32_t TA_TEXTURE = 2;

// Blend factors.
constexpr std::uint32_t BLEND_ZERO = 1;
constexpr std::uint32_t BLEND_ONE = 2;
constexpr std::uint32_t BLEND_SRCALPHA = 5;
constexpr std::uint32_t BLEND_INVSRCALPHA = 6;

// Filters and addressing.
constexpr std::uint32_t TEXF_POINT = 1;
constexpr std::uint32_t TEXF_LINEAR = 2;
constexpr std::uint32_t TADDRESS_WRAP = 1;
constexpr std::uint32_t TADDRESS_MIRROR = 2;
constexpr std::uint32_t TADDRESS_CLAMP = 3;

// Culling.
constexpr std::uint32_t CULL_NONE = 1;

enum class PrimitiveType : std::uint32_t {
    TriangleStrip = 5,
};

// Present reports this when a full-screen device has lost its surfaces.
constexpr std::int32_t ERR_DEVICELOST = static_cast<std::int32_t>(0x88760868u);

}  // namespace gfx
