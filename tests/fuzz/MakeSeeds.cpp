// Writes the seed corpus of every fuzz target: small valid files made by the game's own writers,
// and the damaged ones the reader tests know. `fuzz_seeds DIR` writes DIR/<target>/<name>;
// scripts/fuzz --seeds runs it over tests/fuzz/corpus, and every fuzz run checks that the
// committed seeds are still what it writes. The output is the same on every run.
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/ReplayFile.h"
#include "app/WindowSettings.h"
#include "audio/WaveBuilder.h"
#include "base/GameFolders.h"
#include "base/Random.h"
#include "gfx/PngCodec.h"
#include "gfx/PngLayouts.h"
#include "resource/PackTestFiles.h"
#include "resource/SaveFile.h"
#include "resource/WaveSource.h"
#include "support/TempDir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

constexpr std::uint32_t kPackKey = 0x6B3D2A51u;
constexpr std::uint32_t kWaveDataKey = 0x2C91E4B7u;

class SeedWriter {
public:
    explicit SeedWriter(fs::path root) : root_(std::move(root)) {}

    void Target(const std::string& name) {
        folder_ = root_ / name;
        fs::create_directories(folder_);
    }
    void Seed(const std::string& name, const Bytes& bytes) {
        WriteBytes((folder_ / name).string(), bytes);
        ++written_;
    }
    void Text(const std::string& name, const std::string& text) { Seed(name, BytesOf(text)); }
    int Written() const { return written_; }

private:
    fs::path root_;
    fs::path folder_;
    int written_ = 0;
};

Bytes Cut(const Bytes& bytes, std::size_t length) { return {bytes.begin(), bytes.begin() + std::min(length, bytes.size())}; }

// A picture with every kind of pixel the texture maker treats apart: opaque, see-through, and
// the pure green that becomes transparent.
std::vector<std::uint32_t> Picture(int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const auto n = static_cast<std::uint32_t>(i);
        pixels[i] = i % 5 == 0 ? 0xFF00FF00u : (n * 0x9E3779B9u) >> 8 | (i % 3 == 0 ? 0x80000000u : 0xFF000000u);
    }
    return pixels;
}

Bytes Png(int width, int height) {
    const std::vector<std::uint32_t> pixels = Picture(width, height);
    Bytes png;
    gfx::EncodePng(pixels.data(), width, height, png);
    return png;
}

Bytes Wave(const WaveSpec& spec, std::size_t samples) { return MakeWave(spec, Pcm16(Sawtooth(samples))); }

Bytes Pack(const std::vector<pack::Entry>& entries) {
    Bytes bytes;
    std::string error;
    pack::BuildPack(entries, kPackKey, bytes, error);
    return bytes;
}

void PackSeeds(SeedWriter& out) {
    out.Target("pack_reader");
    const Bytes sample = Pack({{"tama.png", Png(5, 3), 0}, {"se_shot.wav", Wave({}, 24), 0}, {"empty.png", {}, 0}});
    out.Seed("three_entries.dat", sample);
    out.Seed("no_entries.dat", Pack({}));
    out.Seed("cut_in_directory.dat", Cut(sample, 16 + 64 + 20));
    out.Seed("cut_in_data.dat", Cut(sample, sample.size() - 10));
    Bytes counted = sample;
    SetStoredCount(counted, INT32_MAX, kPackKey);
    out.Seed("count_past_end.dat", counted);
    SetStoredCount(counted, -1, kPackKey);
    out.Seed("count_negative.dat", counted);
    Bytes names = Pack({{std::string(31, 'x'), {}, 0}, {std::string("ab\0cd", 5), {}, 0}, {"same", {}, 0}, {"same", {1}, 0}});
    SetStoredNameLength(names, 0, 200, kPackKey);
    SetStoredNameLength(names, 2, -5, kPackKey);
    out.Seed("hostile_names.dat", names);
    Bytes outside = Pack({{"past_end.png", BytesOf("data"), 0}, {"too_big.png", Png(2, 2), 0}});
    pack::PutRecord(outside, 0, "past_end.png", 4, 0xFFFFFFF0u, 0, kPackKey);
    pack::PutRecord(outside, 1, "too_big.png", 0xFFFFFFFFu, 16, 0, kPackKey);
    out.Seed("entries_outside.dat", outside);
}

std::vector<waves::Wave> NumberedWaves(int count) {
    std::vector<waves::Wave> list;
    for (int i = 1; i <= count; ++i) {
        list.push_back({static_cast<std::uint32_t>(i % 13 + 1), 100 * i, static_cast<std::uint32_t>(i)});
    }
    return list;
}

