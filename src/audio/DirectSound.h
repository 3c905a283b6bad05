#pragma once
#include <cstdint>
#include <memory>

#include "audio/SoundBuffer.h"
#include "base/Result.h"

// Where the sound goes: the default audio device, or nowhere (headless runs). Without a device
// everything still loads and "plays", silently.
enum class SoundOutput { Device, Null };

// Starts the sound system: 0 on success, 1 when it was started already or no device opened
// (reported to the player; the game goes on silently).
int InitDirectSound(SoundOutput output);
// Closes the audio device at exit. Sounds may still be released afterwards.
void ShutdownDirectSound();
int DirectSoundUserCount();

constexpr std::int32_t kVolumeSilence = -10000;
// Volume in percent to hundredths of a decibel: above 100 is full, below 1 is silence,
// otherwise 30 hundredths per percent below 100.
std::int32_t PercentToVolume(int percent);

// One sound effect: the whole sound in its own buffer. Starting it rewinds it, so an effect
// never overlaps itself. The music player derives from it.
class DirectSound {
public:
    DirectSound();
    virtual ~DirectSound();
    DirectSound(const DirectSound&) = delete;
    DirectSound& operator=(const DirectSound&) = delete;

    // Reads the RIFF WAVE file that starts at the offset inside the file.
    virtual HRESULT Load(const char* path, std::uint32_t offset);
    virtual void SetVolumePercent(int percent);
    virtual void SetVolume(std::int32_t volume);
    virtual void Play();
    virtual void PlayFromStart();
    virtual void PlayLoopFromStart();
    virtual void Stop();

    bool HasBuffer() const { return buffer != nullptr; }
    audio::SoundBuffer* Buffer() const { return buffer.get(); }
    bool Looping() const { return looping; }
    std::int32_t Volume() const { return volume; }

protected:
    std::unique_ptr<audio::SoundBuffer> buffer;
    bool looping = false;
    std::int32_t volume = 0;
};
