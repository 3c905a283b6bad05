#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <numeric>
#include <set>

#include "Loudness.h"
#include "Music.h"
#include "SoundEffects.h"
#include "Synth.h"
#include "Wave.h"

namespace {

using namespace assetgen;

using music::Instrument;

TEST(SoundSynthesis, WaveFilesCarryAPcmHeaderAndClipSoftly) {
    const std::vector<std::uint8_t> bytes = EncodeWave({0.0f, 1.5f, -1.5f, 0.5f}, 22050, 2);
    ASSERT_EQ(bytes.size(), 44u + 8u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(bytes[20], 1);   // linear PCM
    EXPECT_EQ(bytes[22], 2);   // channels
    EXPECT_EQ(bytes[32], 4);   // block align
    EXPECT_EQ(bytes[34], 16);  // bits
    auto sample = [&](int i) { return static_cast<std::int16_t>(bytes[44 + 2 * i] | bytes[45 + 2 * i] << 8); };
    EXPECT_EQ(sample(0), 0);
    EXPECT_GT(sample(1), 30000);
    EXPECT_LE(sample(1), 32767);
    EXPECT_EQ(sample(2), -sample(1));
    EXPECT_EQ(sample(3), 16384);
}

TEST(SoundSynthesis, EnvelopeRisesHoldsAndReleasesToSilence) {
    const synth::Envelope env{0.1f, 0.1f, 0.5f, 0.2f};
    EXPECT_FLOAT_EQ(env.At(0.0f, 1.0f), 0.0f);
    EXPECT_NEAR(env.At(0.1f, 1.0f), 1.0f, 1e-4f);
    EXPECT_NEAR(env.At(0.5f, 1.0f), 0.5f, 1e-4f);
    EXPECT_LT(env.At(1.1f, 1.0f), 0.5f);
    EXPECT_FLOAT_EQ(env.At(1.25f, 1.0f), 0.0f);
    // A note let go during its attack releases from where it got to, without a jump.
    EXPECT_NEAR(env.At(0.05f, 0.05f), 0.5f, 1e-4f);
    EXPECT_NEAR(synth::NoteFrequency(69), 440.0f, 1e-3f);
    EXPECT_NEAR(synth::NoteFrequency(81), 880.0f, 1e-2f);
}

TEST(SoundSynthesis, EffectsAreAllNamedOnceStartWithoutOffsetAndEndInSilence) {
    const std::vector<SoundEffect> effects = MakeSoundEffects();
    std::set<std::string> names;
    for (const SoundEffect& effect : effects) {
        EXPECT_TRUE(names.insert(effect.name).second) << effect.name;
        ASSERT_FALSE(effect.samples.empty()) << effect.name;
        // Faded in and out to exactly nothing, so starting and stopping never click.
        EXPECT_EQ(effect.samples.back(), 0.0f) << effect.name;
        EXPECT_LT(std::fabs(effect.samples.front()), 0.01f) << effect.name;
        // Neither the opening 60 ms nor the whole sits off the centre line (a pulse wave's offset).
        auto mean = [&](std::size_t count) {
            count = std::min(count, effect.samples.size());
            return std::accumulate(effect.samples.begin(), effect.samples.begin() + static_cast<std::ptrdiff_t>(count),
                                   0.0) /
                   static_cast<double>(count);
        };
        EXPECT_LT(std::fabs(mean(kEffectRate * 60 / 1000)), 0.02) << effect.name;
        EXPECT_LT(std::fabs(mean(effect.samples.size())), 0.002) << effect.name;
    }
    EXPECT_EQ(names.size(), 36u);  // the game's 35 and the guides' refusal
}

// Each effect is as loud as its role asks (a loud one may stop short to keep its peak below
// -1 dBFS): the sounds heard all the time are the quietest, the alarms the loudest.
TEST(SoundSynthesis, EffectsAreLevelledByLoudnessAccordingToTheirRole) {
    std::map<SoundRole, std::vector<float>> levels;
    for (const SoundEffect& effect : MakeSoundEffects()) {
        const float loudness = Loudness(effect.samples, kEffectRate);
        const float peak = Peak(effect.samples);
        EXPECT_LE(peak, kEffectPeak + 1e-4f) << effect.name;
        if (effect.role == SoundRole::Silence) {
            EXPECT_EQ(peak, 0.0f) << effect.name;
            continue;
        }
        const float target = RoleLoudness(effect.role);
        if (peak < kEffectPeak - 1e-3f) {
            EXPECT_NEAR(loudness, target, 0.3f) << effect.name;
        } else {
            EXPECT_LT(loudness, target) << effect.name << " was held back by its peak, yet is louder than its role";
        }
        levels[effect.role].push_back(loudness);
    }
    const SoundRole order[] = {SoundRole::Constant, SoundRole::Event, SoundRole::Rare, SoundRole::Alarm};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        ASSERT_FALSE(levels[order[i]].empty());
        EXPECT_LT(*std::max_element(levels[order[i]].begin(), levels[order[i]].end()),
                  *std::min_element(levels[order[i + 1]].begin(), levels[order[i + 1]].end()));
    }
}

// The loudness measure itself: a full-scale 1 kHz sine reads about -3 (the K-weighting adds
// ~0.7 dB at 1 kHz to the -3 dB of a sine's power), halving the amplitude takes off 6 dB, and
// the silence around a sound does not dilute it.
TEST(SoundSynthesis, LoudnessFollowsPowerAndIgnoresSilence) {
    std::vector<float> sine(kEffectRate / 2);
    for (std::size_t i = 0; i < sine.size(); ++i) {
        sine[i] = std::sin(synth::kTau * 1000.0f * static_cast<float>(i) / kEffectRate);
    }
    const float full = Loudness(sine, kEffectRate);
    EXPECT_NEAR(full, -3.0f, 0.5f);
    std::vector<float> half = sine;
    for (float& v : half) {
        v *= 0.5f;
    }
    EXPECT_NEAR(Loudness(half, kEffectRate), full - 6.02f, 0.05f);
    std::vector<float> padded(kEffectRate * 2, 0.0f);
    std::copy(sine.begin(), sine.end(), padded.begin() + kEffectRate);
    EXPECT_NEAR(Loudness(padded, kEffectRate), full, 0.5f);
    EXPECT_EQ(Loudness(std::vector<float>(1000, 0.0f), kEffectRate), -70.0f);
    // A low hum counts for less than a tone the ear is keen on.
    std::vector<float> hum(sine.size());
    for (std::size_t i = 0; i < hum.size(); ++i) {
        hum[i] = std::sin(synth::kTau * 40.0f * static_cast<float>(i) / kEffectRate);
    }
    EXPECT_LT(Loudness(hum, kEffectRate), full - 2.0f);
}

TEST(SoundSynthesis, MelodyTextBecomesNotesWithHoldsAndRests) {
    music::Song song;
    music::AddMelody(song, Instrument::Flute, "C4 - - | E4 r G#4 Bb3", 2.0f, 0.5f, 0.7f, 0.0f, 12);
    ASSERT_EQ(song.notes.size(), 4u);
    EXPECT_FLOAT_EQ(song.notes[0].start, 2.0f);
    EXPECT_FLOAT_EQ(song.notes[0].length, 1.5f);
    EXPECT_FLOAT_EQ(song.notes[0].midi, 72.0f);
    EXPECT_FLOAT_EQ(song.notes[1].start, 3.5f);
    EXPECT_FLOAT_EQ(song.notes[1].midi, 76.0f);
    EXPECT_FLOAT_EQ(song.notes[2].start, 4.5f);  // after the rest
    EXPECT_FLOAT_EQ(song.notes[2].midi, 80.0f);
    EXPECT_FLOAT_EQ(song.notes[3].midi, 70.0f);
}

TEST(SoundSynthesis, HarmonyFollowsTheScaleOfTheKey) {
    music::Song song;
    song.notes.push_back({0, 1, 60, 0.5f, 0, Instrument::Lead});  // before `first`: left alone
    music::AddMelody(song, Instrument::Lead, "F#5 C#6 D5", 1.0f, 1.0f, 0.5f);
    music::AddHarmony(song, 1, 2, false, false, Instrument::Flute, 0.2f, 0.3f);  // D major, thirds
    ASSERT_EQ(song.notes.size(), 7u);
    EXPECT_FLOAT_EQ(song.notes[4].midi, 74.0f);  // F#5 -> D5
    EXPECT_FLOAT_EQ(song.notes[5].midi, 81.0f);  // C#6 -> A5
    EXPECT_FLOAT_EQ(song.notes[6].midi, 71.0f);  // D5 -> B4, across the octave
    EXPECT_FLOAT_EQ(song.notes[6].start, 3.0f);
    EXPECT_EQ(song.notes[6].instrument, Instrument::Flute);

    music::Song minor;
    music::AddMelody(minor, Instrument::Lead, "D#5 F6", 0, 1, 0.5f);
    music::AddHarmony(minor, 0, 4, true, false, Instrument::Lead, 0.2f, 0);  // E minor: D# is taken as D
    EXPECT_FLOAT_EQ(minor.notes[2].midi, 71.0f);                              // B4
    music::Song sixth;
    music::AddMelody(sixth, Instrument::Lead, "F6", 0, 1, 0.5f);
    music::AddHarmony(sixth, 0, 5, false, true, Instrument::Strings, 0.2f, 0);  // F major, a sixth below
    EXPECT_FLOAT_EQ(sixth.notes[1].midi, 81.0f);                                // A5
}

TEST(SoundSynthesis, ChordNamesGiveRootsAndQualities) {
    const music::Chord minorSeventh = music::ParseChord("F#m7");
    EXPECT_EQ(minorSeventh.root, 66);
    EXPECT_EQ(minorSeventh.intervals, (std::vector<int>{0, 3, 7, 10}));
    EXPECT_EQ(music::ParseChord("Bbmaj7").root, 70);
    EXPECT_EQ(music::ParseChord("Cb").root, 71);
    EXPECT_EQ(music::ParseChord("G").intervals, (std::vector<int>{0, 4, 7}));
    EXPECT_EQ(music::Progression("C | Am F G").size(), 4u);
}

TEST(SoundSynthesis, BassPatternsFollowTheChordRoots) {
    music::Song song;
    song.beatsPerBar = 4;
    music::AddBass(song, music::Progression("C G"), "R-5.O...", 0.5f, 2, 0.5f);
    ASSERT_EQ(song.notes.size(), 6u);
    EXPECT_FLOAT_EQ(song.notes[0].midi, 36.0f);
    EXPECT_FLOAT_EQ(song.notes[0].length, 0.95f);  // held for a second step
    EXPECT_FLOAT_EQ(song.notes[1].midi, 43.0f);
    EXPECT_FLOAT_EQ(song.notes[2].midi, 48.0f);
    EXPECT_FLOAT_EQ(song.notes[3].start, 4.0f);
    EXPECT_FLOAT_EQ(song.notes[3].midi, 43.0f);  // G in the second bar
}

TEST(SoundSynthesis, RenderedSongsLastExactlyTheirBarsAndWrapTheirTails) {
    music::Song song;
    song.bpm = 120;
    song.bars = 1;
    song.reverb = 0;
    // A bell struck on the last beat rings on past the end of the bar.
    song.notes.push_back({3.5f, 0.5f, 72, 0.8f, 0, Instrument::Bell});
    const std::vector<float> stereo = music::Render(song);
    ASSERT_EQ(stereo.size(), static_cast<std::size_t>(2 * 2 * music::kMusicRate));
    float head = 0;
    for (std::size_t i = 0; i < 2000; ++i) {
        head = std::max(head, std::fabs(stereo[i]));
    }
    EXPECT_GT(head, 0.05f) << "the ringing tail should continue at the start of the loop";
    float middle = 0;
    for (std::size_t i = 2 * 22050; i < 2 * 33075; ++i) {
        middle = std::max(middle, std::fabs(stereo[i]));
    }
    EXPECT_LT(middle, head);
}

}  // namespace
