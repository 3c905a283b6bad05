#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "base/Language.h"
class FileWriter;

// "save.dat": the settings and the best scores of every character slot, stage and difficulty,
// once for games without options and once per combination of the seven game options. The file
// is scrambled with a fresh key at every write and every byte that holds no field is random,
// so two saves of the same data look nothing alike.
//
// Every scene that needs the data holds its own CSaveFile; they share only the file. Writes go
// to a temporary file that is renamed over "save.dat", so a crash or a full disk during a save
// leaves the previous records in place.
class CSaveFile {
public:
    static constexpr std::uint32_t kFileSize = 247808;
    static constexpr int kCharacters = 10;
    static constexpr int kStages = 12;
    static constexpr int kDifficulties = 4;
    static constexpr int kOptionMasks = 128;
    static constexpr int kMaxScore = 99999;
    static constexpr std::uint32_t kDefaultVolume = 80;
    // What the log, and a run without dialogs on stderr, say when a write fails; the battle shows
    // it on screen.
    static constexpr const char* kWriteFailedMessage =
        // Fits: Tahoma 14, 420x2 wrapped
        N_("save.dat を書き込めませんでした（前回までの記録はそのまま残っています）");

    // Indices into settings.
    enum Setting {
        kMusicVolume,  // percent
        kEffectVolume,  // percent
        kDisplayOption,  // 0 = off
        kStageCleared0,  // 1 once stage 0 was cleared above easy; stages 1 and 2 follow
        kSettingCount = 12  // the rest are kept and rewritten unchanged
    };

    // The seven option bytes of a game request; a byte that is not 0 means the option is on.
    using Options = std::span<const std::uint8_t, 7>;
    static constexpr std::array<std::uint8_t, 7> kNoOptions{};

    // Whether the data may reach the file. A battle watched from a replay reads the player's
    // settings and records but never changes them: its saves stay in memory.
    enum class Access { ReadWrite, ReadOnly };

    // Loads "save.dat", writing the default file first when there is none (read-only data keep
    // the defaults in memory instead). A writer other than the disk is for tests.
    explicit CSaveFile(FileWriter* writer = nullptr, Access access = Access::ReadWrite);
    virtual ~CSaveFile() = default;

    // Reads the file into memory, creating the default file first when it is missing. Fields a
    // short file does not hold keep their defaults.
    void Load();
    // Rewrites the whole file from memory, first raising the record of (stage, difficulty,
    // character, options) to the score (clamped to 0..99999) when it beats it. Arguments out of
    // range change no record, but the file is still written. False when the file could not be
    // written: the old file stays, the failure is logged (and, without dialogs, told on stderr)
    // and memory keeps the raised record. Read-only data raise the record in memory only, and are
    // never written.
    bool Save(int stage, int difficulty, int character, Options options, int score);
    // The best score straight from the file, clamped to 0..99999; 0 for arguments out of range.
    // Without a file, read-only data give the default record and write none.
    int ReadBestScore(int stage, int difficulty, int character, Options options);

    std::uint32_t RecordWithoutOptions(int character, int stage, int difficulty) const;
    std::uint32_t RecordWithOptions(int character, int stage, int difficulty, int mask) const;

    static int OptionMask(Options options);

    // A volume setting as it is applied: a stored value outside 0..100 (or negative) is clamped.
    int VolumePercent(Setting setting) const;

    std::array<std::uint32_t, kSettingCount> settings{};

private:
    bool ReadFile();
    void SetDefaults();
    bool WriteFile(const std::vector<std::uint8_t>& image);
    std::vector<std::uint8_t> Encode() const;

    FileWriter* writer_;
    Access access_;
    std::vector<std::uint32_t> withoutOptions_;
    std::vector<std::uint32_t> withOptions_;
};
