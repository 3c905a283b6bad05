#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Device.h"
#include "gfx/QuadVertex.h"

namespace gfx {

// The device calls of one presented frame, with every texture and vertex they read, so that the
// frame can be drawn again on any device: the benchmarks replay the frames the game really draws.
class FrameRecording {
public:
    enum class CallKind : std::uint32_t {
        Clear,
        BeginScene,
        EndScene,
        Present,
        SetFVF,
        SetTexture,
        SetRenderState,
        SetSamplerState,
        SetTextureStageState,
        Draw,
    };

    // A texture index that unbinds the stage.
    static constexpr std::uint32_t kNoTexture = 0xFFFFFFFFu;

    struct Call {
        CallKind kind = CallKind::BeginScene;
        std::int32_t stage = 0;   // texture stage or sampler
        std::uint32_t state = 0;  // which render, sampler or stage state
        std::uint32_t value = 0;  // the state's value, a texture index, the clear colour or the primitive type
        std::uint32_t first = 0;  // draws: the first vertex
        std::uint32_t count = 0;  // draws: the primitive count
    };

    // The texels of a texture as a draw read them; sides are powers of two.
    struct Image {
        int width = 0;
        int height = 0;
        std::vector<std::uint32_t> texels;
    };

    void Reset();
    // Returns the index of the new image.
    std::uint32_t AddImage(const Texture& texture);
    void AddCall(const Call& call);
    // Copies count vertices stride bytes apart; returns the index of the first.
    std::uint32_t AddVertices(const void* vertices, std::uint32_t stride, std::uint32_t count);

    // False with a reason when the file cannot be written.
    bool Save(const std::string& path, std::string& error) const;
    // False with a reason for a file that is missing, damaged or no recording; the recording is
    // then empty.
    bool Load(const std::string& path, std::string& error);

    // The textures of the recording, made once on the device that replays it.
    std::vector<std::unique_ptr<Texture>> MakeTextures(Device& device) const;
    // Issues every call in order, with textures from MakeTextures on the same device.
    void Play(Device& device, const std::vector<std::unique_ptr<Texture>>& textures) const;

    const std::vector<Call>& Calls() const { return calls_; }
    const std::vector<Image>& Images() const { return images_; }

private:
    bool Valid(std::string& error) const;

    std::vector<Image> images_;
    std::vector<QuadVertex> vertices_;
    std::vector<Call> calls_;
};

}  // namespace gfx
