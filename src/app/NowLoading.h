#pragma once
#include <cstdint>
#include <memory>

#include "gfx/Texture.h"
#include "object/Object2D.h"
#include "scene/Scene.h"

// The loading screen drawn while a loader thread builds or releases a scene: a turning ball and
// a pulsing caption in the bottom-right corner. They move only in frames it is drawn.
class NowLoading : public Scene {
public:
    // Always false: nothing reads the result.
    bool Init(gfx::Device* device) override;
    void Frame(gfx::Device* device, SceneContext& context) override;
    void Notify(std::intptr_t) override {}

    const Object2D& Ball() const { return ball_; }
    const Object2D& Caption() const { return caption_; }

private:
    void Recaption(gfx::Device* device);

    // Straight from the pack: the loading screen must work before the registry is filled.
    std::unique_ptr<gfx::Texture> ballTexture_;
    std::unique_ptr<gfx::Texture> captionTexture_;
    Object2D ball_;
    Object2D caption_;      // upper half of the sheet, pulsing
    Object2D captionBase_;  // lower half, steady
    std::uint32_t captionIn_ = 0;  // the language generation the caption was read in
};