std::vector<waves::Stage> SampleStages() {
    return {{"rouka_easy", 300, {{1, 120, 3}, {6, 200, 4}, {21, 900, 10}}},
            {"lib_hard", 120000, NumberedWaves(12)},
            {"sky_lunatic", -40, {}},
            {"bigwool_normal", 500, {{7, 3000, 50}, {99, -1, 0}}}};
}

void WaveDataSeeds(SeedWriter& out) {
    out.Target("wave_data");
    Bytes bytes;
    std::string error;
    waves::BuildWaveData(SampleStages(), kWaveDataKey, bytes, error);
    out.Seed("four_stages.dat", bytes);
    out.Seed("cut_in_records.dat", Cut(bytes, bytes.size() - 17));
    Bytes hostile;
    waves::BuildWaveData({{"a", 1, NumberedWaves(3)}, {"b", 2, NumberedWaves(2)}, {"c", 3, NumberedWaves(1)}, {"d", 4, {}}},
                         kWaveDataKey, hostile, error);
    const std::uint32_t firstRecord = 16 + 64 * 4;
    pack::PutRecord(hostile, 0, "a", 0xFFFFFFFFu, firstRecord, 1, kWaveDataKey);
    pack::PutRecord(hostile, 1, "b", 2, 0xFFFFFF00u, 2, kWaveDataKey);
    pack::PutRecord(hostile, 2, "c", 1, static_cast<std::uint32_t>(hostile.size()) - 5, 3, kWaveDataKey);
    out.Seed("hostile_counts.dat", hostile);
    // Stages sharing one block of records, and a key given twice.
    Bytes shared;
    waves::BuildWaveData({{"a", 100, NumberedWaves(6)}, {"b", 1, {}}, {"c", 2, {}}}, kWaveDataKey, shared, error);
    pack::PutRecord(shared, 1, "b", 6, 16 + 64 * 3, 1, kWaveDataKey);
    pack::PutRecord(shared, 2, "a", 3, 16 + 64 * 3 + 12, 2, kWaveDataKey);
    out.Seed("shared_block_and_duplicate.dat", shared);
}

void WaveSourceSeeds(SeedWriter& out) {
    out.Target("wave_source");
    out.Text("four_stages.txt", waves::FormatWaveSource(SampleStages(), "four stages"));
    out.Text("spacing_and_comments.txt",
             "# the library stage on easy\r\n\tstage   lib_easy   # key\n\npoints +300\nwave 1 120 3\nwave 6 -200 0x10\n");
    out.Text("limits.txt", "stage a\npoints -2147483648\nwave 4294967295 2147483647 4294967295\nwave 0 0 0\n");
    out.Text("errors.txt", "wave 1 2 3\nstage a\nstage a\npoints 1\npoints 2\nwave 1 2\nstage ok\n");
    out.Text("long_key.txt", "stage " + std::string(32, 'k') + "\nwave 33 1 1\n");
}

void WaveReaderSeeds(SeedWriter& out) {
    out.Target("wave_reader");
    out.Seed("mono16.wav", Wave({}, 40));
    WaveSpec stereo;
    stereo.channels = 2;
    stereo.formatChunkSize = 18;
    out.Seed("stereo16_fmt18.wav", Wave(stereo, 40));
    WaveSpec bytesWide;
    bytesWide.bitsPerSample = 8;
    bytesWide.samplesPerSec = 22050;
    out.Seed("mono8.wav", MakeWave(bytesWide, BytesOf("0123456789abcdefghij")));
    WaveSpec lying;
    lying.dataSizeExcess = 1000;
    out.Seed("data_size_lies.wav", Wave(lying, 20));
    WaveSpec floats;
    floats.formatTag = 3;
    out.Seed("not_pcm.wav", Wave(floats, 8));
    WaveSpec surround;
    surround.channels = 6;
    out.Seed("six_channels.wav", Wave(surround, 12));
    const Bytes whole = Wave({}, 16);
    out.Seed("cut_in_format.wav", Cut(whole, 24));
    Bytes avi = whole;
    std::copy_n("AVI ", 4, avi.begin() + 8);
    out.Seed("not_wave.wav", avi);
    Bytes noData = whole;
    std::copy_n("junk", 4, noData.begin() + 36);
    out.Seed("no_data_chunk.wav", noData);
    out.Seed("empty_data.wav", MakeWave({}, {}));
}

