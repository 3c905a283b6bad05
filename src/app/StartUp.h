#pragma once
#include <cstdint>
#include <memory>

#include "gfx/Texture.h"
#include "object/GradationFade.h"
#include "object/Object2D.h"
#include "resource/SaveFile.h"
#include "scene/Scene.h"

class FileClass;

// The first screen: shows the start-up picture for 100 frames, then loads every asset of the
// game into the registry in one frame and fades to black while the title is built.
class StartUp : public Scene {
public:
    static constexpr std::uint32_t kLoadFrame = 100;

    // The save data is read here, for the volumes applied when the title takes over; read-only
    // when the run plays a replay, so that not even a missing save.dat is made.
    explicit StartUp(FileClass& registry, CSaveFile::Access saves = CSaveFile::Access::ReadWrite);
    explicit StartUp(CSaveFile::Access saves = CSaveFile::Access::ReadWrite);

    bool Init(gfx::Device* device) override;
    void Frame(gfx::Device* device, SceneContext& context) override;
    void Notify(std::intptr_t) override {}

    std::uint32_t FrameCount() const { return frameCount_; }
    bool Done() const { return done_; }

private:
    void LoadAssets(gfx::Device* device, SceneContext& context);
    void ApplyVolumes();

    FileClass& registry_;
    CSaveFile save_;
    std::uint32_t frameCount_ = 0;
    bool done_ = false;
    std::unique_ptr<gfx::Texture> backgroundTexture_;  // straight from the pack, not the registry
    Object2D background_;
    GradationFade fade_;
};
