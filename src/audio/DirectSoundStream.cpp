#include "audio/DirectSoundStream.h"

#include <algorithm>

#include "audio/StreamingTrack.h"

namespace {
constexpr int kFadeOut = 0;
constexpr int kFadeIn = 1;
constexpr double kSwitchFadeInStep = 50.0;
}  // namespace

DirectSoundStream::~DirectSoundStream() { audio::MusicTrack().Release(); }

HRESULT DirectSoundStream::Load(const char* path, std::uint32_t offset) {
    const std::lock_guard lock(mutex_);
    return LoadLocked(path, offset);
}

HRESULT DirectSoundStream::LoadLocked(const char* path, std::uint32_t offset) {
    fadeStep = 0.0;
    fading = false;
    stopped = false;
    fadeDelay = 0;
    hasQueuedTrack = false;
    queuedPath.clear();
    return audio::MusicTrack().Load(path, offset, static_cast<std::int32_t>(currentVolume));
}

void DirectSoundStream::SetVolumePercent(int percent) { SetVolume(PercentToVolume(percent)); }

void DirectSoundStream::SetVolume(std::int32_t hundredthsOfDecibel) {
    const std::lock_guard lock(mutex_);
    volume = std::clamp(hundredthsOfDecibel, kVolumeSilence, 0);
    currentVolume = baseVolume = volume;
    ApplyCurrentVolume();
}

void DirectSoundStream::Stop() {
    const std::lock_guard lock(mutex_);
    stopped = true;
    audio::MusicTrack().Stop();
}

void DirectSoundStream::Resume() {
    const std::lock_guard lock(mutex_);
    stopped = false;
    UpdateLocked();
}

void DirectSoundStream::Update() {
    const std::lock_guard lock(mutex_);
    UpdateLocked();
}

void DirectSoundStream::UpdateLocked() {
    if (!stopped) {
        audio::MusicTrack().PlayLooping();
    }
    if (fading) {
        FadeStep();
    }
}

double DirectSoundStream::QuietVolume() const { return std::min(kFadeFloor, baseVolume); }

void DirectSoundStream::StartFade(int mode, int frames, int delay) {
    const std::lock_guard lock(mutex_);
    StartFadeLocked(mode, frames, delay);
}

void DirectSoundStream::StartFadeLocked(int mode, int frames, int delay) {
    fadeDelay = delay;
    if (mode != kFadeOut && mode != kFadeIn) {
        return;
    }
    const int steps = std::max(frames, 1);
    fading = true;
    fadeMode = mode;
    if (mode == kFadeOut) {
        currentVolume = baseVolume;
        fadeStep = (QuietVolume() - baseVolume) / steps;
    } else {
        currentVolume = QuietVolume();
        fadeStep = static_cast<double>(3000 / steps);
    }
    ApplyCurrentVolume();
}

void DirectSoundStream::QueueTrack(const char* path, std::uint32_t offset, int mode, int frames, int delay) {
    const std::lock_guard lock(mutex_);
    hasQueuedTrack = path != nullptr;
    queuedPath = path != nullptr ? path : "";
    queuedOffset = offset;
    StartFadeLocked(mode, frames, delay);
}

void DirectSoundStream::FadeStep() {
    if (fadeMode == kFadeIn) {
        if (fadeDelay < 1) {
            currentVolume += fadeStep;
        } else {
            --fadeDelay;
        }
        if (currentVolume >= baseVolume) {
            currentVolume = baseVolume;
            fading = false;
        }
    } else {
        currentVolume += fadeStep;
        // A player volume at or below the floor has nothing to fade: it is quiet already.
        const bool quiet = currentVolume < kFadeFloor || baseVolume <= kFadeFloor;
        if (quiet) {
            if (fadeDelay > 0) {
                --fadeDelay;
            } else if (hasQueuedTrack) {
                const std::string path = queuedPath;
                LoadLocked(path.c_str(), queuedOffset);
                currentVolume = QuietVolume();
                fadeMode = kFadeIn;
                fadeStep = kSwitchFadeInStep;
                fadeDelay = 0;
                fading = true;
            } else {
                fading = false;
            }
        }
    }
    ApplyCurrentVolume();
}

double DirectSoundStream::CurrentVolume() const {
    const std::lock_guard lock(mutex_);
    return currentVolume;
}

double DirectSoundStream::BaseVolume() const {
    const std::lock_guard lock(mutex_);
    return baseVolume;
}

bool DirectSoundStream::Fading() const {
    const std::lock_guard lock(mutex_);
    return fading;
}

bool DirectSoundStream::Stopped() const {
    const std::lock_guard lock(mutex_);
    return stopped;
}

void DirectSoundStream::ApplyCurrentVolume() {
    audio::MusicTrack().SetVolume(static_cast<std::int32_t>(currentVolume));
}
