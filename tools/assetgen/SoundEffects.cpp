// The sound effects: short synthesized cues, each made to be told apart from the others in play.
#include "SoundEffects.h"

#include <algorithm>
#include <cmath>

#include "Loudness.h"
#include "Synth.h"

namespace assetgen {

namespace {

using namespace synth;

constexpr int kRate = kEffectRate;

using Samples = std::vector<float>;

// A note of a given shape with a plucked (exponential) envelope.
void Ping(Samples& s, float start, float midi, float length, Shape shape, float gain, float decay) {
    AddTone(s, kRate, start, length, shape, Hold(NoteFrequency(midi)),
            [=](float t) { return gain * std::exp(-t / decay); });
}

void Chirp(Samples& s, float start, float from, float to, float length, Shape shape, float gain) {
    AddTone(s, kRate, start, length, shape, Sweep(from, to, length),
            [=](float t) { return gain * (1.0f - t / length); });
}

void Burst(Samples& s, float start, float length, float low, float high, float gain, float decay, unsigned seed) {
    AddNoise(
        s, kRate, start, length, Hold(low), Hold(high), [=](float t) { return gain * std::exp(-t / decay); }, seed);
}

Samples Cancel() {
    Samples s;
    Ping(s, 0.0f, 76, 0.12f, Shape::Triangle, 0.6f, 0.05f);
    Ping(s, 0.07f, 69, 0.18f, Shape::Triangle, 0.6f, 0.06f);
    return s;
}

// Two low, flat buzzes: the battle will not do what was asked.
Samples Refuse() {
    Samples s;
    Ping(s, 0.0f, 45, 0.09f, Shape::Square, 0.45f, 0.08f);
    Ping(s, 0.11f, 45, 0.12f, Shape::Square, 0.45f, 0.08f);
    return s;
}

Samples Decide() {
    Samples s;
    Ping(s, 0.0f, 84, 0.15f, Shape::Square, 0.35f, 0.06f);
    Ping(s, 0.06f, 91, 0.3f, Shape::Square, 0.35f, 0.1f);
    return s;
}

Samples GameDecide() {
    Samples s;
    const float notes[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i) {
        Ping(s, 0.05f * static_cast<float>(i), notes[i], 0.6f, Shape::Triangle, 0.5f, 0.2f);
        Ping(s, 0.05f * static_cast<float>(i), notes[i] + 12, 0.4f, Shape::Sine, 0.25f, 0.12f);
    }
    Burst(s, 0.15f, 0.4f, 6000, 11000, 0.12f, 0.12f, 1);
    Echo(s, kRate, 0.11f, 0.3f);
    return s;
}

Samples ItemGet() {
    Samples s;
    Ping(s, 0.0f, 88, 0.08f, Shape::Square, 0.3f, 0.04f);
    Ping(s, 0.05f, 95, 0.2f, Shape::Square, 0.3f, 0.07f);
    return s;
}

Samples LockOn() {
    Samples s;
    for (int i = 0; i < 2; ++i) {
        Ping(s, 0.09f * static_cast<float>(i), 93, 0.06f, Shape::Pulse25, 0.35f, 0.1f);
    }
    Chirp(s, 0.18f, 1400, 2200, 0.12f, Shape::Sine, 0.3f);
    return s;
}

Samples MenuOpen() {
    Samples s;
    AddNoise(
        s, kRate, 0.0f, 0.25f, Hold(800), Sweep(1500, 7000, 0.25f),
        [](float t) { return 0.35f * std::sin(t / 0.25f * 3.14159f); }, 2);
    Ping(s, 0.12f, 81, 0.4f, Shape::Sine, 0.4f, 0.15f);
    Ping(s, 0.16f, 88, 0.4f, Shape::Sine, 0.3f, 0.15f);
    return s;
}

Samples Silence() { return Samples(kRate / 2, 0.0f); }

Samples PowerUp() {
    Samples s;
    for (int i = 0; i < 6; ++i) {
        Ping(s, 0.045f * static_cast<float>(i), 67.0f + 3.0f * static_cast<float>(i), 0.25f, Shape::Square, 0.25f,
             0.08f);
    }
    Chirp(s, 0.0f, 300, 1200, 0.3f, Shape::Triangle, 0.3f);
    Ping(s, 0.3f, 91, 0.5f, Shape::Sine, 0.35f, 0.2f);
    Echo(s, kRate, 0.09f, 0.25f);
    return s;
}

Samples Put() {
    Samples s;
    AddTone(s, kRate, 0.0f, 0.18f, Shape::Sine, Sweep(180, 60, 0.12f), Decay(0.05f));
    Burst(s, 0.0f, 0.06f, 300, 4000, 0.5f, 0.015f, 3);
    Ping(s, 0.03f, 79, 0.12f, Shape::Triangle, 0.2f, 0.04f);
    return s;
}

Samples PutOnCursor() {
    Samples s;
    Ping(s, 0.0f, 86, 0.05f, Shape::Triangle, 0.45f, 0.015f);
    return s;
}

Samples Select() {
    Samples s;
    Ping(s, 0.0f, 81, 0.08f, Shape::Square, 0.3f, 0.03f);
    return s;
}

Samples Sell() {
    Samples s;
    const float notes[] = {96, 91, 88, 84};
    for (int i = 0; i < 4; ++i) {
        Ping(s, 0.06f * static_cast<float>(i), notes[i], 0.2f, Shape::Sine, 0.35f, 0.06f);
        Ping(s, 0.06f * static_cast<float>(i), notes[i] + 7.02f, 0.2f, Shape::Sine, 0.15f, 0.05f);
    }
    return s;
}

Samples Stuck() {
    Samples s;
    for (int i = 0; i < 2; ++i) {
        AddTone(s, kRate, 0.14f * static_cast<float>(i), 0.11f, Shape::Square, Hold(150), Hold(0.35f));
        AddTone(s, kRate, 0.14f * static_cast<float>(i), 0.11f, Shape::Square, Hold(157), Hold(0.3f));
    }
    return s;
}

Samples SoulHit() {
    Samples s;
    AddTone(
        s, kRate, 0.0f, 0.6f, Shape::Sine, [](float t) { return 660.0f * (1.0f + 0.02f * std::sin(t * 40.0f)); },
        Decay(0.2f));
    AddTone(
        s, kRate, 0.0f, 0.6f, Shape::Sine, [](float t) { return 990.0f * (1.0f + 0.02f * std::sin(t * 33.0f)); },
        [](float t) { return 0.4f * std::exp(-t / 0.15f); });
    Echo(s, kRate, 0.09f, 0.35f);
    return s;
}

Samples EnemyAppear() {
    Samples s;
    AddTone(s, kRate, 0.0f, 0.7f, Shape::Saw, Sweep(110, 165, 0.5f),
            [](float t) { return 0.35f * std::sin(std::min(t / 0.7f, 1.0f) * 3.14159f); });
    AddTone(s, kRate, 0.0f, 0.7f, Shape::Saw, Sweep(111, 167, 0.5f),
            [](float t) { return 0.3f * std::sin(std::min(t / 0.7f, 1.0f) * 3.14159f); });
    AddNoise(
        s, kRate, 0.0f, 0.7f, Hold(200), Sweep(600, 3000, 0.7f),
        [](float t) { return 0.25f * std::sin(t / 0.7f * 3.14159f); }, 4);
    return s;
}

Samples EnemyDamage() {
    Samples s;
    Burst(s, 0.0f, 0.07f, 800, 5000, 0.6f, 0.02f, 5);
    AddTone(s, kRate, 0.0f, 0.06f, Shape::Square, Sweep(500, 250, 0.06f), Decay(0.02f));
    return s;
}

Samples EnemyDead() {
    Samples s;
    Burst(s, 0.0f, 0.15f, 300, 6000, 0.5f, 0.04f, 6);
    Chirp(s, 0.0f, 900, 200, 0.22f, Shape::Square, 0.3f);
    Ping(s, 0.05f, 84, 0.2f, Shape::Sine, 0.2f, 0.06f);
    return s;
}

Samples EnemyGoal() {
    Samples s;
    Ping(s, 0.0f, 70, 0.25f, Shape::Saw, 0.35f, 0.15f);
    Ping(s, 0.0f, 73, 0.25f, Shape::Saw, 0.25f, 0.15f);
    Ping(s, 0.16f, 63, 0.5f, Shape::Saw, 0.35f, 0.25f);
    Ping(s, 0.16f, 66, 0.5f, Shape::Saw, 0.25f, 0.25f);
    return s;
}

Samples NormalShot() {
    Samples s;
    Chirp(s, 0.0f, 1500, 500, 0.09f, Shape::Square, 0.35f);
    Burst(s, 0.0f, 0.04f, 2000, 8000, 0.2f, 0.01f, 7);
    return s;
}

Samples Spindle() {
    Samples s;
    Chirp(s, 0.0f, 3200, 1800, 0.05f, Shape::Triangle, 0.45f);
    Burst(s, 0.0f, 0.03f, 4000, 10000, 0.25f, 0.008f, 8);
    return s;
}

Samples BraskAmulet() {
    Samples s;
    AddNoise(s, kRate, 0.0f, 0.2f, Hold(1000), Sweep(3000, 8000, 0.2f), Decay(0.07f), 9);
    Ping(s, 0.0f, 79, 0.2f, Shape::Triangle, 0.3f, 0.06f);
    Ping(s, 0.04f, 86, 0.2f, Shape::Triangle, 0.25f, 0.06f);
    return s;
}

Samples Lantern() {
    Samples s;
    AddTone(
        s, kRate, 0.0f, 0.35f, Shape::Saw, [](float t) { return 60.0f + 20.0f * std::sin(t * 90.0f); }, Decay(0.12f));
    Burst(s, 0.0f, 0.35f, 1500, 9000, 0.45f, 0.08f, 10);
    AddTone(s, kRate, 0.0f, 0.3f, Shape::Square, Sweep(2000, 400, 0.3f),
            [](float t) { return 0.15f * std::exp(-t / 0.1f); });
    return s;
}

Samples Sunburst() {
    Samples s;
    for (int i = 0; i < 3; ++i) {
        Ping(s, 0.02f * static_cast<float>(i), 84.0f + 4.0f * static_cast<float>(i), 0.5f, Shape::Sine, 0.3f, 0.18f);
    }
    Burst(s, 0.0f, 0.4f, 5000, 12000, 0.2f, 0.12f, 11);
    Chirp(s, 0.0f, 400, 1600, 0.15f, Shape::Triangle, 0.25f);
    return s;
}

Samples Gale() {
    Samples s;
    AddNoise(
        s, kRate, 0.0f, 0.4f, Sweep(300, 1200, 0.4f), Sweep(1200, 5000, 0.3f),
        [](float t) { return 0.6f * std::sin(std::min(t / 0.4f, 1.0f) * 3.14159f); }, 12);
    Chirp(s, 0.0f, 700, 1400, 0.2f, Shape::Sine, 0.15f);
    return s;
}

Samples ShotBreak() {
    Samples s;
    Ping(s, 0.0f, 98, 0.15f, Shape::Sine, 0.4f, 0.04f);
    Ping(s, 0.0f, 104.5f, 0.12f, Shape::Sine, 0.2f, 0.03f);
    return s;
}

Samples Bomb() {
    Samples s;
    AddTone(s, kRate, 0.0f, 1.0f, Shape::Sine, Sweep(120, 35, 0.6f), Decay(0.3f));
    Burst(s, 0.0f, 1.0f, 40, 2500, 0.8f, 0.25f, 13);
    Burst(s, 0.05f, 0.8f, 4000, 11000, 0.15f, 0.3f, 14);
    return s;
}

Samples RayLazar() {
    Samples s;
    AddTone(s, kRate, 0.0f, 0.45f, Shape::Saw, Sweep(400, 2400, 0.2f),
            [](float t) { return 0.3f * std::exp(-t / 0.2f); });
    AddTone(s, kRate, 0.0f, 0.45f, Shape::Square, Sweep(800, 4800, 0.2f),
            [](float t) { return 0.12f * std::exp(-t / 0.15f); });
    return s;
}

Samples SpreadShot() {
    Samples s;
    Chirp(s, 0.0f, 900, 1800, 0.1f, Shape::Triangle, 0.4f);
    Ping(s, 0.03f, 96, 0.15f, Shape::Sine, 0.2f, 0.05f);
    return s;
}

Samples SpreadBomb() {
    Samples s;
    Burst(s, 0.0f, 0.35f, 100, 5000, 0.6f, 0.09f, 15);
    AddTone(s, kRate, 0.0f, 0.3f, Shape::Sine, Sweep(300, 80, 0.2f), Decay(0.08f));
    Ping(s, 0.02f, 91, 0.3f, Shape::Sine, 0.15f, 0.1f);
    return s;
}

Samples Missile() {
    Samples s;
    AddNoise(
        s, kRate, 0.0f, 0.5f, Hold(300), Sweep(1500, 4000, 0.4f),
        [](float t) { return 0.45f * std::min(t / 0.05f, 1.0f) * std::exp(-t / 0.25f); }, 16);
    Chirp(s, 0.0f, 200, 700, 0.3f, Shape::Saw, 0.2f);
    return s;
}

Samples Nebula() {
    Samples s;
    AddTone(
        s, kRate, 0.0f, 0.3f, Shape::Sine, [](float t) { return 700.0f + 300.0f * std::sin(t * 70.0f) + t * 1500.0f; },
        Decay(0.12f));
    Burst(s, 0.0f, 0.1f, 3000, 9000, 0.15f, 0.03f, 17);
    return s;
}

Samples PlanetarBorn() {
    Samples s;
    Ping(s, 0.0f, 79, 0.5f, Shape::Sine, 0.35f, 0.2f);
    Ping(s, 0.08f, 86, 0.5f, Shape::Sine, 0.3f, 0.2f);
    Ping(s, 0.16f, 91, 0.6f, Shape::Sine, 0.3f, 0.25f);
    Echo(s, kRate, 0.12f, 0.3f);
    return s;
}

Samples PlanetarExplo() {
    Samples s;
    Burst(s, 0.0f, 0.3f, 600, 7000, 0.6f, 0.06f, 18);
    Chirp(s, 0.0f, 1200, 300, 0.15f, Shape::Square, 0.25f);
    return s;
}

Samples PlanetarHit() {
    Samples s;
    Ping(s, 0.0f, 90, 0.2f, Shape::Square, 0.25f, 0.04f);
    Ping(s, 0.0f, 97.3f, 0.2f, Shape::Sine, 0.25f, 0.05f);
    Burst(s, 0.0f, 0.05f, 3000, 9000, 0.25f, 0.015f, 19);
    return s;
}

Samples BeamCharge() {
    Samples s;
    AddTone(s, kRate, 0.0f, 1.4f, Shape::Saw, Sweep(80, 640, 1.3f),
            [](float t) { return 0.3f * std::min(t / 1.2f, 1.0f); });
    AddTone(s, kRate, 0.0f, 1.4f, Shape::Sine, Sweep(160, 1280, 1.3f),
            [](float t) { return 0.25f * std::min(t / 1.2f, 1.0f); });
    AddNoise(
        s, kRate, 0.0f, 1.4f, Hold(2000), Sweep(3000, 12000, 1.3f), [](float t) { return 0.15f * t / 1.4f; }, 20);
    return s;
}

// Every effect leaves without an offset and without a click, at its role's loudness.
void Finish(Samples& s, SoundRole role) {
    RemoveOffset(s, kRate);
    FadeEnds(s, kRate, 0.002f, 0.015f);
    const float loudness = Loudness(s, kRate);
    const float peak = Peak(s);
    if (peak <= 0.0f) {
        return;
    }
    const float gain = std::min(std::pow(10.0f, (RoleLoudness(role) - loudness) / 20.0f), kEffectPeak / peak);
    for (float& v : s) {
        v *= gain;
    }
}

}  // namespace

float RoleLoudness(SoundRole role) {
    switch (role) {
        case SoundRole::Constant: return -21.0f;
        case SoundRole::Event: return -18.0f;
        case SoundRole::Rare: return -15.0f;
        case SoundRole::Alarm: return -12.0f;
        case SoundRole::Silence: break;
    }
    return -70.0f;
}

std::vector<SoundEffect> MakeSoundEffects() {
    using R = SoundRole;
    const struct {
        const char* name;
        R role;
        Samples (*make)();
    } table[] = {
        {"cansell.wav", R::Event, Cancel},
        {"decide.wav", R::Event, Decide},
        {"gamedecide.wav", R::Event, GameDecide},
        {"itemget.wav", R::Constant, ItemGet},
        {"lockon.wav", R::Constant, LockOn},
        {"menu_open.wav", R::Event, MenuOpen},
        {"nosound.wav", R::Silence, Silence},
        {"powerup.wav", R::Event, PowerUp},
        {"put.wav", R::Event, Put},
        {"refuse.wav", R::Event, Refuse},
        {"putoncursor.wav", R::Constant, PutOnCursor},
        {"select.wav", R::Constant, Select},
        {"sell.wav", R::Event, Sell},
        {"stuck.wav", R::Alarm, Stuck},
        {"soulhit.wav", R::Event, SoulHit},
        {"enemy_appear.wav", R::Event, EnemyAppear},
        {"enemy_damage.wav", R::Constant, EnemyDamage},
        {"enemy_dead.wav", R::Constant, EnemyDead},
        {"enemy_goal.wav", R::Alarm, EnemyGoal},
        {"ardel_normalshot.wav", R::Constant, NormalShot},
        {"ardel_spindle.wav", R::Constant, Spindle},
        {"ardel_braskamuret.wav", R::Constant, BraskAmulet},
        {"ardel_lantern.wav", R::Event, Lantern},
        {"ardel_sunburst.wav", R::Event, Sunburst},
        {"ardel_gale.wav", R::Event, Gale},
        {"ardel_shot_break.wav", R::Constant, ShotBreak},
        {"ardel_bomb.wav", R::Rare, Bomb},
        {"sovia_ray_lazar.wav", R::Event, RayLazar},
        {"sovia_spread_shot.wav", R::Constant, SpreadShot},
        {"sovia_spread_bomb.wav", R::Event, SpreadBomb},
        {"sovia_misile.wav", R::Constant, Missile},
        {"sovia_nebula.wav", R::Constant, Nebula},
        {"sovia_planetar_born.wav", R::Event, PlanetarBorn},
        {"sovia_planetar_explo.wav", R::Event, PlanetarExplo},
        {"sovia_planetar_hit.wav", R::Constant, PlanetarHit},
        {"sovia_beamcharge.wav", R::Rare, BeamCharge},
    };
    std::vector<SoundEffect> effects;
    for (const auto& entry : table) {
        Samples samples = entry.make();
        if (entry.role != R::Silence) {
            Finish(samples, entry.role);
        }
        effects.push_back({entry.name, entry.role, std::move(samples)});
    }
    return effects;
}

}  // namespace assetgen
