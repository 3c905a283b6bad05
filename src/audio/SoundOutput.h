#pragma once
#include <string>

#include "audio/Mixer.h"

namespace audio {

// Plays the mixer through the default SDL audio device; its callback only mixes. False (with
// SDL's reason) when no device opens, and the game then runs silently.
bool OpenDeviceOutput(Mixer& mixer, std::string& error);
void CloseDeviceOutput();

}  // namespace audio
