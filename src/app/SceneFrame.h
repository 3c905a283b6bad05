#pragma once

class Scene;
struct SceneContext;

namespace gfx {
class Device;
}

// Something the shell draws over a scene's frame, inside the same scene (the fast-forward sign).
class FrameOverlay {
public:
    virtual ~FrameOverlay() = default;
    virtual void Draw(gfx::Device* device) = 0;
};

// One device frame for one scene: clear, the scene's frame (and the overlay, if any), present,
// and a reset when the device was lost. A null scene does nothing.
void DrawSceneFrame(Scene* scene, SceneContext& context, FrameOverlay* overlay = nullptr);
