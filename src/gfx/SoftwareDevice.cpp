#include "gfx/SoftwareDevice.h"

#include <cstring>
#include <thread>

#include "gfx/PixelMath.h"
#include "gfx/QuadVertex.h"
#include "gfx/Rasterizer.h"

namespace gfx {

namespace {

constexpr std::size_t kFramePixels = static_cast<std::size_t>(kFrameWidth) * kFrameHeight;

}  // namespace

SoftwareDevice::SoftwareDevice(FrameSink* sink, InstructionSet set, Threads threads)
    : sink_(sink),
      frame_(kFramePixels, pixel::kOpaque),
      set_(set),
      threads_(threads),
      renderer_(frame_.data(), set),
      queue_(frame_.data(), set, this) {}

// Queued draws are dropped, and their textures unmarked, before the worker goes.
SoftwareDevice::~SoftwareDevice() { queue_.Reset(); }

SoftwareDevice::Threads SoftwareDevice::DefaultThreads() {
    return std::thread::hardware_concurrency() >= 2 ? Threads::Two : Threads::One;
}

// Like Direct3D 9, a lost device accepts drawing calls and quietly keeps them from the screen:
// only Present reports the loss, so the frame loop always reaches the Reset that cures it.
HRESULT SoftwareDevice::Clear(std::uint32_t colour, float, std::uint32_t) {
    if (threads_ == Threads::Two) {
        queue_.AddClear(colour);
        return S_OK;
    }
    ClearRows(frame_.data(), set_, colour, {0, kFrameHeight});
    return S_OK;
}

HRESULT SoftwareDevice::BeginScene() { return S_OK; }
HRESULT SoftwareDevice::EndScene() { return S_OK; }

HRESULT SoftwareDevice::Present() {
    FinishReads();
    if (!lost_ && sink_ != nullptr && !sink_->ShowFrame(frame_.data())) {
        lost_ = true;
    }
    return lost_ ? ERR_DEVICELOST : S_OK;
}

HRESULT SoftwareDevice::Reset() {
    lost_ = false;
    return S_OK;
}

void SoftwareDevice::SetFVF(std::uint32_t format) { format_ = format; }

void SoftwareDevice::SetTexture(int stage, Texture* texture) {
    if (stage >= 0 && stage < static_cast<int>(state_.stages.size())) {
        state_.stages[static_cast<std::size_t>(stage)].texture = texture;
    }
}

void SoftwareDevice::SetRenderState(RenderState state, std::uint32_t value) {
    switch (state) {
    case RenderState::AlphaBlendEnable: state_.blendEnabled = value != 0; break;
    case RenderState::SrcBlend: state_.srcBlend = value; break;
    case RenderState::DestBlend: state_.destBlend = value; break;
    default: break;  // culling, depth and lighting do not change what quads at z = 0 look like
    }
}

void SoftwareDevice::SetSamplerState(int sampler, SamplerState state, std::uint32_t value) {
    if (sampler < 0 || sampler >= static_cast<int>(state_.stages.size())) {
        return;
    }
    StageState& stage = state_.stages[static_cast<std::size_t>(sampler)];
    switch (state) {
    case SamplerState::MinFilter: stage.minFilter = value; break;
    case SamplerState::MagFilter: stage.magFilter = value; break;
    case SamplerState::AddressU: stage.addressU = value; break;
    case SamplerState::AddressV: stage.addressV = value; break;
    }
}

void SoftwareDevice::SetTextureStageState(int stageIndex, TextureStageState state, std::uint32_t value) {
    if (stageIndex < 0 || stageIndex >= static_cast<int>(state_.stages.size())) {
        return;
    }
    StageState& stage = state_.stages[static_cast<std::size_t>(stageIndex)];
    switch (state) {
    case TextureStageState::ColorOp: stage.colourOp = value; break;
    case TextureStageState::ColorArg1: stage.colourArg1 = value; break;
    case TextureStageState::ColorArg2: stage.colourArg2 = value; break;
    case TextureStageState::AlphaOp: stage.alphaOp = value; break;
    case TextureStageState::AlphaArg1: stage.alphaArg1 = value; break;
    case TextureStageState::AlphaArg2: stage.alphaArg2 = value; break;
    }
}

void SoftwareDevice::DrawPrimitiveUP(PrimitiveType type, std::uint32_t primitiveCount, const void* vertices,
                                     std::uint32_t stride) {
    // Triangle strips of QuadVertex are all the game draws; anything else is refused as Direct3D
    // refuses a call whose vertex format does not match.
    if (type != PrimitiveType::TriangleStrip || format_ != kQuadVertexFormat) {
        return;
    }
    if (threads_ == Threads::Two) {
        queue_.AddStrip(state_, vertices, stride, primitiveCount);
        return;
    }
    renderer_.Begin(state_);
    RasterizeStrip(vertices, stride, primitiveCount, {0, kFrameHeight}, renderer_);
}

const std::uint32_t* SoftwareDevice::Frame() {
    FinishReads();
    return frame_.data();
}

void SoftwareDevice::FinishReads() {
    if (queue_.Empty()) {
        return;
    }
    if (worker_ == nullptr) {
        worker_ = std::make_unique<BandWorker>(frame_.data(), set_);
    }
    worker_->Draw(queue_, renderer_);
    queue_.Reset();
}

std::unique_ptr<Texture> SoftwareDevice::CreateTexture(int width, int height) { return MakeTexture(width, height); }

HeadlessFrameSink::HeadlessFrameSink(FrameSink* next) : next_(next), frame_(kFramePixels, pixel::kOpaque) {}

bool HeadlessFrameSink::ShowFrame(const std::uint32_t* argb) {
    if (next_ != nullptr && !next_->ShowFrame(argb)) {
        return false;
    }
    std::memcpy(frame_.data(), argb, kFramePixels * sizeof(std::uint32_t));
    ++shown_;
    return true;
}

}  // namespace gfx
