#pragma once
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "audio/WaveBuilder.h"
#include "gfx/PngCodec.h"
#include "resource/PackNames.h"
#include "resource/PackWriter.h"
#include "resource/RequiredAssets.h"

// Writes the graphics, effect and music packs into a folder with every asset the game
// requires: tiny transparent images, except the ones given, and short silent-ish sounds. Enough
// for the game to start up and pass its asset check. `leaveOut` names one asset to omit.
inline bool WriteTestPacks(const std::filesystem::path& folder,
                           const std::map<std::string, std::vector<std::uint8_t>>& images = {},
                           const std::string& leaveOut = "") {
    std::vector<std::uint8_t> blank;
    const std::uint32_t transparent = 0xFF00FF00u;
    if (!gfx::EncodePng(&transparent, 1, 1, blank)) {
        return false;
    }
    const std::vector<std::uint8_t> wave = MakeWave(WaveSpec{}, Pcm16(Sawtooth(64)));
    auto entries = [&](std::span<const char* const> names, const std::vector<std::uint8_t>& bytes) {
        std::vector<pack::Entry> list;
        for (const char* name : names) {
            if (name == leaveOut) {
                continue;
            }
            const auto special = images.find(name);
            list.push_back({name, special != images.end() ? special->second : bytes, 0});
        }
        return list;
    };
    std::string error;
    constexpr std::uint32_t kKey = 0x13572468u;
    return pack::WritePackFile((folder / pack::kGraphicsPack).string(), entries(required_assets::Textures(), blank), kKey,
                               error) &&
           pack::WritePackFile((folder / pack::kEffectPack).string(), entries(required_assets::Sounds(), wave), kKey,
                               error) &&
           pack::WritePackFile((folder / pack::kMusicPack).string(), entries(required_assets::MusicTracks(), wave), kKey,
                               error);
}

// A width x height PNG filled by colour(x, y).
template <typename Colour>
std::vector<std::uint8_t> TestImage(int width, int height, Colour colour) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(colour(x, y));
        }
    }
    std::vector<std::uint8_t> png;
    gfx::EncodePng(pixels.data(), width, height, png);
    return png;
}
