#pragma once
#include <functional>
#include <vector>

#include "Noise.h"

namespace assetgen {

// Small synthesis toolkit shared by the sound effects and the music.
namespace synth {

constexpr float kTau = 6.2831853f;

enum class Shape { Sine, Triangle, Square, Saw, Pulse25 };

float Oscillator(Shape shape, float phase);
float NoteFrequency(float midi);

// Attack-decay-sustain-release amplitude at time t of a note held for `held` seconds.
struct Envelope {
    float attack = 0.005f;
    float decay = 0.1f;
    float sustain = 0.6f;
    float release = 0.1f;
    float At(float t, float held) const;
    float Length(float held) const { return held + release; }
};

// One-pole filters with a per-sample coefficient from a cutoff in hertz.
class LowPass {
public:
    float Run(float in, float cutoff, int rate);

private:
    float state_ = 0.0f;
};

class HighPass {
public:
    float Run(float in, float cutoff, int rate);

private:
    LowPass low_;
};

// A resonant state-variable low-pass, for basses and pads.
class ResonantLowPass {
public:
    float Run(float in, float cutoff, float resonance, int rate);

private:
    float low_ = 0.0f;
    float band_ = 0.0f;
};

// Mono buffer helpers for effects: a tone whose frequency follows f(t), shaped by env(t).
using Curve = std::function<float(float)>;
void AddTone(std::vector<float>& out, int rate, float start, float length, Shape shape, const Curve& frequency,
             const Curve& amplitude);
void AddNoise(std::vector<float>& out, int rate, float start, float length, const Curve& lowCut, const Curve& highCut,
              const Curve& amplitude, unsigned seed);
// Simple feedback echo in place.
void Echo(std::vector<float>& out, int rate, float delay, float feedback);
// Takes out any constant offset (a DC-blocking high-pass), which the ear does not hear but which
// costs headroom and clicks where the sound starts and stops.
void RemoveOffset(std::vector<float>& out, int rate);
// Linear fade-in and raised-cosine fade-out over the given seconds; the last sample is 0.
void FadeEnds(std::vector<float>& out, int rate, float fadeIn, float fadeOut);

Curve Decay(float seconds);                        // exp(-t / seconds)
Curve Sweep(float from, float to, float seconds);  // exponential glide, then held
Curve Hold(float value);

}  // namespace synth

}  // namespace assetgen
