#pragma once
#include <span>

// The entry names the game cannot run without, checked once after the packs are loaded.
namespace required_assets {

// Images of the graphics pack, each of which must have loaded.
std::span<const char* const> Textures();
// Sound effects of the effect pack.
std::span<const char* const> Sounds();
// Music tracks of the music pack.
std::span<const char* const> MusicTracks();

}  // namespace required_assets
