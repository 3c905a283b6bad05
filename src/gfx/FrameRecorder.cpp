#include "gfx/FrameRecorder.h"

namespace gfx {

FrameRecorder::FrameRecorder(std::unique_ptr<Device> device) : device_(std::move(device)) {}

void FrameRecorder::Start() {
    recording_.Reset();
    images_.clear();
    phase_ = Phase::Recording;
    for (const auto& [key, value] : states_) {
        const auto [kind, stage, state] = key;
        recording_.AddCall({kind, stage, state, value});
    }
    // Textures bound before the start are recorded at the first draw that reads them: until
    // then they may already be gone, as the device never looks at them.
    for (Binding& binding : bindings_) {
        binding.recorded = false;
    }
}

void FrameRecorder::Note(const Call& call) {
    states_[{call.kind, call.stage, call.state}] = call.value;
    if (phase_ == Phase::Recording) {
        recording_.AddCall(call);
    }
}

HRESULT FrameRecorder::Clear(std::uint32_t colour, float z, std::uint32_t stencil) {
    if (phase_ == Phase::Recording) {
        recording_.AddCall({CallKind::Clear, 0, 0, colour});
    }
    return device_->Clear(colour, z, stencil);
}

HRESULT FrameRecorder::BeginScene() {
    if (phase_ == Phase::Recording) {
        recording_.AddCall({CallKind::BeginScene});
    }
    return device_->BeginScene();
}

HRESULT FrameRecorder::EndScene() {
    if (phase_ == Phase::Recording) {
        recording_.AddCall({CallKind::EndScene});
    }
    return device_->EndScene();
}

HRESULT FrameRecorder::Present() {
    if (phase_ == Phase::Recording) {
        recording_.AddCall({CallKind::Present});
        phase_ = Phase::Finished;
    }
    return device_->Present();
}

HRESULT FrameRecorder::Reset() { return device_->Reset(); }

void FrameRecorder::SetFVF(std::uint32_t format) {
    Note({CallKind::SetFVF, 0, 0, format});
    device_->SetFVF(format);
}

void FrameRecorder::SetTexture(int stage, Texture* texture) {
    if (stage >= 0 && stage < kStageCount) {
        bindings_[static_cast<std::size_t>(stage)] = {texture, false, 0};
    }
    device_->SetTexture(stage, texture);
}

void FrameRecorder::SetRenderState(RenderState state, std::uint32_t value) {
    Note({CallKind::SetRenderState, 0, static_cast<std::uint32_t>(state), value});
    device_->SetRenderState(state, value);
}

void FrameRecorder::SetSamplerState(int sampler, SamplerState state, std::uint32_t value) {
    Note({CallKind::SetSamplerState, sampler, static_cast<std::uint32_t>(state), value});
    device_->SetSamplerState(sampler, state, value);
}

void FrameRecorder::SetTextureStageState(int stage, TextureStageState state, std::uint32_t value) {
    Note({CallKind::SetTextureStageState, stage, static_cast<std::uint32_t>(state), value});
    device_->SetTextureStageState(stage, state, value);
}

std::uint32_t FrameRecorder::ImageOf(const Texture& texture) {
    const auto key = std::make_tuple(&texture, texture.Generation(), texture.Width(), texture.Height());
    const auto found = images_.find(key);
    if (found != images_.end()) {
        return found->second;
    }
    const std::uint32_t image = recording_.AddImage(texture);
    images_.emplace(key, image);
    return image;
}

void FrameRecorder::RecordTextures() {
    for (int stage = 0; stage < kStageCount; ++stage) {
        Binding& binding = bindings_[static_cast<std::size_t>(stage)];
        const bool current = binding.recorded && (binding.texture == nullptr || binding.texture->Generation() == binding.generation);
        if (current) {
            continue;
        }
        std::uint32_t image = FrameRecording::kNoTexture;
        if (binding.texture != nullptr) {
            image = ImageOf(*binding.texture);
            binding.generation = binding.texture->Generation();
        }
        recording_.AddCall({CallKind::SetTexture, stage, 0, image});
        binding.recorded = true;
    }
}

void FrameRecorder::DrawPrimitiveUP(PrimitiveType type, std::uint32_t primitiveCount, const void* vertices,
                                    std::uint32_t stride) {
    if (phase_ == Phase::Recording && vertices != nullptr && primitiveCount > 0 && stride >= sizeof(QuadVertex)) {
        RecordTextures();
        const std::uint32_t first = recording_.AddVertices(vertices, stride, primitiveCount + 2);
        recording_.AddCall({CallKind::Draw, 0, 0, static_cast<std::uint32_t>(type), first, primitiveCount});
    }
    device_->DrawPrimitiveUP(type, primitiveCount, vertices, stride);
}

std::unique_ptr<Texture> FrameRecorder::CreateTexture(int width, int height) {
    return device_->CreateTexture(width, height);
}

}  // namespace gfx
