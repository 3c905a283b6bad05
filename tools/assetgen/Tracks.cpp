// The five music tracks. Each plays its first section, a contrasting second one (another
// progression, other instruments, a lighter or heavier beat) and the first again with a
// variation, then loops: well over ninety seconds before anything repeats, so a nine-minute
// stage does not hear the same half-minute over and over. Melodies step in eighth notes.
#include "Music.h"

namespace assetgen {

namespace music {

namespace {

using I = Instrument;

float BeatOf(const Song& s, int bar) { return static_cast<float>(bar * s.beatsPerBar); }

// The shape every track takes: the verse, a contrasting middle, then the verse again, varied
// (`againBars` of it), before the loop goes round.
struct Form {
    float bpm;
    float reverb;
    int verseBars;
    int middleBars;
    int againBars;
    void (*verse)(Song&, int at, bool again);
    void (*middle)(Song&, int at);
};

Song Compose(const Form& form) {
    Song s;
    s.bpm = form.bpm;
    s.reverb = form.reverb;
    s.bars = form.verseBars + form.middleBars + form.againBars;
    form.verse(s, 0, false);
    form.middle(s, form.verseBars);
    form.verse(s, form.verseBars + form.middleBars, true);
    return s;
}

// Title: bright and inviting. D major, a singing lead over a pluck arpeggio and light drums.
void TitleVerse(Song& s, int at, bool again) {
    const auto chords = Progression("D A Bm G | D A G A | Bm G D A | G A D A7");
    AddPad(s, I::Pad, chords, 4, 0.16f, at);
    const std::vector<int> order =
        again ? std::vector<int>{0, 2, 10, 2, 1, 2, 10, 11} : std::vector<int>{0, 1, 2, 10, 2, 1, 0, 1};
    AddArpeggio(s, I::Pluck, chords, order, 0.5f, 4, 0.28f, 0.35f, at);
    AddBass(s, chords, again ? "R-.RO-5." : "R-.R5-R.", 0.5f, 2, 0.5f, at);
    // The second time round the tune moves to the flute, with a bell an octave above.
    const Instrument lead = again ? I::Flute : I::Lead;
    const std::string verse =
        "F#5 - A5 - D6 - C#6 B5 | A5 - - - E5 - F#5 G5 | F#5 - D5 - B4 - D5 F#5 | G5 - - F#5 E5 - D5 - |"
        "F#5 - A5 - D6 - E6 F#6 | E6 - - C#6 A5 - - - | B5 - A5 G5 F#5 - E5 - | E5 - F#5 - G5 - A5 - |";
    AddMelody(s, lead, verse, BeatOf(s, at), 0.5f, again ? 0.3f : 0.33f, -0.1f);
    if (again) {
        AddMelody(s, I::Bell, verse, BeatOf(s, at), 0.5f, 0.08f, 0.45f, 12);
    }
    // The second half sings in thirds.
    const std::size_t chorus = s.notes.size();
    AddMelody(s, lead,
              "B5 - - A5 F#5 - D5 - | G5 - A5 - B5 - D6 - | A5 - - F#5 D5 - F#5 A5 | C#6 - - B5 A5 - - - |"
              "B5 - D6 - G6 - F#6 E6 | C#6 - A5 - E6 - C#6 - | D6 - - - A5 - F#5 - | E5 - F#5 - G5 - A5 -",
              BeatOf(s, at + 8), 0.5f, 0.33f, -0.1f);
    AddHarmony(s, chorus, 2, false, false, again ? I::Strings : I::Flute, 0.17f, 0.35f);
    AddMelody(s, I::Bell, "r r r r r r r r | r r r r A6 - - - | r r r r r r r r | r r r r D7 - - -",
              BeatOf(s, at + 4), 0.5f, 0.12f, 0.5f);
    AddDrums(s, I::Kick, "x...x...x...x...", 0.25f, at, 16, 0.6f);
    AddDrums(s, I::Snare, "....x.......x...", 0.25f, at + (again ? 0 : 4), again ? 16 : 12, 0.4f);
    AddDrums(s, I::Hat, again ? "x.x.x.x.x.x.x.xo" : "..x...x...x...xo", 0.25f, at, 16, 0.35f, 0.3f);
}

// The title's middle: B minor, strings and a bell arpeggio under the flute, half-time drums.
void TitleBridge(Song& s, int at) {
    const auto chords = Progression("Bm G D A | Bm G Em F# | G A F#m Bm | Em G A A");
    AddPad(s, I::Strings, chords, 4, 0.15f, at);
    AddArpeggio(s, I::Bell, chords, {0, 1, 2, 1}, 1.0f, 5, 0.1f, 0.4f, at);
    AddBass(s, chords, "R---R-5-", 0.5f, 2, 0.45f, at);
    AddMelody(s, I::Flute,
              "F#5 - - - D5 - B4 - | G5 - - - F#5 - E5 - | F#5 - - - A5 - F#5 - | E5 - - - - - C#5 - |"
              "D5 - - - F#5 - B5 - | B5 - A5 - G5 - E5 - | E5 - - - F#5 - G5 - | F#5 - - - - - r r |"
              "B5 - - - G5 - D5 - | C#6 - - - A5 - E5 - | C#6 - - - A5 - F#5 - | D6 - - - B5 - F#5 - |"
              "E6 - D6 - B5 - G5 - | D6 - - - B5 - G5 - | A5 - - - C#6 - E6 - | A5 - - - - - r r |",
              BeatOf(s, at), 0.5f, 0.3f, -0.15f);
    AddDrums(s, I::Kick, "x.......x.......", 0.25f, at, 16, 0.5f);
    AddDrums(s, I::Snare, "........x.......", 0.25f, at + 8, 8, 0.3f);
    AddDrums(s, I::Hat, "..o...o...o...o.", 0.25f, at, 16, 0.25f, 0.3f);
}


// Preparation: calm and thoughtful. Slow seventh chords, bell arpeggios and a breathy flute.
void PrepareVerse(Song& s, int at, bool again) {
    // The varied return plays the first eight bars only; C at its end leads home.
    const int bars = again ? 8 : 12;
    const auto all = Progression("Fmaj7 Em7 Dm7 Cmaj7 | Bbmaj7 Am7 Gm7 C | Fmaj7 Am7 Bbmaj7 Csus4");
    const std::vector<Chord> chords(all.begin(), all.begin() + bars);
    AddPad(s, I::Pad, chords, 4, 0.2f, at);
    AddArpeggio(s, again ? I::Pluck : I::Bell, chords, {0, 2, 3, 1, 10, 2}, 0.5f, 5, again ? 0.12f : 0.14f, 0.4f, at);
    AddBass(s, chords, "R---5---", 0.5f, 2, 0.4f, at);
    const std::string tune =
        "A5 - - - G5 - E5 - | G5 - - - - - r r | F5 - E5 - D5 - C5 - | E5 - - - - - r r |"
        "D5 - F5 - A5 - - - | C6 - - - B5 - A5 - | Bb5 - - - A5 - G5 - | E5 - - - - - r r |"
        "A5 - C6 - - - A5 - | E5 - - - G5 - A5 - | F5 - - - D5 - F5 - | G5 - - - - - - - |";
    // Eight steps a bar; only as many bars as this verse has.
    std::string cut;
    int steps = 0;
    for (std::size_t i = 0; i < tune.size() && steps < 8 * bars; ++i) {
        cut += tune[i];
        if (tune[i] != ' ' && tune[i] != '|' && (i + 1 == tune.size() || tune[i + 1] == ' ')) {
            ++steps;
        }
    }
    const std::size_t first = s.notes.size();
    AddMelody(s, I::Flute, cut, BeatOf(s, at), 0.5f, 0.26f, -0.15f);
    if (again) {
        AddHarmony(s, first, 5, false, true, I::Strings, 0.13f, 0.3f);
    }
    AddDrums(s, I::Hat, "..o...o...o...o.", 0.25f, at + 4, bars - 4, 0.2f, 0.3f);
    AddDrums(s, I::Kick, "x.......x.......", 0.25f, at + 4, bars - 4, 0.35f);
}

// The preparation's middle: D minor with a borrowed E-flat, a bell tune over plucked strings.
void PrepareBridge(Song& s, int at) {
    const auto chords = Progression("Dm Am Bb F | Gm Dm Eb C | Dm Bb C C");
    AddPad(s, I::Strings, chords, 4, 0.14f, at);
    AddArpeggio(s, I::Pluck, chords, {0, 1, 2, 10}, 0.5f, 4, 0.16f, -0.35f, at);
    AddBass(s, chords, "R-------", 0.5f, 2, 0.4f, at);
    AddMelody(s, I::Bell,
              "D5 - - - F5 - A5 - | E5 - - - C5 - - - | D5 - F5 - Bb5 - - - | A5 - - - - - r r |"
              "G5 - - - Bb5 - D6 - | A5 - - - F5 - D5 - | G5 - - - Eb5 - G5 - | E5 - - - - - r r |"
              "F5 - - - A5 - D6 - | D6 - C6 - Bb5 - F5 - | G5 - - - E5 - C5 - | C5 - - - - - - - |",
              BeatOf(s, at), 0.5f, 0.22f, 0.2f);
    AddDrums(s, I::Hat, "......o.......o.", 0.25f, at, 12, 0.16f, -0.3f);
}


// Corridor stage: driving. E minor at a brisk tempo, galloping bass and a pushing beat.
void MarshVerse(Song& s, int at, bool again) {
    const auto chords = Progression("Em C D Em | Em C D B7 | Am C D Em | Am C B7 B7 | Em C D Em");
    AddPad(s, I::Strings, chords, 4, 0.13f, at);
    AddBass(s, chords, again ? "RORORORO" : "RRORRORR", 0.5f, 2, 0.5f, at);
    AddArpeggio(s, I::Pluck, chords, again ? std::vector<int>{0, 10, 2, 10} : std::vector<int>{0, 2, 10, 2}, 0.25f, 4,
                0.16f, -0.4f, at);
    const std::string theme =
        "E5 - - B4 E5 - G5 - | G5 - E5 - C5 - - - | D5 - F#5 - A5 - G5 F#5 | E5 - - - - - B4 - |"
        "E5 - - B4 E5 - G5 - | A5 - G5 - E5 - C5 - | D5 - E5 - F#5 - A5 - | B5 - - - A5 - F#5 - |";
    const std::string bridge =
        "A5 - - - C6 - B5 A5 | G5 - - - E5 - G5 - | F#5 - A5 - D6 - C6 B5 | B5 - - - - - G5 - |"
        "A5 - - - C6 - B5 A5 | G5 - E5 - G5 - C6 - | B5 - A5 - F#5 - D#5 - | B4 - D#5 - F#5 - A5 - |";
    AddMelody(s, I::Lead, theme, BeatOf(s, at), 0.5f, 0.3f, 0.1f, again ? 12 : 0);
    // The bridge answers in thirds, a second lead on the other side.
    const std::size_t answer = s.notes.size();
    AddMelody(s, I::Lead, bridge, BeatOf(s, at + 8), 0.5f, 0.3f, 0.1f);
    AddHarmony(s, answer, 4, true, false, again ? I::Strings : I::Lead, 0.17f, -0.4f);
    AddMelody(s, I::Lead, "E5 - - B4 E5 - G5 - | G5 - E5 - C5 - - - | D5 - F#5 - A5 - G5 F#5 | E5 - - - B4 - D#5 -",
              BeatOf(s, at + 16), 0.5f, 0.3f, 0.1f);
    AddDrums(s, I::Kick, "x.....x.x.......", 0.25f, at, 20, 0.65f);
    AddDrums(s, I::Snare, "....x.......x..o", 0.25f, at, 20, 0.45f);
    AddDrums(s, I::Hat, "x.x.x.x.x.x.x.x.", 0.25f, at, 20, 0.3f, 0.25f);
    AddDrums(s, I::Tom, "............x.x.", 0.25f, at + 7, 1, 0.5f, -0.3f);
    AddDrums(s, I::Tom, "............x.x.", 0.25f, at + 15, 1, 0.5f, -0.3f);
}

// The corridor's middle: the sun comes out in C major, strings carry the tune over a half-time
// beat, and B7 turns back to the minor.
void MarshBridge(Song& s, int at) {
    const auto chords = Progression("C G Am Em | F C Dm G | C G Am Em | F G C C | Am D B7 B7");
    AddPad(s, I::Pad, chords, 4, 0.15f, at);
    AddArpeggio(s, I::Bell, chords, {0, 1, 2, 10, 2, 1}, 0.5f, 5, 0.09f, 0.4f, at);
    AddBass(s, chords, "R---5-R-", 0.5f, 2, 0.45f, at);
    AddMelody(s, I::Strings,
              "E5 - - - G5 - C6 - | B5 - - - D5 - G5 - | A5 - - - C6 - E5 - | G5 - - - - - E5 - |"
              "F5 - - - A5 - C6 - | C6 - B5 - G5 - E5 - | F5 - - - A5 - D6 - | D6 - - - B5 - G5 - |"
              "E5 - G5 - C6 - E6 - | D6 - - - B5 - G5 - | C6 - - - A5 - E5 - | B4 - - - - - r r |"
              "A5 - - - C6 - F6 - | D6 - - - B5 - G5 - | C6 - - - G5 - E5 - | C5 - - - - - - - |"
              "A5 - C6 - E6 - C6 - | D6 - - - F#5 - A5 - | B5 - - - D#6 - F#6 - | F#6 - - - D#6 - B5 - |",
              BeatOf(s, at), 0.5f, 0.3f, -0.1f);
    AddDrums(s, I::Kick, "x.......x.......", 0.25f, at, 20, 0.55f);
    AddDrums(s, I::Snare, "........x.......", 0.25f, at, 20, 0.4f);
    AddDrums(s, I::Hat, "..x...x...x...x.", 0.25f, at, 20, 0.28f, 0.25f);
}


// Library stage: mysterious. D minor with a raised seventh, bells and plucks in the dark.
void LornVerse(Song& s, int at, bool again) {
    const auto chords = Progression("Dm Bb Gm A | Dm F C A7 | Gm Dm Bb A7 | Dm A7");
    AddPad(s, I::Pad, chords, 3, 0.2f, at);
    AddArpeggio(s, I::Pluck, chords, again ? std::vector<int>{10, 2, 1, 0, 1, 2} : std::vector<int>{0, 1, 2, 10, 2, 1},
                0.5f, 4, 0.2f, 0.45f, at);
    AddBass(s, chords, "R-----5-", 0.5f, 2, 0.45f, at);
    AddMelody(s, again ? I::Flute : I::Bell,
              "A5 - - - D6 - - - | F5 - - - - - E5 F5 | G5 - - - Bb5 - A5 G5 | E5 - - - C#5 - - - |"
              "D5 - F5 - A5 - - - | C6 - - - A5 - F5 - | E5 - G5 - C6 - Bb5 A5 | A5 - - - - - - - |"
              "G5 - Bb5 - D6 - - - | F5 - - - A5 - - - | Bb5 - - - D6 - Bb5 - | C#6 - - - E6 - - - |"
              "D6 - - - A5 - F5 - | E5 - - - C#5 - - -",
              BeatOf(s, at), 0.5f, again ? 0.24f : 0.28f, -0.2f);
    AddMelody(s, again ? I::Bell : I::Flute, "D5 - - - - - - - C#5 - - - - - - -", BeatOf(s, at + 10), 0.5f, 0.12f,
              0.3f);
    AddDrums(s, I::Kick, "x.......x.....x.", 0.25f, at + 2, 12, 0.45f);
    AddDrums(s, I::Hat, "....o.......o..o", 0.25f, at + 4, 10, 0.22f, -0.3f);
}

// The library's middle: a warmer F major page, the flute over a bell arpeggio and strings.
void LornBridge(Song& s, int at) {
    const auto chords = Progression("F C Dm Bb | F C Bb C | Gm A7 Dm Dm");
    AddPad(s, I::Strings, chords, 4, 0.14f, at);
    AddArpeggio(s, I::Bell, chords, {0, 2, 1, 10}, 0.5f, 5, 0.1f, -0.4f, at);
    AddBass(s, chords, "R---R---", 0.5f, 2, 0.4f, at);
    AddMelody(s, I::Flute,
              "A5 - - - C6 - F5 - | G5 - - - E5 - C5 - | F5 - - - A5 - D6 - | D6 - - - C6 - Bb5 - |"
              "A5 - - - F5 - C6 - | G5 - - - - - E5 - | F5 - - - D5 - Bb5 - | G5 - - - - - r r |"
              "Bb5 - - - D6 - G5 - | A5 - - - C#6 - E6 - | D6 - - - A5 - F5 - | D5 - - - - - - - |",
              BeatOf(s, at), 0.5f, 0.26f, 0.15f);
    AddDrums(s, I::Kick, "x...............", 0.25f, at, 12, 0.4f);
}


// Sky stage: soaring. F major, sweeping strings, a high flute and quick bright arpeggios.
void SkyVerse(Song& s, int at, bool again) {
    const auto chords = Progression("F C Dm Bb | F C Bb C | Dm Bb F C | Gm Bb C C | F Bbadd9");
    AddPad(s, I::Strings, chords, 4, 0.16f, at);
    const std::vector<int> order =
        again ? std::vector<int>{10, 2, 1, 0, 1, 2, 10, 11} : std::vector<int>{0, 1, 2, 10, 11, 12, 11, 2};
    AddArpeggio(s, I::Bell, chords, order, 0.25f, 5, 0.1f, 0.4f, at);
    AddBass(s, chords, again ? "R.RR-.5-" : "R-.RR-5-", 0.5f, 2, 0.45f, at);
    const Instrument lead = again ? I::Lead : I::Flute;
    AddMelody(s, lead,
              "C6 - - - A5 - C6 - | E6 - - - D6 - C6 - | D6 - - - F6 - E6 D6 | D6 - - - - - C6 Bb5 |"
              "A5 - C6 - F6 - - - | E6 - G6 - - - E6 - | D6 - - - F6 - D6 - | E6 - - - - - - - |",
              BeatOf(s, at), 0.5f, 0.3f, -0.1f, again ? -12 : 0);
    // The climb of the second half is doubled a sixth below by the strings.
    const std::size_t climb = s.notes.size();
    AddMelody(s, I::Flute,
              "F6 - - - E6 - D6 - | D6 - - - C6 - Bb5 - | A5 - C6 - F6 - A6 - | G6 - - - - - E6 - |"
              "D6 - - - Bb5 - D6 - | F6 - - - D6 - F6 - | G6 - - - - - A6 - | G6 - - - E6 - C6 - |",
              BeatOf(s, at + 8), 0.5f, 0.3f, -0.1f);
    AddHarmony(s, climb, 5, false, true, I::Strings, 0.15f, 0.3f);
    AddMelody(s, I::Flute, "F6 - - - - - - - | D6 - - - C6 - - -", BeatOf(s, at + 16), 0.5f, 0.3f, -0.1f);
    AddDrums(s, I::Kick, "x.......x.x.....", 0.25f, at, 18, 0.55f);
    AddDrums(s, I::Snare, "....x.......x...", 0.25f, at + 2, 16, 0.38f);
    AddDrums(s, I::OpenHat, "..x...x...x...x.", 0.25f, at, 18, 0.25f, 0.3f);
}

// The sky's middle: clouds pass in D minor, the strings sing, the bells keep glinting.
void SkyBridge(Song& s, int at) {
    const auto chords = Progression("Dm Bb C F | Dm Bb Gm A | Bb C Am Dm | Gm C F Dm | Bb C");
    AddPad(s, I::Pad, chords, 4, 0.15f, at);
    AddArpeggio(s, I::Pluck, chords, {0, 1, 2, 10, 2, 1, 0, 1}, 0.25f, 4, 0.13f, -0.35f, at);
    AddBass(s, chords, "R---R-5-", 0.5f, 2, 0.42f, at);
    AddMelody(s, I::Strings,
              "D6 - - - A5 - F5 - | F5 - - - D5 - Bb5 - | C6 - - - G5 - E5 - | F5 - - - - - A5 - |"
              "D6 - - - F6 - D6 - | Bb5 - - - D6 - F6 - | G6 - - - D6 - Bb5 - | A5 - - - C#6 - E6 - |"
              "D6 - - - Bb5 - F5 - | E5 - - - G5 - C6 - | C6 - - - A5 - E5 - | D5 - - - F5 - A5 - |"
              "Bb5 - - - G5 - D5 - | E5 - - - G5 - C6 - | A5 - - - F5 - C5 - | D5 - - - F5 - A5 - |"
              "Bb5 - - - D6 - F6 - | E6 - - - - - C6 - |",
              BeatOf(s, at), 0.5f, 0.28f, -0.1f);
    AddDrums(s, I::Kick, "x.......x.......", 0.25f, at, 18, 0.5f);
    AddDrums(s, I::Hat, "..x...x...x...x.", 0.25f, at, 18, 0.22f, 0.3f);
    AddDrums(s, I::Snare, "............x...", 0.25f, at + 8, 10, 0.32f);
}


}  // namespace

std::vector<Track> ComposeTracks() {
    const struct {
        const char* name;
        Form form;
    } tracks[] = {
        {"bgm_title.wav", {124, 0.3f, 16, 16, 16, TitleVerse, TitleBridge}},
        {"bgm_prepare.wav", {84, 0.45f, 12, 12, 8, PrepareVerse, PrepareBridge}},
        {"bgm_marsh.wav", {150, 0.18f, 20, 20, 20, MarshVerse, MarshBridge}},
        {"bgm_lorn.wav", {100, 0.5f, 14, 12, 14, LornVerse, LornBridge}},
        {"bgm_sky.wav", {138, 0.35f, 18, 18, 18, SkyVerse, SkyBridge}},
    };
    std::vector<Track> rendered;
    for (const auto& track : tracks) {
        rendered.push_back({track.name, Render(Compose(track.form))});
    }
    return rendered;
}

}  // namespace music

}  // namespace assetgen
