#pragma once
#include <string>
#include <vector>

namespace assetgen {

constexpr int kEffectRate = 22050;

// One mono effect at kEffectRate.
struct SoundEffect {
    std::string name;
    std::vector<float> samples;
};

std::vector<SoundEffect> MakeSoundEffects();

}  // namespace assetgen
