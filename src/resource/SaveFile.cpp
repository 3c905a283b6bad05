#include "resource/SaveFile.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "base/FilePath.h"
#include "base/GameFolders.h"
#include "base/LogPutout.h"
#include "base/Random.h"
#include "platform/MessageBox.h"
#include "resource/BinaryFile.h"
#include "resource/FileWriter.h"
#include "resource/PackFormat.h"
#include "resource/PackWriter.h"

namespace {

constexpr const char* kFileName = "save.dat";

constexpr std::uint32_t kFirstBlock = 128;
constexpr std::uint32_t kBlockSize = 24768;
constexpr std::uint32_t kOptionsTableInBlock = 192;
constexpr std::uint32_t kRecordsWithout = CSaveFile::kStages * CSaveFile::kDifficulties;
constexpr std::uint32_t kRecordsWith = kRecordsWithout * CSaveFile::kOptionMasks;
// Settings 1 to 3 sit at 16; settings 4 to 12 at 64 in the order 4, 5, 6, 7, 8, 9, 11, 12, 10.
constexpr std::array<std::uint32_t, CSaveFile::kSettingCount> kSettingPositions = {16, 20, 24, 64, 68, 72,
                                                                                   76, 80, 84, 96, 88, 92};

// Table indices run character-major, then stage, difficulty and (second table) option mask.
std::uint32_t PositionWithout(std::uint32_t index) {
    return kFirstBlock + kBlockSize * (index / kRecordsWithout) + 4 * (index % kRecordsWithout);
}
std::uint32_t PositionWith(std::uint32_t index) {
    return kFirstBlock + kBlockSize * (index / kRecordsWith) + kOptionsTableInBlock + 4 * (index % kRecordsWith);
}

std::uint32_t DefaultScore(int difficulty) { return 100 + 200 * static_cast<std::uint32_t>(difficulty); }

bool InRange(int stage, int difficulty, int character) {
    return stage >= 0 && stage < CSaveFile::kStages && difficulty >= 0 && difficulty < CSaveFile::kDifficulties &&
           character >= 0 && character < CSaveFile::kCharacters;
}

std::uint32_t IndexWithout(int character, int stage, int difficulty) {
    return static_cast<std::uint32_t>((character * CSaveFile::kStages + stage) * CSaveFile::kDifficulties + difficulty);
}
std::uint32_t IndexWith(int character, int stage, int difficulty, int mask) {
    return IndexWithout(character, stage, difficulty) * CSaveFile::kOptionMasks + static_cast<std::uint32_t>(mask);
}

// In the folder for the player's files, beside "log.txt".
std::string SavePath() { return Utf8Of(Folders().PlayerFile(kFileName)); }

int ClampScore(std::int64_t score) { return static_cast<int>(std::clamp<std::int64_t>(score, 0, CSaveFile::kMaxScore)); }

// The file as read: whatever prefix of the layout it holds.
class SaveImage {
public:
    bool Read(const std::string& path) {
        BinaryFile file;
        if (!file.Open(path)) {
            return false;
        }
        bytes_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(file.Size(), CSaveFile::kFileSize)));
        if (!file.ReadAt(0, bytes_.data(), bytes_.size())) {
            bytes_.clear();
        }
        return true;
    }

    // Leaves value alone when the field lies past the end of a short file.
    void Field(std::uint32_t position, std::uint32_t& value) const {
        if (Holds(position)) {
            value = pack::Unscramble(LoadU32(&bytes_[position]), LoadU32(&bytes_[0]));
        }
    }
    bool Holds(std::uint32_t position) const { return bytes_.size() >= 4 && position + 4 <= bytes_.size(); }

    // Reads a table whose record i lies at position(i), the positions rising with i: a short
    // file ends the reading at its end instead of testing every record past it.
    template <class Position>
    void Table(std::vector<std::uint32_t>& table, Position position) const {
        for (std::uint32_t i = 0; i < table.size() && Holds(position(i)); ++i) {
            Field(position(i), table[i]);
        }
    }

private:
    std::vector<std::uint8_t> bytes_;
};

std::vector<std::uint8_t> RandomFilledImage(std::uint32_t& key) {
    std::vector<std::uint8_t> image(CSaveFile::kFileSize);
    for (std::uint8_t& byte : image) {
        byte = static_cast<std::uint8_t>(Random::Next() % 255);
    }
    key = static_cast<std::uint32_t>(Random::Next() % 255);
    pack::PutU32(image, 0, key);
    pack::PutU32(image, 4, key - 13);
    pack::PutU32(image, 8, key - 5);
    pack::PutU32(image, 12, key - 11);
    return image;
}

}  // namespace

CSaveFile::CSaveFile(FileWriter* writer, Access access)
    : writer_(writer != nullptr ? writer : &DiskFileWriter()), access_(access) {
    Load();
}

void CSaveFile::Load() {
    if (ReadFile()) {
        return;
    }
    // No file yet: write the defaults and read them back, so memory matches the new file.
    SetDefaults();
    if (access_ == Access::ReadWrite && WriteFile(Encode())) {
        ReadFile();
    }
}

