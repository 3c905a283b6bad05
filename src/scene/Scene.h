#pragma once
#include <cstdint>

namespace gfx {
class Device;
}
struct SceneContext;

// Every screen of the game. Scenes are built and initialised on a loader thread and then get
// one Frame per drawn frame on the main thread.
class Scene {
public:
    virtual ~Scene() = default;
    // Loads textures, sounds and sprites; runs once, right after construction.
    virtual bool Init(gfx::Device* device) = 0;
    // Updates and draws one frame, between the device's BeginScene and EndScene.
    virtual void Frame(gfx::Device* device, SceneContext& context) = 0;
    // A one-argument notification the game scene hands on to its character controller.
    virtual void Notify(std::intptr_t argument) = 0;
    // False until Init has finished. Only the title scene is ever seen unfinished (the switcher
    // lets it take over from the start-up scene once it is ready); others are always ready.
    virtual bool Ready() const { return true; }
};
