#include "audio/SoundOutput.h"

#include <SDL.h>

namespace audio {

namespace {

SDL_AudioDeviceID g_device = 0;

void FillFromMixer(void* userdata, Uint8* stream, int length) {
    auto* mixer = static_cast<Mixer*>(userdata);
    const auto frames = static_cast<std::size_t>(length) / (Mixer::kChannels * sizeof(std::int16_t));
    mixer->Mix(reinterpret_cast<std::int16_t*>(stream), frames);
}

}  // namespace

bool OpenDeviceOutput(Mixer& mixer, std::string& error) {
    if (g_device != 0) {
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return false;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(mixer.OutputRate());
    wanted.format = AUDIO_S16SYS;
    wanted.channels = Mixer::kChannels;
    wanted.samples = 1024;
    wanted.callback = &FillFromMixer;
    wanted.userdata = &mixer;
    // No changes allowed: SDL converts to whatever the hardware wants.
    g_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (g_device == 0) {
        error = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(g_device, 0);
    return true;
}

void CloseDeviceOutput() {
    if (g_device == 0) {
        return;
    }
    SDL_CloseAudioDevice(g_device);
    g_device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace audio
