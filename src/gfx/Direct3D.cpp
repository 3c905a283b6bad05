#include "gfx/Direct3D.h"

#include "base/Language.h"
#include "base/LogPutout.h"
#include "gfx/SoftwareDevice.h"
#include "platform/MessageBox.h"

namespace {

std::unique_ptr<gfx::Device> g_device;

// Devices are tried in order of preference; the first that can be created is used. The
// software rasteriser is the reference device and is always available; a GPU device would take
// the first lines ("HARDWARE T&Lで動作します", "SOFTWARE HALで動作します").
struct DeviceCandidate {
    const char* logLine;
    std::unique_ptr<gfx::Device> (*create)(gfx::FrameSink* sink);
};

std::unique_ptr<gfx::Device> CreateReferenceDevice(gfx::FrameSink* sink) {
    return std::make_unique<gfx::SoftwareDevice>(sink);
}

constexpr DeviceCandidate kCandidates[] = {
    {"REFERENCE RASTERIZEで動作します", &CreateReferenceDevice},
};

}  // namespace

HRESULT InitDirect3D(gfx::FrameSink* sink, bool fullScreen, int width, int height) {
    // The frame is always 640 x 480; full screen only changes how the window shows it.
    (void)fullScreen;
    (void)width;
    (void)height;
    for (const DeviceCandidate& candidate : kCandidates) {
        if (std::unique_ptr<gfx::Device> device = candidate.create(sink)) {
            g_device = std::move(device);
            WriteLog(candidate.logLine);
            return S_OK;
        }
    }
    platform::ShowMessage("", N_MESSAGE("DirectX初期化失敗"));
    WriteLog("DirectX初期化失敗");
    return E_FAIL;
}

gfx::Device* Direct3DDevice() { return g_device.get(); }

void ReleaseDirect3D() { g_device.reset(); }

void SetDirect3DDevice(std::unique_ptr<gfx::Device> device) { g_device = std::move(device); }

std::unique_ptr<gfx::Device> TakeDirect3DDevice() { return std::move(g_device); }
