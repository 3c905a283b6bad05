// The five music tracks. Melodies step in eighth notes unless noted.
#include "Music.h"

namespace assetgen {

namespace music {

namespace {

using I = Instrument;

// Title: bright and inviting. D major, a singing lead over a pluck arpeggio and light drums.
Song Title() {
    Song s;
    s.bpm = 124;
    s.bars = 16;
    s.reverb = 0.3f;
    const auto chords = Progression("D A Bm G | D A G A | Bm G D A | G A D A7");
    AddPad(s, I::Pad, chords, 4, 0.16f);
    AddArpeggio(s, I::Pluck, chords, {0, 1, 2, 10, 2, 1, 0, 1}, 0.5f, 4, 0.28f, 0.35f);
    AddBass(s, chords, "R-.R5-R.", 0.5f, 2, 0.5f);
    AddMelody(s, I::Lead,
              "F#5 - A5 - D6 - C#6 B5 | A5 - - - E5 - F#5 G5 | F#5 - D5 - B4 - D5 F#5 | G5 - - F#5 E5 - D5 - |"
              "F#5 - A5 - D6 - E6 F#6 | E6 - - C#6 A5 - - - | B5 - A5 G5 F#5 - E5 - | E5 - F#5 - G5 - A5 - |",
              0, 0.5f, 0.33f, -0.1f);
    // The second half sings in thirds.
    const std::size_t chorus = s.notes.size();
    AddMelody(s, I::Lead,
              "B5 - - A5 F#5 - D5 - | G5 - A5 - B5 - D6 - | A5 - - F#5 D5 - F#5 A5 | C#6 - - B5 A5 - - - |"
              "B5 - D6 - G6 - F#6 E6 | C#6 - A5 - E6 - C#6 - | D6 - - - A5 - F#5 - | E5 - F#5 - G5 - A5 -",
              32, 0.5f, 0.33f, -0.1f);
    AddHarmony(s, chorus, 2, false, false, I::Flute, 0.17f, 0.35f);
    AddMelody(s, I::Bell, "r r r r r r r r | r r r r A6 - - - | r r r r r r r r | r r r r D7 - - -", 16, 0.5f, 0.12f,
              0.5f);
    AddDrums(s, I::Kick, "x...x...x...x...", 0.25f, 0, 16, 0.6f);
    AddDrums(s, I::Snare, "....x.......x...", 0.25f, 4, 12, 0.4f);
    AddDrums(s, I::Hat, "..x...x...x...xo", 0.25f, 0, 16, 0.35f, 0.3f);
    return s;
}

// Preparation: calm and thoughtful. Slow seventh chords, bell arpeggios and a breathy flute.
Song Prepare() {
    Song s;
    s.bpm = 84;
    s.bars = 12;
    s.reverb = 0.45f;
    const auto chords = Progression("Fmaj7 Em7 Dm7 Cmaj7 | Bbmaj7 Am7 Gm7 C | Fmaj7 Am7 Bbmaj7 Csus4");
    AddPad(s, I::Pad, chords, 4, 0.2f);
    AddArpeggio(s, I::Bell, chords, {0, 2, 3, 1, 10, 2}, 0.5f, 5, 0.14f, 0.4f);
    AddBass(s, chords, "R---5---", 0.5f, 2, 0.4f);
    AddMelody(s, I::Flute,
              "A5 - - - G5 - E5 - | G5 - - - - - r r | F5 - E5 - D5 - C5 - | E5 - - - - - r r |"
              "D5 - F5 - A5 - - - | C6 - - - B5 - A5 - | Bb5 - - - A5 - G5 - | E5 - - - - - r r |"
              "A5 - C6 - - - A5 - | E5 - - - G5 - A5 - | F5 - - - D5 - F5 - | G5 - - - - - - -",
              0, 0.5f, 0.26f, -0.15f);
    AddDrums(s, I::Hat, "..o...o...o...o.", 0.25f, 4, 8, 0.2f, 0.3f);
    AddDrums(s, I::Kick, "x.......x.......", 0.25f, 4, 8, 0.35f);
    return s;
}

// Corridor stage: driving. E minor at a brisk tempo, galloping bass and a pushing beat.
Song Marsh() {
    Song s;
    s.bpm = 150;
    s.bars = 20;
    s.reverb = 0.18f;
    const auto chords = Progression("Em C D Em | Em C D B7 | Am C D Em | Am C B7 B7 | Em C D Em");
    AddPad(s, I::Strings, chords, 4, 0.13f);
    AddBass(s, chords, "RRORRORR", 0.5f, 2, 0.5f);
    AddArpeggio(s, I::Pluck, chords, {0, 2, 10, 2}, 0.25f, 4, 0.16f, -0.4f);
    const std::string theme =
        "E5 - - B4 E5 - G5 - | G5 - E5 - C5 - - - | D5 - F#5 - A5 - G5 F#5 | E5 - - - - - B4 - |"
        "E5 - - B4 E5 - G5 - | A5 - G5 - E5 - C5 - | D5 - E5 - F#5 - A5 - | B5 - - - A5 - F#5 - |";
    const std::string bridge =
        "A5 - - - C6 - B5 A5 | G5 - - - E5 - G5 - | F#5 - A5 - D6 - C6 B5 | B5 - - - - - G5 - |"
        "A5 - - - C6 - B5 A5 | G5 - E5 - G5 - C6 - | B5 - A5 - F#5 - D#5 - | B4 - D#5 - F#5 - A5 - |";
    AddMelody(s, I::Lead, theme, 0, 0.5f, 0.3f, 0.1f);
    // The bridge answers in thirds, a second lead on the other side.
    const std::size_t answer = s.notes.size();
    AddMelody(s, I::Lead, bridge, 32, 0.5f, 0.3f, 0.1f);
    AddHarmony(s, answer, 4, true, false, I::Lead, 0.17f, -0.4f);
    AddMelody(s, I::Lead, "E5 - - B4 E5 - G5 - | G5 - E5 - C5 - - - | D5 - F#5 - A5 - G5 F#5 | E5 - - - B4 - D#5 -", 64,
              0.5f, 0.3f, 0.1f);
    AddDrums(s, I::Kick, "x.....x.x.......", 0.25f, 0, 20, 0.65f);
    AddDrums(s, I::Snare, "....x.......x..o", 0.25f, 0, 20, 0.45f);
    AddDrums(s, I::Hat, "x.x.x.x.x.x.x.x.", 0.25f, 0, 20, 0.3f, 0.25f);
    AddDrums(s, I::Tom, "............x.x.", 0.25f, 7, 1, 0.5f, -0.3f);
    AddDrums(s, I::Tom, "............x.x.", 0.25f, 15, 1, 0.5f, -0.3f);
    return s;
}

// Library stage: mysterious. D minor with a raised seventh, bells and plucks in the dark.
Song Lorn() {
    Song s;
    s.bpm = 100;
    s.bars = 14;
    s.reverb = 0.5f;
    const auto chords = Progression("Dm Bb Gm A | Dm F C A7 | Gm Dm Bb A7 | Dm A7");
    AddPad(s, I::Pad, chords, 3, 0.2f);
    AddArpeggio(s, I::Pluck, chords, {0, 1, 2, 10, 2, 1}, 0.5f, 4, 0.2f, 0.45f);
    AddBass(s, chords, "R-----5-", 0.5f, 2, 0.45f);
    AddMelody(s, I::Bell,
              "A5 - - - D6 - - - | F5 - - - - - E5 F5 | G5 - - - Bb5 - A5 G5 | E5 - - - C#5 - - - |"
              "D5 - F5 - A5 - - - | C6 - - - A5 - F5 - | E5 - G5 - C6 - Bb5 A5 | A5 - - - - - - - |"
              "G5 - Bb5 - D6 - - - | F5 - - - A5 - - - | Bb5 - - - D6 - Bb5 - | C#6 - - - E6 - - - |"
              "D6 - - - A5 - F5 - | E5 - - - C#5 - - -",
              0, 0.5f, 0.28f, -0.2f);
    AddMelody(s, I::Flute, "D5 - - - - - - - C#5 - - - - - - -", 40, 0.5f, 0.12f, 0.3f);
    AddDrums(s, I::Kick, "x.......x.....x.", 0.25f, 2, 12, 0.45f);
    AddDrums(s, I::Hat, "....o.......o..o", 0.25f, 4, 10, 0.22f, -0.3f);
    return s;
}

// Sky stage: soaring. F major, sweeping strings, a high flute and quick bright arpeggios.
Song Sky() {
    Song s;
    s.bpm = 138;
    s.bars = 18;
    s.reverb = 0.35f;
    const auto chords = Progression("F C Dm Bb | F C Bb C | Dm Bb F C | Gm Bb C C | F Bbadd9");
    AddPad(s, I::Strings, chords, 4, 0.16f);
    AddArpeggio(s, I::Bell, chords, {0, 1, 2, 10, 11, 12, 11, 2}, 0.25f, 5, 0.1f, 0.4f);
    AddBass(s, chords, "R-.RR-5-", 0.5f, 2, 0.45f);
    AddMelody(s, I::Flute,
              "C6 - - - A5 - C6 - | E6 - - - D6 - C6 - | D6 - - - F6 - E6 D6 | D6 - - - - - C6 Bb5 |"
              "A5 - C6 - F6 - - - | E6 - G6 - - - E6 - | D6 - - - F6 - D6 - | E6 - - - - - - - |",
              0, 0.5f, 0.3f, -0.1f);
    // The climb of the second half is doubled a sixth below by the strings.
    const std::size_t climb = s.notes.size();
    AddMelody(s, I::Flute,
              "F6 - - - E6 - D6 - | D6 - - - C6 - Bb5 - | A5 - C6 - F6 - A6 - | G6 - - - - - E6 - |"
              "D6 - - - Bb5 - D6 - | F6 - - - D6 - F6 - | G6 - - - - - A6 - | G6 - - - E6 - C6 - |",
              32, 0.5f, 0.3f, -0.1f);
    AddHarmony(s, climb, 5, false, true, I::Strings, 0.15f, 0.3f);
    AddMelody(s, I::Flute, "F6 - - - - - - - | D6 - - - C6 - - -", 64, 0.5f, 0.3f, -0.1f);
    AddDrums(s, I::Kick, "x.......x.x.....", 0.25f, 0, 18, 0.55f);
    AddDrums(s, I::Snare, "....x.......x...", 0.25f, 2, 16, 0.38f);
    AddDrums(s, I::OpenHat, "..x...x...x...x.", 0.25f, 0, 18, 0.25f, 0.3f);
    return s;
}

}  // namespace

std::vector<Track> ComposeTracks() {
    return {
        {"bgm_title.wav", Render(Title())}, {"bgm_prepare.wav", Render(Prepare())}, {"bgm_marsh.wav", Render(Marsh())},
        {"bgm_lorn.wav", Render(Lorn())},   {"bgm_sky.wav", Render(Sky())},
    };
}

}  // namespace music

}  // namespace assetgen