bool CSaveFile::ReadFile() {
    SaveImage image;
    if (!image.Read(SavePath())) {
        return false;
    }
    SetDefaults();
    for (std::size_t i = 0; i < settings.size(); ++i) {
        image.Field(kSettingPositions[i], settings[i]);
    }
    image.Table(withoutOptions_, PositionWithout);
    image.Table(withOptions_, PositionWith);
    return true;
}

void CSaveFile::SetDefaults() {
    settings.fill(0);
    settings[kMusicVolume] = kDefaultVolume;
    settings[kEffectVolume] = kDefaultVolume;
    // Every file read starts from the defaults: the tables are worked out once and copied.
    static const auto defaults = [] {
        std::pair<std::vector<std::uint32_t>, std::vector<std::uint32_t>> tables;
        tables.first.resize(kCharacters * kRecordsWithout);
        for (std::uint32_t i = 0; i < tables.first.size(); ++i) {
            tables.first[i] = DefaultScore(static_cast<int>(i % kDifficulties));
        }
        tables.second.resize(kCharacters * kRecordsWith);
        for (std::uint32_t i = 0; i < tables.second.size(); ++i) {
            tables.second[i] = DefaultScore(static_cast<int>(i / kOptionMasks % kDifficulties));
        }
        return tables;
    }();
    withoutOptions_ = defaults.first;
    withOptions_ = defaults.second;
}

bool CSaveFile::Save(int stage, int difficulty, int character, Options options, int score) {
    const auto clamped = static_cast<std::uint32_t>(ClampScore(score));
    const int mask = OptionMask(options);
    if (InRange(stage, difficulty, character)) {
        std::uint32_t& record = mask == 0 ? withoutOptions_[IndexWithout(character, stage, difficulty)]
                                          : withOptions_[IndexWith(character, stage, difficulty, mask)];
        // A damaged record counts as what it would show, so a stored -5 is beaten by any score.
        if (static_cast<int>(clamped) > ClampScore(static_cast<std::int32_t>(record))) {
            record = clamped;
        }
    }
    if (access_ == Access::ReadOnly) {
        return true;
    }
    if (!WriteFile(Encode())) {
        return false;
    }
    ReadFile();
    return true;
}

int CSaveFile::ReadBestScore(int stage, int difficulty, int character, Options options) {
    if (!InRange(stage, difficulty, character)) {
        return 0;
    }
    const int mask = OptionMask(options);
    SaveImage image;
    if (!image.Read(SavePath()) && access_ == Access::ReadWrite) {
        CSaveFile defaults(writer_);  // writes the default file, leaving this object's memory alone
        image.Read(SavePath());
    }
    std::uint32_t value = DefaultScore(difficulty);
    image.Field(mask == 0 ? PositionWithout(IndexWithout(character, stage, difficulty))
                          : PositionWith(IndexWith(character, stage, difficulty, mask)),
                value);
    return ClampScore(static_cast<std::int32_t>(value));  // negative values read as 0
}

std::uint32_t CSaveFile::RecordWithoutOptions(int character, int stage, int difficulty) const {
    return InRange(stage, difficulty, character) ? withoutOptions_[IndexWithout(character, stage, difficulty)] : 0;
}

std::uint32_t CSaveFile::RecordWithOptions(int character, int stage, int difficulty, int mask) const {
    const bool valid = InRange(stage, difficulty, character) && mask >= 0 && mask < kOptionMasks;
    return valid ? withOptions_[IndexWith(character, stage, difficulty, mask)] : 0;
}

int CSaveFile::OptionMask(Options options) {
    int mask = 0;
    for (std::size_t i = 0; i < options.size(); ++i) {
        mask |= options[i] != 0 ? 1 << i : 0;
    }
    return mask;
}

bool CSaveFile::WriteFile(const std::vector<std::uint8_t>& image) {
    if (ReplaceFile(SavePath(), image, *writer_)) {
        return true;
    }
    WriteLog(kWriteFailedMessage);
    // The log may sit in the same unwritable folder; a run without a window has only stderr.
    if (!platform::DialogsEnabled()) {
        std::fprintf(stderr, "velmoria: %s\n", Tr(kWriteFailedMessage));
        std::fflush(stderr);
    }
    return false;
}

std::vector<std::uint8_t> CSaveFile::Encode() const {
    std::uint32_t key = 0;
    std::vector<std::uint8_t> image = RandomFilledImage(key);
    for (std::size_t i = 0; i < settings.size(); ++i) {
        pack::PutU32(image, kSettingPositions[i], pack::Scramble(settings[i], key));
    }
    for (std::uint32_t i = 0; i < withoutOptions_.size(); ++i) {
        pack::PutU32(image, PositionWithout(i), pack::Scramble(withoutOptions_[i], key));
    }
    for (std::uint32_t i = 0; i < withOptions_.size(); ++i) {
        pack::PutU32(image, PositionWith(i), pack::Scramble(withOptions_[i], key));
    }
    return image;
}

int CSaveFile::VolumePercent(Setting setting) const {
    return std::clamp(static_cast<int>(static_cast<std::int32_t>(settings[setting])), 0, 100);
}
