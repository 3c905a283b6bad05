#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "gfx/Device.h"
#include "gfx/FrameRecording.h"
#include "gfx/PipelineState.h"

namespace gfx {

// Passes every call on to the device it wraps and, once started, writes them down until the
// next Present: one whole frame, led by the states it inherited from the frames before, with a
// copy of each texture as the draws read it.
class FrameRecorder final : public Device {
public:
    explicit FrameRecorder(std::unique_ptr<Device> device);

    // Records from now on, beginning with every state in force; ends with the next Present.
    void Start();
    // Whether a whole frame was recorded since the last Start.
    bool Finished() const { return phase_ == Phase::Finished; }
    const FrameRecording& Recording() const { return recording_; }

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

private:
    using Call = FrameRecording::Call;
    using CallKind = FrameRecording::CallKind;
    enum class Phase { Idle, Recording, Finished };

    // Where the stage's texture stands in the recording: which image, as of which change.
    struct Binding {
        Texture* texture = nullptr;
        bool recorded = false;
        std::uint32_t generation = 0;
    };

    // Keeps the latest value of a state; recorded when recording.
    void Note(const Call& call);
    // Records the textures a draw reads, where the recording does not have them as they are now.
    void RecordTextures();
    std::uint32_t ImageOf(const Texture& texture);

    std::unique_ptr<Device> device_;
    Phase phase_ = Phase::Idle;
    FrameRecording recording_;
    // The value of every state set so far, by (kind, stage, state).
    std::map<std::tuple<CallKind, std::int32_t, std::uint32_t>, std::uint32_t> states_;
    std::array<Binding, kStageCount> bindings_{};
    // Images already recorded, by texture and change; sides tell reused addresses apart.
    std::map<std::tuple<const Texture*, std::uint32_t, int, int>, std::uint32_t> images_;
};

}  // namespace gfx
