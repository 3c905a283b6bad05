#pragma once
#include <algorithm>
#include <string>

#include "gfx/FrameRecording.h"
#include "gfx/PngCodec.h"
#include "gfx/SoftwareDevice.h"
#include "support/TempDir.h"

// Whether the recorded frame, replayed on a fresh device, draws the screenshot pixel for pixel;
// false with the reason when either file cannot be read.
inline bool ReplaysToScreenshot(const std::string& frameFile, const std::string& pngFile, std::string& error) {
    gfx::FrameRecording recording;
    if (!recording.Load(frameFile, error)) {
        return false;
    }
    gfx::SoftwareDevice device(nullptr);
    recording.Play(device, recording.MakeTextures(device));
    const std::string bytes = ReadWholeFile(pngFile);
    gfx::Image image;
    if (!gfx::DecodePng(bytes.data(), bytes.size(), image)) {
        error = "cannot read " + pngFile;
        return false;
    }
    error.clear();
    return std::equal(image.argb.begin(), image.argb.end(), device.Frame());
}
