#include "app/ShellWindow.h"

#include <cstdio>
#include <string>
#include <vector>

#include "base/LogPutout.h"
#include "gfx/PngCodec.h"
#include "resource/FilePackLoad.h"
#include "resource/PackNames.h"

namespace {

// The window wears the game's crest from the graphics pack. A missing or damaged pack is the
// start-up scene's to report; the window then simply keeps the desktop's default icon.
void ShowCrest(platform::Window& window) {
    CFilePackLoad graphics;
    std::vector<std::uint8_t> bytes;
    gfx::Image crest;
    if (graphics.TryOpen(pack::kGraphicsPack) && graphics.ReadEntry("ruvani.png", bytes) &&
        gfx::DecodePng(bytes.data(), bytes.size(), crest)) {
        window.SetIcon(crest.argb.data(), crest.width, crest.height);
    }
}

// How the window shows the frames, and why, in the log.
void LogPresentPath(const platform::Window& window) {
    const std::string& detail = window.ReasonDetail();
    switch (window.Reason()) {
    case platform::PathReason::Smooth: {
        WriteLog("画面: 滑らかな拡大のためレンダラーで表示します");
        return;
    }
    case platform::PathReason::Accelerated: {
        WriteLog(("画面: レンダラー " + detail + " で拡大して表示します").c_str());
        return;
    }
    case platform::PathReason::DrawnByProcessor: {
        WriteLog(("画面: レンダラー " + detail + " はプロセッサで描くため、ゲームがウィンドウのピクセルへ直接拡大して表示します").c_str());
        return;
    }
    case platform::PathReason::NoWindowPixels: {
        WriteLog(("画面: ウィンドウのピクセルに書けないのでレンダラーで表示します (" + detail + ")").c_str());
        return;
    }
    case platform::PathReason::Asked: {
        const bool own = window.Path() == platform::PresentPath::WindowSurface;
        WriteLog(own ? "画面: ウィンドウのピクセルへ直接拡大して表示します" : "画面: レンダラーで表示します");
        return;
    }
    }
}

}  // namespace

bool ShellWindow::StartVideo() {
    std::string error;
    if (!platform::StartVideo(error)) {
        std::fprintf(stderr,
                     "velmoria: cannot open a window (%s); run with --headless, or under a virtual display: "
                     "xvfb-run -a velmoria --window\n",
                     error.c_str());
        return false;
    }
    videoStarted_ = true;
    return true;
}

bool ShellWindow::Open(const platform::WindowLook& look, platform::WindowEvents& events) {
    std::string error;
    window_ = platform::Window::Create(look, gfx::kFrameWidth, gfx::kFrameHeight, events, error);
    if (window_ == nullptr) {
        std::fprintf(stderr, "velmoria: cannot open a window (%s); run with --headless or under xvfb-run\n",
                     error.c_str());
        return false;
    }
    LogPresentPath(*window_);
    ShowCrest(*window_);
    return true;
}

bool ShellWindow::PreparedFrames::ShowFrame(const std::uint32_t* argb) {
    owner_.pending_ = owner_.window_->PrepareFrame(argb);
    return owner_.pending_;
}

void ShellWindow::Show() {
    if (!window_->PresentFrame() && !showFailed_) {
        showFailed_ = true;
        WriteLog("画面の表示に失敗しました");
    }
}

void ShellWindow::Close() {
    window_.reset();
    if (videoStarted_) {
        platform::StopVideo();
        videoStarted_ = false;
    }
}
