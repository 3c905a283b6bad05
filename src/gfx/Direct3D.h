#pragma once
#include <memory>

#include "gfx/Device.h"

// Creates the game's one device, presenting into the sink (the window, or the headless keeper).
// 0 on success, E_FAIL with the reason logged.
HRESULT InitDirect3D(gfx::FrameSink* sink, bool fullScreen, int width, int height);
gfx::Device* Direct3DDevice();
void ReleaseDirect3D();

// Lets tests and tools run frames on a device of their own, or wrap the game's.
void SetDirect3DDevice(std::unique_ptr<gfx::Device> device);
std::unique_ptr<gfx::Device> TakeDirect3DDevice();

