#pragma once
#include <string>
#include <vector>

namespace assetgen {

constexpr int kEffectRate = 22050;

// What an effect is for sets how loud it is: the sounds heard all the time sit quietly under the
// music, the events of play above them, the rare big moments higher, the alarms highest.
enum class SoundRole { Constant, Event, Rare, Alarm, Silence };

// The loudness (Loudness.h, LUFS) an effect of the role is set to.
float RoleLoudness(SoundRole role);
// No effect peaks above this (-1 dBFS): a loud role stops short of its loudness rather than clip.
constexpr float kEffectPeak = 0.891f;

// One mono effect at kEffectRate.
struct SoundEffect {
    std::string name;
    SoundRole role = SoundRole::Event;
    std::vector<float> samples;
};

std::vector<SoundEffect> MakeSoundEffects();

}  // namespace assetgen