void SaveFileSeeds(SeedWriter& out, const fs::path& scratch) {
    // The whole file is 242 KiB; its first blocks hold the header, the settings and the first
    // character's records, and a short file keeps the defaults for the rest.
    SetFolders({scratch, scratch});
    Random::Seed(20);
    CSaveFile save;
    save.settings[CSaveFile::kMusicVolume] = 35;
    save.settings[CSaveFile::kDisplayOption] = 1;
    const std::array<std::uint8_t, 7> someOptions = {1, 0, 1};
    save.Save(0, 1, 0, CSaveFile::kNoOptions, 4321);
    save.Save(2, 3, 0, someOptions, 99999);
    const Bytes file = BytesOf(ReadWholeFile(scratch / "save.dat"));
    SetFolders({});
    // The reading target and the one that saves into the file start from the same files.
    for (const char* target : {"save_file", "save_round_trip"}) {
        out.Target(target);
        out.Seed("header_and_settings.dat", Cut(file, 128));
        out.Seed("first_records.dat", Cut(file, 128 + 192 + 512));
        out.Seed("first_option_records.dat", Cut(file, 128 + 192 + 512 * 12));
        out.Seed("cut_in_a_field.dat", Cut(file, 66));
        out.Seed("empty.dat", {});
    }
}

// PNG layouts beyond our encoder's, and pictures damaged past the checksums.
void PngSeeds(SeedWriter& out) {
    out.Target("png_texture");
    out.Seed("rgba_5x3.png", Png(5, 3));
    out.Seed("rgba_17x1.png", Png(17, 1));
    out.Seed("grey8.png", EncodeRaw({PNG_COLOR_TYPE_GRAY, 8, false, {}, {}}, 2, 1, {0x10, 0xF0}));
    out.Seed("grey1.png", EncodeRaw({PNG_COLOR_TYPE_GRAY, 1, false, {}, {}}, 3, 1, {0b10100000}));
    out.Seed("grey_alpha.png", EncodeRaw({PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, {}, {}}, 1, 1, {0x80, 0x40}));
    out.Seed("palette_trns.png",
             EncodeRaw({PNG_COLOR_TYPE_PALETTE, 8, false, {{255, 0, 0}, {0, 255, 0}}, {255, 0}}, 2, 1, {0, 1}));
    out.Seed("rgba16.png", EncodeRaw({PNG_COLOR_TYPE_RGB_ALPHA, 16, false, {}, {}}, 1, 1, {0x12, 0, 0x34, 0, 0x56, 0, 0x78, 0}));
    Bytes raw;
    for (int i = 0; i < 9 * 9; ++i) {
        raw.insert(raw.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i * 3), 7});
    }
    out.Seed("interlaced_rgb.png", EncodeRaw({PNG_COLOR_TYPE_RGB, 8, true, {}, {}}, 9, 9, raw));
    const Bytes sample = Png(6, 4);
    out.Seed("cut_in_image_data.png", Cut(sample, sample.size() - 20));
    // A header claiming a side past the limit, with its checksum fixed so the size is what refuses it.
    Bytes wide = sample;
    const std::uint8_t width4097[] = {0, 0, 0x10, 0x01};  // big-endian, at the start of IHDR's data
    std::copy_n(width4097, 4, wide.begin() + 16);
    FixChunkCrcs(wide);
    out.Seed("too_wide.png", wide);
    Bytes filter = sample;
    filter[filter.size() - 30] ^= 0x5A;
    FixChunkCrcs(filter);
    out.Seed("damaged_deflate.png", filter);
}

void InputScriptSeeds(SeedWriter& out) {
    out.Target("input_script");
    out.Text("every_event.txt",
             "# frame  event\n12 move 320 240      # cursor\n13 click left\n20 press right\n21 release right\n"
             "22 click middle\n40 key Space\n41 keydown LShift\n42 keyup LShift\n43 key F5\n44 key Z\n90 close\n");
    out.Text("limits.txt", "4294967295 key Return\n4294967295 click left\n1 move -2147483648 2147483647\n\r\n");
    out.Text("bad_line.txt", "1 move 3\n");
    out.Text("bad_key.txt", "\n\n5 key NoSuchKey\n");
    out.Text("frame_zero.txt", "0 close\n");
}

