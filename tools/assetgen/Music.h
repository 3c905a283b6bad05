#pragma once
#include <string>
#include <vector>

namespace assetgen {

// A small sequencer: songs are note lists for a few simple instruments, rendered to a stereo
// loop whose end flows back into its beginning without a seam.
namespace music {

constexpr int kMusicRate = 22050;

enum class Instrument { Lead, Flute, Bell, Pluck, Pad, Strings, Bass, Kick, Snare, Hat, OpenHat, Tom };

struct Note {
    float start = 0;   // beats
    float length = 1;  // beats
    float midi = 60;
    float velocity = 0.7f;
    float pan = 0;  // -1 left .. 1 right
    Instrument instrument = Instrument::Lead;
};

struct Song {
    float bpm = 120;
    int bars = 16;
    int beatsPerBar = 4;
    float reverb = 0.25f;  // send level
    std::vector<Note> notes;

    float SecondsPerBeat() const { return 60.0f / bpm; }
    float LengthBeats() const { return static_cast<float>(bars * beatsPerBar); }
};

// Notes written as text, one token per step: "C5", "F#4", "Bb3", "r" (rest) or "-" (hold the
// previous note one more step); "|" is ignored and only helps reading bars.
void AddMelody(Song& song, Instrument instrument, const std::string& text, float startBeat, float stepBeats,
               float velocity, float pan = 0, int transpose = 0);

// Doubles the notes added since `first` a diatonic third below (a sixth when `sixth`), in the
// major or natural minor scale of `keyRoot` (a pitch class, 0 = C), on another instrument.
void AddHarmony(Song& song, std::size_t first, int keyRoot, bool minor, bool sixth, Instrument instrument,
                float velocity, float pan);

struct Chord {
    int root = 0;  // midi note of the root in octave 4
    std::vector<int> intervals;
};
Chord ParseChord(const std::string& name);
// One chord name per bar, separated by spaces.
std::vector<Chord> Progression(const std::string& names);

// The chord helpers below play one chord per bar, the first in bar `firstBar`.
// Held chords voiced around the given octave's C.
void AddPad(Song& song, Instrument instrument, const std::vector<Chord>& chords, int octave, float velocity,
            int firstBar = 0);
// Chord tones in the given order of indices (0 root, 1 third, ...; 10+ is an octave up), one per step.
void AddArpeggio(Song& song, Instrument instrument, const std::vector<Chord>& chords, const std::vector<int>& order,
                 float stepBeats, int octave, float velocity, float pan, int firstBar = 0);
// A bass pattern per bar: 'R' root, '5' fifth, 'O' octave, '3' third, '.' rest, '-' hold, one char per step.
void AddBass(Song& song, const std::vector<Chord>& chords, const std::string& pattern, float stepBeats, int octave,
             float velocity, int firstBar = 0);
// A drum pattern: 'x' hit, 'o' soft hit, '.' nothing; one char per step, repeated for the bars given.
void AddDrums(Song& song, Instrument drum, const std::string& pattern, float stepBeats, int firstBar, int bars,
              float velocity, float pan = 0);

// Interleaved stereo samples at kMusicRate, exactly the song's length. Notes that are alike
// (instrument, pitch, length and velocity) are rendered once and placed again, which keeps long
// songs cheap to build.
std::vector<float> Render(const Song& song);

struct Track {
    std::string name;
    std::vector<float> stereo;
};
std::vector<Track> ComposeTracks();

}  // namespace music

}  // namespace assetgen
