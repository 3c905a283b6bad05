#include "app/SceneFrame.h"

#include "base/LogPutout.h"
#include "gfx/Direct3D.h"
#include "scene/Scene.h"

void DrawSceneFrame(Scene* scene, SceneContext& context, FrameOverlay* overlay) {
    gfx::Device* device = Direct3DDevice();
    if (scene == nullptr || device == nullptr) {
        return;
    }
    if (FAILED(device->Clear(0xFF000000u, 1.0f, 0))) {
        return;
    }
    if (SUCCEEDED(device->BeginScene())) {
        scene->Frame(device, context);
        if (overlay != nullptr) {
            overlay->Draw(device);
        }
        device->EndScene();
    }
    if (device->Present() == gfx::ERR_DEVICELOST) {
        if (FAILED(device->Reset())) {
            WriteLog("デバイスのリセットに失敗しました");
        }
    }
}
