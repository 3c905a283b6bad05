#pragma once
#include <cstdint>

class DirectSoundStream;

// The music pack's tracks by name, for the scenes that play them.
namespace music {

// The track's offset in the music pack; false (offset untouched) when the pack lacks it.
bool FindTrack(const char* name, std::uint32_t& offset);
// Loads the named track into the player without starting it; a missing track changes nothing.
void LoadTrack(DirectSoundStream& player, const char* name);
// Fades the current track out over the frames, waits the delay, then fades the named one in.
void QueueTrack(DirectSoundStream& player, const char* name, int frames, int delay);

}  // namespace music
