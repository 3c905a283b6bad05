#pragma once
#include <memory>

#include "gfx/Device.h"

class Scene;
struct SceneContext;

// Creates the game's one device, presenting into the sink (the window, or the headless keeper).
// 0 on success, E_FAIL with the reason logged.
HRESULT InitDirect3D(gfx::FrameSink* sink, bool fullScreen, int width, int height);
gfx::Device* Direct3DDevice();
void ReleaseDirect3D();

// Lets tests and tools run frames on a device of their own.
void SetDirect3DDevice(std::unique_ptr<gfx::Device> device);

// One frame for one scene: clear, the scene's Frame between BeginScene and EndScene, present,
// and a reset when the device reports it was lost.
void DrawSceneFrame(Scene* scene, SceneContext& context);
