#pragma once

// The game's four archives, read from the data folder.
namespace pack {

constexpr const char kGraphicsPack[] = "wbk.dat";    // every picture
constexpr const char kWaveDataPack[] = "wbk_a.dat";  // the stages' waves and starting points
constexpr const char kEffectPack[] = "wbkse.dat";    // the sound effects
constexpr const char kMusicPack[] = "wbkbgm.dat";    // the music tracks

}  // namespace pack
