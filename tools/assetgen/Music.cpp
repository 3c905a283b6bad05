#include "Music.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <tuple>

#include "Synth.h"

namespace assetgen {

namespace music {

namespace {

using namespace synth;

int PitchClass(char letter) {
    static const int classes[7] = {9, 11, 0, 2, 4, 5, 7};  // A..G
    return classes[letter - 'A'];
}

bool ParseNote(const std::string& token, float& midi) {
    if (token.empty() || token[0] < 'A' || token[0] > 'G') {
        return false;
    }
    int pitch = PitchClass(token[0]);
    std::size_t i = 1;
    for (; i < token.size() && (token[i] == '#' || token[i] == 'b'); ++i) {
        pitch += token[i] == '#' ? 1 : -1;
    }
    if (i >= token.size()) {
        return false;
    }
    midi = static_cast<float>(12 * (std::stoi(token.substr(i)) + 1) + pitch);
    return true;
}

float DrumPitch(Instrument drum) { return drum == Instrument::Tom ? 45.0f : 60.0f; }

// Renders one note, mono, into a scratch buffer; returns it with its length in samples.
std::vector<float> Voice(const Note& note, float secondsPerBeat, unsigned seed) {
    const float held = note.length * secondsPerBeat;
    const float f = NoteFrequency(note.midi);
    const auto rate = static_cast<float>(kMusicRate);
    Envelope env;
    float tail = 0.3f;
    switch (note.instrument) {
        case Instrument::Lead:
            env = {0.01f, 0.15f, 0.7f, 0.12f};
            break;
        case Instrument::Flute:
            env = {0.05f, 0.2f, 0.8f, 0.2f};
            break;
        case Instrument::Bell:
            env = {0.002f, 1.5f, 0.0f, 0.8f};
            tail = 1.5f;
            break;
        case Instrument::Pluck:
            env = {0.002f, 0.6f, 0.0f, 0.3f};
            tail = 0.6f;
            break;
        case Instrument::Pad:
            env = {0.35f, 0.5f, 0.8f, 0.7f};
            tail = 0.7f;
            break;
        case Instrument::Strings:
            env = {0.12f, 0.3f, 0.85f, 0.4f};
            tail = 0.4f;
            break;
        case Instrument::Bass:
            env = {0.005f, 0.2f, 0.6f, 0.06f};
            break;
        default:
            env = {0.001f, 0.2f, 0.0f, 0.05f};
            tail = 0.5f;
            break;
    }
    const auto count = static_cast<std::size_t>((held + tail + 0.05f) * rate);
    std::vector<float> out(count, 0.0f);
    Rng rng(seed);
    ResonantLowPass filter;
    HighPass high;
    LowPass low;
    float phase[3] = {0, 0.33f, 0.66f};
    float modPhase = 0;
    // Karplus-Strong string for the pluck.
    std::vector<float> string;
    std::size_t cursor = 0;
    if (note.instrument == Instrument::Pluck) {
        string.resize(std::max<std::size_t>(2, static_cast<std::size_t>(rate / f)));
        for (float& s : string) {
            s = rng.Unit() * 2.0f - 1.0f;
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        const float t = static_cast<float>(i) / rate;
        const float a = env.At(t, held) * note.velocity;
        const float vibrato = 1.0f + 0.006f * std::sin(t * 34.0f) * std::min(1.0f, std::max(0.0f, t - 0.2f) * 3.0f);
        float s = 0.0f;
        switch (note.instrument) {
            case Instrument::Lead: {
                phase[0] += f * vibrato / rate;
                phase[1] += f * 1.004f * vibrato / rate;
                const float raw = Oscillator(Shape::Square, phase[0]) * 0.6f + Oscillator(Shape::Saw, phase[1]) * 0.4f;
                s = filter.Run(raw, 1200.0f + 3500.0f * std::exp(-t / 0.25f), 0.3f, kMusicRate) * a;
                break;
            }
            case Instrument::Flute: {
                phase[0] += f * vibrato / rate;
                const float breath = (rng.Unit() * 2.0f - 1.0f) * 0.06f;
                s = (Oscillator(Shape::Sine, phase[0]) + 0.25f * Oscillator(Shape::Triangle, phase[0] * 2.0f) +
                     breath) *
                    a * 0.8f;
                break;
            }
            case Instrument::Bell: {
                modPhase += f * 3.5f / rate;
                phase[0] += f / rate;
                const float index = 2.5f * std::exp(-t / 0.4f);
                s = std::sin(kTau * phase[0] + index * std::sin(kTau * modPhase)) * a * std::exp(-t / 1.2f) * 0.8f;
                break;
            }
            case Instrument::Pluck: {
                const std::size_t next = (cursor + 1) % string.size();
                const float v = 0.5f * (string[cursor] + string[next]) * 0.996f;
                string[cursor] = v;
                cursor = next;
                s = low.Run(v, 3500.0f, kMusicRate) * a;
                break;
            }
            case Instrument::Pad:
            case Instrument::Strings: {
                const float detune[3] = {0.997f, 1.0f, 1.0035f};
                float raw = 0.0f;
                for (int k = 0; k < 3; ++k) {
                    phase[k] += f * detune[k] * (note.instrument == Instrument::Strings ? vibrato : 1.0f) / rate;
                    raw += Oscillator(Shape::Saw, phase[k]);
                }
                const float cutoff = note.instrument == Instrument::Pad ? 900.0f : 2400.0f;
                s = filter.Run(raw / 3.0f, cutoff, 0.1f, kMusicRate) * a;
                break;
            }
            case Instrument::Bass: {
                phase[0] += f / rate;
                const float raw =
                    Oscillator(Shape::Saw, phase[0]) * 0.7f + Oscillator(Shape::Sine, phase[0] * 0.5f) * 0.6f;
                s = filter.Run(raw, 300.0f + 1400.0f * std::exp(-t / 0.08f), 0.5f, kMusicRate) * a;
                break;
            }
            case Instrument::Kick: {
                modPhase += (45.0f + 110.0f * std::exp(-t / 0.03f)) / rate;
                s = std::sin(kTau * modPhase) * std::exp(-t / 0.18f) * note.velocity * 1.2f;
                break;
            }
            case Instrument::Snare: {
                modPhase += 190.0f / rate;
                const float noise = high.Run(rng.Unit() * 2.0f - 1.0f, 1200.0f, kMusicRate);
                s = (noise * std::exp(-t / 0.09f) + 0.5f * std::sin(kTau * modPhase) * std::exp(-t / 0.05f)) *
                    note.velocity * 0.7f;
                break;
            }
            case Instrument::Hat:
            case Instrument::OpenHat: {
                const float noise = high.Run(rng.Unit() * 2.0f - 1.0f, 7000.0f, kMusicRate);
                s = noise * std::exp(-t / (note.instrument == Instrument::Hat ? 0.03f : 0.18f)) * note.velocity * 0.45f;
                break;
            }
            case Instrument::Tom: {
                modPhase += NoteFrequency(DrumPitch(note.instrument)) * (1.0f + std::exp(-t / 0.05f)) / rate;
                s = std::sin(kTau * modPhase) * std::exp(-t / 0.2f) * note.velocity;
                break;
            }
        }
        out[i] = s;
    }
    return out;
}

// A small Schroeder reverb (four combs and two all-passes) for one channel.
std::vector<float> Reverb(const std::vector<float>& in, float spread) {
    const int combs[4] = {1116, 1188, 1277, 1356};
    const int passes[2] = {556, 441};
    std::vector<float> out(in.size(), 0.0f);
    for (const int length : combs) {
        const auto n = static_cast<std::size_t>(static_cast<float>(length) * 0.5f * spread);
        std::vector<float> line(n, 0.0f);
        float damp = 0.0f;
        for (std::size_t i = 0; i < in.size(); ++i) {
            const float y = line[i % n];
            damp = y * 0.6f + damp * 0.4f;
            line[i % n] = in[i] + damp * 0.8f;
            out[i] += y * 0.25f;
        }
    }
    for (const int length : passes) {
        const auto n = static_cast<std::size_t>(static_cast<float>(length) * 0.5f * spread);
        std::vector<float> line(n, 0.0f);
        for (std::size_t i = 0; i < out.size(); ++i) {
            const float b = line[i % n];
            const float x = out[i];
            line[i % n] = x + b * 0.5f;
            out[i] = b - x * 0.5f;
        }
    }
    return out;
}

}  // namespace

void AddMelody(Song& song, Instrument instrument, const std::string& text, float startBeat, float stepBeats,
               float velocity, float pan, int transpose) {
    std::istringstream tokens(text);
    std::string token;
    float beat = startBeat;
    Note* last = nullptr;
    while (tokens >> token) {
        if (token == "|") {
            continue;
        }
        float midi = 0;
        if (token == "-") {
            if (last != nullptr) {
                last->length += stepBeats;
            }
        } else if (ParseNote(token, midi)) {
            song.notes.push_back({beat, stepBeats, midi + static_cast<float>(transpose), velocity, pan, instrument});
            last = &song.notes.back();
        } else {
            last = nullptr;  // a rest
        }
        beat += stepBeats;
    }
}

void AddHarmony(Song& song, std::size_t first, int keyRoot, bool minor, bool sixth, Instrument instrument,
                float velocity, float pan) {
    static const int major[7] = {0, 2, 4, 5, 7, 9, 11};
    static const int naturalMinor[7] = {0, 2, 3, 5, 7, 8, 10};
    const int* scale = minor ? naturalMinor : major;
    const int steps = sixth ? 5 : 2;  // scale steps down
    const std::size_t last = song.notes.size();
    for (std::size_t i = first; i < last; ++i) {
        const Note note = song.notes[i];
        const int midi = static_cast<int>(note.midi);
        const int fromKey = ((midi - keyRoot) % 12 + 12) % 12;
        // Notes outside the scale (leading tones) take the scale step just below them.
        int degree = 6;
        while (degree > 0 && scale[degree] > fromKey) {
            --degree;
        }
        const int octave = (midi - keyRoot - fromKey) / 12;
        const int target = degree - steps;
        const int wrapped = (target % 7 + 7) % 7;
        const int octaveShift = target < 0 ? -1 : 0;
        const int pitch = keyRoot + 12 * (octave + octaveShift) + scale[wrapped];
        song.notes.push_back({note.start, note.length, static_cast<float>(pitch), velocity, pan, instrument});
    }
}

Chord ParseChord(const std::string& name) {
    Chord chord;
    int pitch = PitchClass(name[0]);
    std::size_t i = 1;
    if (i < name.size() && (name[i] == '#' || name[i] == 'b')) {
        pitch += name[i] == '#' ? 1 : -1;
        ++i;
    }
    chord.root = 60 + (pitch + 12) % 12;
    const std::string quality = name.substr(i);
    if (quality == "m") {
        chord.intervals = {0, 3, 7};
    } else if (quality == "m7") {
        chord.intervals = {0, 3, 7, 10};
    } else if (quality == "7") {
        chord.intervals = {0, 4, 7, 10};
    } else if (quality == "maj7") {
        chord.intervals = {0, 4, 7, 11};
    } else if (quality == "sus4") {
        chord.intervals = {0, 5, 7};
    } else if (quality == "dim") {
        chord.intervals = {0, 3, 6};
    } else if (quality == "add9") {
        chord.intervals = {0, 4, 7, 14};
    } else {
        chord.intervals = {0, 4, 7};
    }
    return chord;
}

std::vector<Chord> Progression(const std::string& names) {
    std::istringstream tokens(names);
    std::string name;
    std::vector<Chord> chords;
    while (tokens >> name) {
        if (name != "|") {
            chords.push_back(ParseChord(name));
        }
    }
    return chords;
}

void AddPad(Song& song, Instrument instrument, const std::vector<Chord>& chords, int octave, float velocity,
            int firstBar) {
    const auto bar = static_cast<float>(song.beatsPerBar);
    const auto first = static_cast<float>(firstBar);
    for (std::size_t b = 0; b < chords.size(); ++b) {
        for (std::size_t k = 0; k < chords[b].intervals.size(); ++k) {
            // Fold the voicing into one octave above the target C for smooth movement.
            const int pitch = (chords[b].root + chords[b].intervals[k]) % 12 + 12 * (octave + 1);
            const float pan = (static_cast<float>(k) - 1.5f) * 0.3f;
            song.notes.push_back(
                {bar * (first + static_cast<float>(b)), bar, static_cast<float>(pitch), velocity, pan, instrument});
        }
    }
}

void AddArpeggio(Song& song, Instrument instrument, const std::vector<Chord>& chords, const std::vector<int>& order,
                 float stepBeats, int octave, float velocity, float pan, int firstBar) {
    const auto bar = static_cast<float>(song.beatsPerBar);
    const auto first = static_cast<float>(firstBar);
    const int steps = static_cast<int>(bar / stepBeats);
    for (std::size_t b = 0; b < chords.size(); ++b) {
        const Chord& chord = chords[b];
        for (int s = 0; s < steps; ++s) {
            const int index = order[static_cast<std::size_t>(s) % order.size()];
            const int tone =
                chord.intervals[static_cast<std::size_t>(index % 10) % chord.intervals.size()] + (index >= 10 ? 12 : 0);
            const int pitch = chord.root - 60 + 12 * (octave + 1) + tone;
            const float accent = s % 4 == 0 ? 1.0f : 0.8f;
            const float beat = bar * (first + static_cast<float>(b)) + stepBeats * static_cast<float>(s);
            song.notes.push_back({beat, stepBeats * 1.5f,
                                  static_cast<float>(pitch), velocity * accent, pan, instrument});
        }
    }
}

void AddBass(Song& song, const std::vector<Chord>& chords, const std::string& pattern, float stepBeats, int octave,
             float velocity, int firstBar) {
    const auto bar = static_cast<float>(song.beatsPerBar);
    const auto first = static_cast<float>(firstBar);
    for (std::size_t b = 0; b < chords.size(); ++b) {
        const int root = chords[b].root - 60 + 12 * (octave + 1);
        Note* last = nullptr;
        for (std::size_t s = 0; s < pattern.size(); ++s) {
            const char c = pattern[s];
            const float beat = bar * (first + static_cast<float>(b)) + stepBeats * static_cast<float>(s);
            int offset = -1;
            switch (c) {
                case 'R':
                    offset = 0;
                    break;
                case '5':
                    offset = 7;
                    break;
                case 'O':
                    offset = 12;
                    break;
                case '3':
                    offset = chords[b].intervals[1];
                    break;
                case '-':
                    if (last != nullptr) {
                        last->length += stepBeats;
                    }
                    continue;
                default:
                    last = nullptr;
                    continue;
            }
            song.notes.push_back(
                {beat, stepBeats * 0.9f, static_cast<float>(root + offset), velocity, 0, Instrument::Bass});
            last = &song.notes.back();
        }
    }
}

void AddDrums(Song& song, Instrument drum, const std::string& pattern, float stepBeats, int firstBar, int bars,
              float velocity, float pan) {
    const auto bar = static_cast<float>(song.beatsPerBar);
    const int perBar = static_cast<int>(bar / stepBeats);
    for (int b = firstBar; b < firstBar + bars; ++b) {
        for (int s = 0; s < perBar; ++s) {
            const char c = pattern[static_cast<std::size_t>(s) % pattern.size()];
            if (c == 'x' || c == 'o') {
                song.notes.push_back({bar * static_cast<float>(b) + stepBeats * static_cast<float>(s), stepBeats,
                                      DrumPitch(drum), velocity * (c == 'x' ? 1.0f : 0.55f), pan, drum});
            }
        }
    }
}

std::vector<float> Render(const Song& song) {
    const float spb = song.SecondsPerBeat();
    const auto loop = static_cast<std::size_t>(song.LengthBeats() * spb * static_cast<float>(kMusicRate));
    std::vector<float> left(loop, 0.0f);
    std::vector<float> right(loop, 0.0f);
    std::vector<float> send(loop, 0.0f);
    // Alike notes share one rendering; the noise of a voice is seeded by what it is, so the
    // same song always sounds the same.
    std::map<std::tuple<Instrument, float, float, float>, std::vector<float>> voices;
    for (const Note& note : song.notes) {
        const auto key = std::make_tuple(note.instrument, note.midi, note.length, note.velocity);
        auto [found, added] = voices.try_emplace(key);
        if (added) {
            const auto seed = static_cast<unsigned>(note.instrument) * 7919u + static_cast<unsigned>(note.midi) * 131u +
                              static_cast<unsigned>(note.length * 64.0f) * 17u +
                              static_cast<unsigned>(note.velocity * 1000.0f);
            found->second = Voice(note, spb, seed);
        }
        const std::vector<float>& voice = found->second;
        const auto first = static_cast<std::size_t>(note.start * spb * static_cast<float>(kMusicRate));
        const float gl = std::sqrt(0.5f * (1.0f - note.pan));
        const float gr = std::sqrt(0.5f * (1.0f + note.pan));
        const bool drum = note.instrument >= Instrument::Kick;
        const float wet = drum ? 0.3f : 1.0f;
        // Anything that rings past the end wraps onto the start: the loop is seamless.
        for (std::size_t i = 0; i < voice.size(); ++i) {
            const std::size_t at = (first + i) % loop;
            left[at] += voice[i] * gl;
            right[at] += voice[i] * gr;
            send[at] += voice[i] * wet;
        }
    }
    // The reverb runs over two laps of the loop and keeps the second, so its tail wraps too.
    std::vector<float> twice(send);
    twice.insert(twice.end(), send.begin(), send.end());
    const std::vector<float> wetLeft = Reverb(twice, 1.0f);
    const std::vector<float> wetRight = Reverb(twice, 1.07f);
    std::vector<float> stereo(loop * 2);
    float peak = 0.0f;
    for (std::size_t i = 0; i < loop; ++i) {
        stereo[2 * i] = left[i] + wetLeft[loop + i] * song.reverb;
        stereo[2 * i + 1] = right[i] + wetRight[loop + i] * song.reverb;
        peak = std::max({peak, std::fabs(stereo[2 * i]), std::fabs(stereo[2 * i + 1])});
    }
    if (peak > 0.0f) {
        for (float& s : stereo) {
            s *= 0.8f / peak;
        }
    }
    return stereo;
}

}  // namespace music

}  // namespace assetgen
