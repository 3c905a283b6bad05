#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "gfx/BandWorker.h"
#include "gfx/Device.h"
#include "gfx/DrawQueue.h"
#include "gfx/InstructionSet.h"
#include "gfx/PipelineState.h"
#include "gfx/SpanRenderer.h"

namespace gfx {

// The reference device: rasterises quads into a 640 x 480 frame with Direct3D 9's rules and
// hands finished frames to a sink. Only the main thread draws; CreateTexture touches no device
// state, so loader threads may call it at any time.
//
// With one thread every call draws at once. With two, the clears and draws of a frame are
// queued and drawn in bands of rows by both threads when the frame is needed: at Present, when
// Frame is read, and before a texture the queued draws read is written or destroyed.
class SoftwareDevice final : public Device, private PendingReads {
public:
    enum class Threads { One, Two };

    // The pixel loops use the widest registers of the set. Every set, and one thread or two,
    // draws the same frames.
    explicit SoftwareDevice(FrameSink* sink, InstructionSet set = BestInstructionSet(),
                            Threads threads = DefaultThreads());

    // Two where the processor has two cores or more.
    static Threads DefaultThreads();
    ~SoftwareDevice() override;
    SoftwareDevice(const SoftwareDevice&) = delete;
    SoftwareDevice& operator=(const SoftwareDevice&) = delete;

    HRESULT Clear(std::uint32_t colour, float z, std::uint32_t stencil) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Present() override;
    HRESULT Reset() override;

    void SetFVF(std::uint32_t format) override;
    void SetTexture(int stage, Texture* texture) override;
    void SetRenderState(RenderState state, std::uint32_t value) override;
    void SetSamplerState(int sampler, SamplerState state, std::uint32_t value) override;
    void SetTextureStageState(int stage, TextureStageState state, std::uint32_t value) override;
    void DrawPrimitiveUP(PrimitiveType type, std::uint32_t primitiveCount, const void* vertices,
                         std::uint32_t stride) override;
    std::unique_ptr<Texture> CreateTexture(int width, int height) override;

    // The frame as drawn so far.
    const std::uint32_t* Frame();

private:
    // Draws what is queued.
    void FinishReads() override;

    FrameSink* sink_;
    bool lost_ = false;
    std::vector<std::uint32_t> frame_;
    std::uint32_t format_ = 0;
    PipelineState state_;
    InstructionSet set_;
    Threads threads_;
    SpanRenderer renderer_;
    DrawQueue queue_;
    std::unique_ptr<BandWorker> worker_;  // made at the first frame drawn in bands
};

// Keeps the last presented frame: the only output of a headless run, and the source of
// screenshots. With a window behind it, frames are passed on and kept only once shown there.
class HeadlessFrameSink final : public FrameSink {
public:
    explicit HeadlessFrameSink(FrameSink* next = nullptr);
    bool ShowFrame(const std::uint32_t* argb) override;
    const std::vector<std::uint32_t>& LastFrame() const { return frame_; }
    std::uint32_t FramesShown() const { return shown_; }

private:
    FrameSink* next_;
    std::vector<std::uint32_t> frame_;
    std::uint32_t shown_ = 0;
};

}  // namespace gfx
