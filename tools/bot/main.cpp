// velmoria-bot: plays one battle headless with the autoplayer and says how it ended.
//
//   velmoria-bot [--stage N] [--difficulty N] [--character N] [--strategy plain|maze] [--seed N]
//                [--data DIR] [--quiet]
//
// Reads the packs from DIR (default: the working directory) and never writes there: the battle's
// save goes to a temporary folder removed at exit. One line of progress a wave on stderr (unless
// --quiet), one result line on stdout. Exit code 0 when the stage was cleared, 1 when it was lost
// or ran past its frame limit, 2 for bad arguments or packs that cannot be read.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "audio/DirectSound.h"
#include "base/GameFolders.h"
#include "base/Random.h"
#include "scene/bot/HeadlessBattle.h"
#include "gfx/NullDevice.h"
#include "resource/FileClass.h"
#include "resource/PackNames.h"

namespace {

constexpr int kFrameLimit = 200000;

struct BotOptions {
    field::StageRequest request;
    std::string strategy = "plain";
    std::uint32_t seed = 1;
    std::filesystem::path data = ".";
    bool quiet = false;
};

std::optional<int> Number(const char* text, int low, int high) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < low || value > high) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

bool Parse(const std::vector<std::string>& args, BotOptions& options, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        if (flag == "--quiet") {
            options.quiet = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = flag + " needs a value (or is not a flag)";
            return false;
        }
        const std::string& value = args[++i];
        const auto number = [&](int low, int high, int& into) {
            const std::optional<int> parsed = Number(value.c_str(), low, high);
            if (!parsed) {
                error = flag + " takes a number from " + std::to_string(low) + " to " + std::to_string(high);
                return false;
            }
            into = *parsed;
            return true;
        };
        int seed = 0;
        if (flag == "--stage") {
            if (!number(0, 2, options.request.stage)) return false;
        } else if (flag == "--difficulty") {
            if (!number(0, 3, options.request.difficulty)) return false;
        } else if (flag == "--character") {
            if (!number(0, 1, options.request.character)) return false;
        } else if (flag == "--seed") {
            if (!number(0, 0x7FFFFFFF, seed)) return false;
            options.seed = static_cast<std::uint32_t>(seed);
        } else if (flag == "--strategy") {
            if (!bot::MakeStrategy(value)) {
                error = "no strategy called '" + value + "' (plain, maze)";
                return false;
            }
            options.strategy = value;
        } else if (flag == "--data") {
            options.data = value;
        } else {
            error = "unknown flag " + flag;
            return false;
        }
    }
    return true;
}

// A private folder for the battle's save, gone when the run ends.
struct ScratchFolder {
    ScratchFolder() {
        char pattern[] = "/tmp/velmoria-bot-XXXXXX";
        if (mkdtemp(pattern) != nullptr) {
            path = pattern;
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

}  // namespace

int main(int argc, char** argv) {
    BotOptions options;
    std::string error;
    if (!Parse(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::cerr << "velmoria-bot: " << error << "\n";
        return 2;
    }
    std::error_code changed;
    std::filesystem::current_path(options.data, changed);
    const ScratchFolder scratch;
    if (changed || scratch.path.empty()) {
        std::cerr << "velmoria-bot: cannot use " << (changed ? options.data : "a temporary folder") << "\n";
        return 2;
    }
    SetFolders({std::filesystem::current_path(), scratch.path});
    Random::Seed(options.seed);
    gfx::NullDevice device;
    InitDirectSound(SoundOutput::Null);
    g_FileClass.LoadTexturePack(pack::kGraphicsPack, &device);
    g_FileClass.LoadSoundPack(pack::kEffectPack);
    if (!g_FileClass.ValidateAssets() || !std::filesystem::exists(pack::kWaveDataPack)) {
        std::cerr << "velmoria-bot: cannot read the packs in " << std::filesystem::current_path() << "\n";
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();
    const bot::BattleOutcome outcome = bot::PlayBattle(&device, options.request, options.strategy.c_str(),
                                                       options.quiet ? nullptr : &std::cerr, kFrameLimit);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const field::StageRequest& r = options.request;
    std::printf("stage %d difficulty %d character %d strategy %s seed %u: %s at wave %d/%d, lives %d, score %d, "
                "%d frames, %.2f s\n",
                r.stage, r.difficulty, r.character, options.strategy.c_str(), options.seed,
                outcome.cleared ? "cleared" : (outcome.finished ? "lost" : "unfinished"), outcome.wave,
                outcome.waveCount, outcome.lives, outcome.score, outcome.frames, seconds);
    return outcome.cleared ? 0 : 1;
}
