#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace synth {

namespace {

// A few milliseconds of fade at both ends so no sound starts or stops with a click.
float EdgeFade(float t, float length) { return std::clamp(std::min(t / 0.002f, (length - t) / 0.004f), 0.0f, 1.0f); }

}  // namespace

float Oscillator(Shape shape, float phase) {
    phase -= std::floor(phase);
    switch (shape) {
        case Shape::Sine:
            return std::sin(phase * kTau);
        case Shape::Triangle:
            return phase < 0.5f ? phase * 4.0f - 1.0f : 3.0f - phase * 4.0f;
        case Shape::Square:
            return phase < 0.5f ? 0.7f : -0.7f;
        case Shape::Pulse25:
            // Weighted to no offset: a quarter at +1.05 and three quarters at -0.35 average to 0.
            return phase < 0.25f ? 1.05f : -0.35f;
        case Shape::Saw:
            return (phase * 2.0f - 1.0f) * 0.7f;
    }
    return 0.0f;
}

float NoteFrequency(float midi) { return 440.0f * std::pow(2.0f, (midi - 69.0f) / 12.0f); }

float Envelope::At(float t, float held) const {
    if (t < 0.0f) {
        return 0.0f;
    }
    auto sustained = [&](float u) {
        if (u < attack) {
            return u / attack;
        }
        if (u < attack + decay) {
            return 1.0f - (1.0f - sustain) * (u - attack) / decay;
        }
        return sustain;
    };
    if (t < held) {
        return sustained(t);
    }
    const float level = sustained(held);
    const float r = (t - held) / std::max(release, 1e-4f);
    return r >= 1.0f ? 0.0f : level * (1.0f - r) * (1.0f - r);
}

float LowPass::Run(float in, float cutoff, int rate) {
    const float k = 1.0f - std::exp(-kTau * std::clamp(cutoff, 10.0f, rate * 0.45f) / static_cast<float>(rate));
    state_ += (in - state_) * k;
    return state_;
}

float HighPass::Run(float in, float cutoff, int rate) { return in - low_.Run(in, cutoff, rate); }

float ResonantLowPass::Run(float in, float cutoff, float resonance, int rate) {
    const float f = 2.0f * std::sin(3.14159265f * std::clamp(cutoff, 20.0f, rate * 0.2f) / static_cast<float>(rate));
    const float q = 1.0f - std::clamp(resonance, 0.0f, 0.95f);
    low_ += f * band_;
    const float high = in - low_ - q * band_;
    band_ += f * high;
    return low_;
}

void AddTone(std::vector<float>& out, int rate, float start, float length, Shape shape, const Curve& frequency,
             const Curve& amplitude) {
    const auto first = static_cast<std::size_t>(start * static_cast<float>(rate));
    const auto count = static_cast<std::size_t>(length * static_cast<float>(rate));
    if (out.size() < first + count) {
        out.resize(first + count, 0.0f);
    }
    float phase = 0.0f;
    for (std::size_t i = 0; i < count; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(rate);
        out[first + i] += Oscillator(shape, phase) * amplitude(t) * EdgeFade(t, length);
        phase += frequency(t) / static_cast<float>(rate);
    }
}

void AddNoise(std::vector<float>& out, int rate, float start, float length, const Curve& lowCut, const Curve& highCut,
              const Curve& amplitude, unsigned seed) {
    const auto first = static_cast<std::size_t>(start * static_cast<float>(rate));
    const auto count = static_cast<std::size_t>(length * static_cast<float>(rate));
    if (out.size() < first + count) {
        out.resize(first + count, 0.0f);
    }
    Rng rng(seed);
    HighPass high;
    LowPass low;
    for (std::size_t i = 0; i < count; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(rate);
        const float white = rng.Unit() * 2.0f - 1.0f;
        out[first + i] +=
            low.Run(high.Run(white, lowCut(t), rate), highCut(t), rate) * amplitude(t) * EdgeFade(t, length);
    }
}

void Echo(std::vector<float>& out, int rate, float delay, float feedback) {
    const auto gap = static_cast<std::size_t>(delay * static_cast<float>(rate));
    out.resize(out.size() + gap * 3, 0.0f);
    for (std::size_t i = gap; i < out.size(); ++i) {
        out[i] += out[i - gap] * feedback;
    }
}

void RemoveOffset(std::vector<float>& out, int rate) {
    // A one-pole high-pass at 20 Hz: far below anything meant to be heard.
    const float keep = std::exp(-kTau * 20.0f / static_cast<float>(rate));
    float lastIn = 0.0f;
    float lastOut = 0.0f;
    for (float& s : out) {
        lastOut = s - lastIn + keep * lastOut;
        lastIn = s;
        s = lastOut;
    }
}

void FadeEnds(std::vector<float>& out, int rate, float fadeIn, float fadeOut) {
    const auto in = std::min(out.size(), static_cast<std::size_t>(fadeIn * static_cast<float>(rate)));
    const auto tail = std::min(out.size(), static_cast<std::size_t>(fadeOut * static_cast<float>(rate)));
    for (std::size_t i = 0; i < in; ++i) {
        out[i] *= static_cast<float>(i) / static_cast<float>(in);
    }
    for (std::size_t i = 0; i < tail; ++i) {
        // A raised cosine from 1 down to exactly 0 at the last sample.
        const float x = static_cast<float>(i) / static_cast<float>(tail - 1 > 0 ? tail - 1 : 1);
        out[out.size() - 1 - i] *= 0.5f - 0.5f * std::cos(x * kTau * 0.5f);
    }
}

Curve Decay(float seconds) {
    return [seconds](float t) { return std::exp(-t / seconds); };
}

Curve Sweep(float from, float to, float seconds) {
    return [=](float t) { return from * std::pow(to / from, std::min(t / seconds, 1.0f)); };
}

Curve Hold(float value) {
    return [value](float) { return value; };
}

}  // namespace synth

}  // namespace assetgen
