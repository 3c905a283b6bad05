#include "app/KeptPictures.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "app/PlayerFolder.h"
#include "base/FilePath.h"
#include "base/LogPutout.h"
#include "gfx/Direct3D.h"
#include "gfx/FrameRecorder.h"
#include "gfx/PngCodec.h"

gfx::FrameSink* KeptPictures::KeepFrames(gfx::FrameSink* next) {
    keptFrames_.emplace(next);
    return &*keptFrames_;
}

void KeptPictures::RecordDevice() {
    if (options_.recordings.empty()) {
        return;
    }
    auto recorder = std::make_unique<gfx::FrameRecorder>(TakeDirect3DDevice());
    recorder_ = recorder.get();
    SetDirect3DDevice(std::move(recorder));
}

void KeptPictures::BeforeFrame(std::uint32_t coming, bool comingIsLast) {
    if (recorder_ == nullptr) {
        return;
    }
    if (comingIsLast) {
        lastFrame_ = coming;
    }
    for (const LaunchOptions::FrameFile& file : options_.recordings) {
        if (RecordedFrame(file, coming)) {
            recorder_->Start();
            return;
        }
    }
}

// Keeping the pictures asked for counts to the present.
void KeptPictures::AfterFrame(std::uint32_t frame) {
    WriteScreenshots(frame);
    WriteRequestedScreenshot();
    WriteRecordings(frame);
}

// The frame last presented, which is also what a frame without a scene leaves on the screen.
void KeptPictures::WriteScreenshots(std::uint32_t frame) {
    for (const LaunchOptions::FrameFile& shot : options_.screenshots) {
        if (shot.frame == frame && !shot.last && !WriteLastFrame(shot.path)) {
            allWritten_ = false;
        }
    }
}

bool KeptPictures::WriteLastFrame(const std::string& path) {
    if (!gfx::WritePngFile(path, keptFrames_->LastFrame().data(), gfx::kFrameWidth, gfx::kFrameHeight)) {
        std::fprintf(stderr, "velmoria: cannot write screenshot '%s'\n", path.c_str());
        return false;
    }
    return true;
}

// F12's screenshot: the frame last shown, into the player's screenshot folder. Its failure is
// the player's to see on stderr; it does not fail the run.
void KeptPictures::WriteRequestedScreenshot() {
    if (!screenshotWanted_) {
        return;
    }
    screenshotWanted_ = false;
    std::filesystem::path folder;
    std::string error;
    if (!player_files::MakeSubfolder(player_files::kScreenshots, folder, error)) {
        std::fprintf(stderr, "velmoria: %s\n", error.c_str());
        return;
    }
    const std::filesystem::path path = player_files::FreshName(folder, "", ".png");
    if (WriteLastFrame(Utf8Of(path))) {
        WriteLog(("スクリーンショットを保存しました: " + Utf8Of(path)).c_str());
    }
}

void KeptPictures::WriteRecordings(std::uint32_t frame) {
    if (recorder_ == nullptr) {
        return;
    }
    for (const LaunchOptions::FrameFile& file : options_.recordings) {
        if (!RecordedFrame(file, frame)) {
            continue;
        }
        std::string error;
        if (!recorder_->Finished()) {
            std::fprintf(stderr, "velmoria: frame %u presented nothing to record in '%s'\n", frame, file.path.c_str());
            allWritten_ = false;
        } else if (!recorder_->Recording().Save(file.path, error)) {
            std::fprintf(stderr, "velmoria: %s\n", error.c_str());
            allWritten_ = false;
        }
    }
}

bool KeptPictures::RecordedFrame(const LaunchOptions::FrameFile& file, std::uint32_t frame) const {
    return file.last ? frame == lastFrame_ : frame == file.frame;
}

void KeptPictures::Finish(std::uint32_t frame) {
    for (const LaunchOptions::FrameFile& shot : options_.screenshots) {
        if (shot.last && !WriteLastFrame(shot.path)) {
            allWritten_ = false;
        }
    }
    for (const std::vector<LaunchOptions::FrameFile>* files : {&options_.screenshots, &options_.recordings}) {
        for (const LaunchOptions::FrameFile& file : *files) {
            if (file.frame > frame && !file.last) {
                std::fprintf(stderr, "velmoria: the run ended before frame %u; '%s' was not written\n", file.frame,
                             file.path.c_str());
                allWritten_ = false;
            }
        }
    }
    for (const LaunchOptions::FrameFile& file : options_.recordings) {
        if (file.last && lastFrame_ == 0) {
            std::fprintf(stderr,
                         "velmoria: the run's last frame was not known before it was drawn (only a replay's end or "
                         "--frames tell it); '%s' was not written\n",
                         file.path.c_str());
            allWritten_ = false;
        }
    }
}