void CommandLineSeeds(SeedWriter& out) {
    out.Target("command_line");
    // The arguments after the program name, each ended by a zero byte.
    auto arguments = [](const std::vector<std::string>& words) {
        std::string joined;
        for (const std::string& word : words) {
            joined += word;
            joined += '\0';
        }
        return joined;
    };
    out.Text("headless_run.args", arguments({"--headless", "--frames", "600", "--seed", "7", "--data", "game",
                                             "--input", "battle.txt", "--screenshot", "600:end.png"}));
    out.Text("record_frames.args",
             arguments({"--window", "--record-frame", "1:first.rec", "--record-frame", "4294967295:a:b", "--fullscreen"}));
    out.Text("help_version.args", arguments({"--help", "-h", "--version"}));
    out.Text("bad_number.args", arguments({"--frames", "12x"}));
    out.Text("missing_value.args", arguments({"--seed"}));
    out.Text("frame_zero.args", arguments({"--record-frame", "0:x.rec"}));
    out.Text("unknown.args", arguments({"--window", "--scale"}));
    out.Text("guides.args", arguments({"--guides", "off", "--guides", "maybe"}));
}

// A replay as the game writes it, and the same damaged the ways the replay tests know.
void ReplaySeeds(SeedWriter& out) {
    out.Target("replay_file");
    const Replay replay{
        .gameVersion = "0.1.0",
        .packs = 0x49551063CEBC095Dull,
        .stage = 1,
        .difficulty = 2,
        .character = 1,
        .options = {0, 1, 0, 0, 0, 0, 1},
        .loaderRandom = 1,
        .battleRandom = 2240197306u,
        .cursorX = 640,
        .cursorY = 0,
        .held = {"LShift", "left"},
        .frames = 2400,
        .result = {1850, 15, 12},
        .input = "1 move 320 240\n2 keydown N\n3 keyup N\n40 press left\n41 release left\n900 key Tab\n"
                 "1200 move 176 272\n1201 press right\n1202 release right\n",
    };
    const std::string text = FormatReplay(replay);
    out.Text("battle.replay", text);
    Replay left = replay;
    left.held.clear();
    left.input.clear();
    left.frames = 1;
    out.Text("left_at_once.replay", FormatReplay(left));
    std::string damaged = text;
    damaged[damaged.find("keydown N")] = 'x';
    out.Text("damaged.replay", damaged);
    out.Text("cut_short.replay", text.substr(0, text.size() / 2));
    // Sealed with a right checksum, and still wrong inside: only a sealed file reaches the header.
    const std::string body = text.substr(0, text.rfind("checksum "));
    auto sealed = [&](const std::string& from, const std::string& to) {
        std::string changed = body;
        changed.replace(changed.find(from), from.size(), to);
        char checksum[9];
        std::snprintf(checksum, sizeof checksum, "%08x", ReplayChecksum(changed));
        return changed + "checksum " + checksum + "\n";
    };
    out.Text("fourth_stage.replay", sealed("request 1 2 1", "request 3 2 1"));
    out.Text("held_thumb.replay", sealed("held LShift left", "held LShift thumb"));
    out.Text("line_twice.replay", sealed("frames 2400\n", "frames 2400\nframes 1\n"));
    out.Text("no_input_line.replay", sealed("\ninput\n", "\n"));
    out.Text("bad_input.replay", sealed("40 press left", "40 press thumb"));
    out.Text("other_format.replay", sealed("velmoria replay 1", "velmoria replay 2"));
}

void WindowSettingsSeeds(SeedWriter& out) {
    out.Target("window_settings");
    out.Text("scale_2.txt", FormatWindowSettings({2}));
    out.Text("nothing_remembered.txt", FormatWindowSettings({}));
    out.Text("newer_game.txt", "# hi\r\n\nvsync 1\n  scale 3  # big\nscale 16\n\tfullscreen 0\n");
    out.Text("scale_17.txt", "scale 17\n");
    out.Text("two_values.txt", "scale 2\nscale 2 3\n");
    out.Text("no_value.txt", "# Velmoria window settings\nscale\n");
    out.Text("guides_off.txt", FormatWindowSettings({2, false}));
    out.Text("guides_unreadable.txt", "scale 2\nguides maybe\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds DIR\n");
        return 2;
    }
    const fs::path root = fs::absolute(argv[1]);
    const fs::path scratch = root / ".scratch";
    fs::create_directories(scratch);
    SeedWriter out(root);
    PackSeeds(out);
    WaveDataSeeds(out);
    WaveSourceSeeds(out);
    WaveReaderSeeds(out);
    SaveFileSeeds(out, scratch);
    PngSeeds(out);
    InputScriptSeeds(out);
    CommandLineSeeds(out);
    ReplaySeeds(out);
    WindowSettingsSeeds(out);
    fs::remove_all(scratch);
    std::printf("%d seeds written below %s\n", out.Written(), root.c_str());
    return 0;
}
