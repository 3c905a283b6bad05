#pragma once
#include <cstdint>
#include <mutex>
#include <string>

#include "audio/DirectSound.h"

// The music player: streams one track at a time from the music pack and loops it, with fades
// run once per frame by the scenes. A scene may load its first track on the loader thread while
// the main thread runs the fades, so the player's own state has a lock of its own. There is one, held by the registry; its buffer is the
// process's music stream (audio::MusicTrack), refilled by the music thread.
class DirectSoundStream : public DirectSound {
public:
    static constexpr double kFadeFloor = -3000.0;

    DirectSoundStream() = default;
    ~DirectSoundStream() override;

    // Loads a track without starting it; any fade or queued track is dropped.
    HRESULT Load(const char* path, std::uint32_t offset) override;
    void SetVolumePercent(int percent) override;
    void SetVolume(std::int32_t volume) override;
    // The effect slots, as the music player fills them: Play resumes, the other two update.
    void Play() override { Resume(); }
    void PlayFromStart() override { Update(); }
    void PlayLoopFromStart() override { Update(); }
    void Stop() override;

    // Clears the stopped flag, then updates.
    void Resume();
    // Once per frame: keeps a loaded track playing (unless stopped) and runs one fade step.
    void Update();

    // Mode 0 fades out towards -3000 over the frames, mode 1 fades in from -3000; the delay is
    // waited after a fade-out, or before a fade-in climbs.
    void StartFade(int mode, int frames, int delay);
    // Fades out, then switches to the track and fades it in.
    void QueueTrack(const char* path, std::uint32_t offset, int mode, int frames, int delay);

    double CurrentVolume() const;
    double BaseVolume() const;
    bool Fading() const;
    bool Stopped() const;

private:
    // The operations above, for callers that already hold the lock.
    HRESULT LoadLocked(const char* path, std::uint32_t offset);
    void UpdateLocked();
    void StartFadeLocked(int mode, int frames, int delay);
    void FadeStep();
    void ApplyCurrentVolume();
    // The level a fade-out ends at and a fade-in starts from; never louder than the player's own.
    double QuietVolume() const;

    mutable std::mutex mutex_;
    bool stopped = false;
    double currentVolume = 0.0;
    double baseVolume = 0.0;
    bool hasQueuedTrack = false;
    std::string queuedPath;
    std::uint32_t queuedOffset = 0;
    int fadeMode = 0;
    double fadeStep = 0.0;
    int fadeDelay = 0;
    bool fading = false;
};
