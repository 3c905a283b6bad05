// velmoria-bot: plays battles headless with the autoplayer and says how they ended.
//
//   velmoria-bot [--stage N] [--difficulty N] [--character N] [--strategy plain|maze] [--seed N]
//                [--data DIR] [--quiet] [--replay-out FILE] [--frames N]
//   velmoria-bot --check-replay FILE [--data DIR]
//   velmoria-bot --soak SECONDS [--seed N] [--data DIR] [--replay-out DIR]
//   velmoria-bot --full-flow battle|pause [--character N] [--seed N] [--data DIR] [--replay-out FILE]
//
// Reads the packs from DIR (default: the working directory) and never writes there: the battles'
// save goes to a temporary folder removed at exit.
//
// One battle: one line of progress a wave on stderr (unless --quiet), one result line on stdout;
// --replay-out writes the battle as a replay of the game's own (`velmoria --replay FILE` plays it
// back). --frames N stops the battle after N frames, ended or not (a short battle for a test).
// Exit code 0 when the stage was cleared, 1 when it was lost or ran past its frame limit.
//
// --check-replay plays a replay back here, headless and undrawn, and prints how it ended: exit
// code 0 when it ended as recorded, 1 when not.
//
// --soak plays random battles (stage, difficulty, character, strategy and seed drawn from
// --seed) for SECONDS, each recorded, written as a replay, read back and played back in this
// process, and compares the two endings; one line a battle, then a summary with the heap in use
// (the bytes the game holds) at the start (after the battles of the first quarter of the time)
// and at the end, and for information the resident memory and what the allocator keeps mapped.
// Replays that end differently are kept in the --replay-out folder. Exit code 0 when every replay
// ended as its battle and the heap in use grew by at most 10 %, 1 otherwise.
//
// --full-flow plays the character's battle into full flow, the frame the drawing is measured on:
// the corridor at lunatic with a rich start, every kind of the shop bought several times, a crowd
// of enemies, a spell at work, a tower selected (and with "pause", the pause menu open over it),
// stopping at the first frame that shows all of it; --replay-out writes the battle up to there as
// a replay, whose last frame is that frame. One line on stdout says how it ended; exit code 0 when
// full flow was reached, 1 with what the battle lacked when not.
//
// Exit code 2 for bad arguments, packs that cannot be read, or a replay that cannot be read or
// was recorded with another game or other packs.
#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/BattleReplay.h"
#include "app/BotReplay.h"
#include "app/PlayerFolder.h"
#include "audio/DirectSound.h"
#include "base/FilePath.h"
#include "base/GameFolders.h"
#include "base/Random.h"
#include "gfx/NullDevice.h"
#include "resource/FileClass.h"
#include "resource/PackNames.h"
#include "scene/bot/Strategy.h"

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's allocator: what it has handed out, what it has mapped for that, and handing
// its free pages back to the system (declared in its sanitizer/allocator_interface.h).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
extern "C" std::size_t __sanitizer_get_heap_size();
extern "C" void __sanitizer_purge_allocator();
#endif

namespace {

namespace fs = std::filesystem;

constexpr int kFrameLimit = 200000;
constexpr const char* kStrategies[] = {"plain", "maze"};
// The heap in use at the end of a soak may be this much above the heap at its start, which is
// taken after the battles of the first quarter of its time.
constexpr double kMemoryGrowthAllowed = 0.10;
constexpr double kWarmUpShare = 0.25;

struct BotOptions {
    field::StageRequest request;
    std::string strategy = "plain";
    std::uint32_t seed = 1;
    fs::path data = ".";
    bool quiet = false;
    fs::path replayOut;
    fs::path checkReplay;
    int soakSeconds = 0;
    int frames = kFrameLimit;
    std::optional<bot::FullFlow::Ending> fullFlow;
};

// Full flow comes within a few thousand frames; this many mean something has gone wrong.
constexpr int kFullFlowFrameLimit = 12000;

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
        } else if (flag == "--frames") {
            if (!number(1, kFrameLimit, options.frames)) return false;
        } else if (flag == "--soak") {
            if (!number(1, 86400, options.soakSeconds)) return false;
        } else if (flag == "--strategy") {
            if (!bot::MakeStrategy(value)) {
                error = "no strategy called '" + value + "' (plain, maze)";
                return false;
            }
            options.strategy = value;
        } else if (flag == "--full-flow") {
            if (value != "battle" && value != "pause") {
                error = "--full-flow takes 'battle' or 'pause'";
                return false;
            }
            options.fullFlow = value == "battle" ? bot::FullFlow::Ending::Battle : bot::FullFlow::Ending::PauseMenu;
        } else if (flag == "--data") {
            options.data = value;
        } else if (flag == "--replay-out") {
            options.replayOut = fs::absolute(value);
        } else if (flag == "--check-replay") {
            options.checkReplay = fs::absolute(value);
        } else {
            error = "unknown flag " + flag;
            return false;
        }
    }
    const int runs =
        (options.checkReplay.empty() ? 0 : 1) + (options.soakSeconds > 0 ? 1 : 0) + (options.fullFlow ? 1 : 0);
    if (runs > 1) {
        error = "--check-replay, --soak and --full-flow are different runs";
        return false;
    }
    return true;
}

// A private folder for the battles' save, gone when the run ends.
struct ScratchFolder {
    ScratchFolder() {
        char pattern[] = "/tmp/velmoria-bot-XXXXXX";
        if (mkdtemp(pattern) != nullptr) {
            path = pattern;
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

std::string Describe(const field::StageRequest& r, const std::string& strategy, std::uint32_t seed) {
    return "stage " + std::to_string(r.stage) + " difficulty " + std::to_string(r.difficulty) + " character " +
           std::to_string(r.character) + " strategy " + strategy + " seed " + std::to_string(seed);
}

std::string Describe(const bot::BattleOutcome& outcome) {
    return std::string(outcome.cleared ? "cleared" : (outcome.finished ? "lost" : "unfinished")) + " at wave " +
           std::to_string(outcome.wave) + "/" + std::to_string(outcome.waveCount) + ", lives " +
           std::to_string(outcome.lives) + ", score " + std::to_string(outcome.score) + ", " +
           std::to_string(outcome.frames) + " frames";
}

// The resident memory of this process, in KiB, once the allocator has handed the pages it keeps
// free back to the system. Only a figure to show: under AddressSanitizer it also counts the shadow
// of every page the heap ever used and the allocator's size classes grown for the largest battle
// so far, neither of which comes back, so it rises in steps with the battles whatever the game holds.
long ResidentKiB() {
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_purge_allocator();
#else
    malloc_trim(0);
#endif
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The highest resident memory of this process so far, in KiB ("VmHWM" in /proc/self/status).
long PeakResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return 0;
}

// The bytes the game holds on the heap now, in KiB: what the allocator has handed out and not had
// back, the blocks it maps one by one for large requests included, whatever it keeps in reserve.
long HeapInUseKiB() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
#endif
}

// What the allocator has mapped for the heap, in KiB: the heap in use and what it keeps to reuse.
long AllocatorKiB() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_heap_size() / 1024);
#else
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.arena + info.hblkhd) / 1024);
#endif
}

bool WriteReplay(const fs::path& path, const Replay& replay) {
    if (!player_files::WriteText(path, FormatReplay(replay))) {
        std::cerr << "velmoria-bot: cannot write replay '" << Utf8Of(path) << "'\n";
        return false;
    }
    return true;
}

int PlayOne(gfx::Device& device, const BotOptions& options) {
    Random::Seed(options.seed);
    const auto started = std::chrono::steady_clock::now();
    const RecordedBattle battle = PlayAndRecord(&device, options.request, options.strategy.c_str(),
                                                options.quiet ? nullptr : &std::cerr, options.frames);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%s: %s, %.2f s\n", Describe(options.request, options.strategy, options.seed).c_str(),
                Describe(battle.outcome).c_str(), seconds);
    if (!options.replayOut.empty() && !WriteReplay(options.replayOut, battle.replay)) {
        return 2;
    }
    return battle.outcome.cleared ? 0 : 1;
}

int PlayFullFlow(gfx::Device& device, const BotOptions& options) {
    Random::Seed(options.seed);
    std::string lacking;
    const int character = options.request.character;
    const std::optional<RecordedBattle> battle =
        PlayIntoFullFlow(&device, character, *options.fullFlow, kFullFlowFrameLimit, lacking);
    if (!battle) {
        std::printf("character %d: no full flow within %d frames: %s\n", character, kFullFlowFrameLimit,
                    lacking.c_str());
        return 1;
    }
    std::printf("character %d: full flow at frame %d, wave %d, lives %d\n", character, battle->outcome.frames,
                battle->outcome.wavesStarted, battle->outcome.lives);
    if (!options.replayOut.empty() && !WriteReplay(options.replayOut, battle->replay)) {
        return 2;
    }
    return 0;
}

int CheckReplay(gfx::Device& device, const fs::path& path) {
    Replay replay;
    std::string error;
    if (!LoadReplay(path, replay, error)) {
        std::cerr << "velmoria-bot: " << error << "\n";
        return 2;
    }
    if (!ReplayFitsThisGame(replay, error)) {
        std::cerr << "velmoria-bot: " << Utf8Of(path) << " " << error << "\n";
        return 2;
    }
    const bot::BattleOutcome outcome = PlayBack(&device, replay);
    const Replay::Result& recorded = replay.result;
    const bool same = ResultOf(outcome) == recorded;
    std::printf("replay %s: %s; %s\n", Utf8Of(path).c_str(), Describe(outcome).c_str(),
                same ? "as recorded"
                     : ("recorded score " + std::to_string(recorded.score) + ", lives " +
                        std::to_string(recorded.lives) + ", wave " + std::to_string(recorded.wave))
                           .c_str());
    return same ? 0 : 1;
}

// One soak battle: played and recorded, written and read back as a replay file's text, played
// back. True when the replay ended as the battle did.
bool SoakBattle(gfx::Device& device, const field::StageRequest& request, const char* strategy, std::uint32_t seed,
                const fs::path& keepFolder, int number) {
    Random::Seed(seed);
    const RecordedBattle battle = PlayAndRecord(&device, request, strategy, nullptr, kFrameLimit);
    Replay replay;
    std::string error;
    std::optional<bot::BattleOutcome> replayed;
    if (ParseReplay(FormatReplay(battle.replay), replay, error)) {
        replayed = PlayBack(&device, replay);
    }
    const bool same = replayed && *replayed == battle.outcome;
    std::printf("battle %d: %s: %s; ", number, Describe(request, strategy, seed).c_str(),
                Describe(battle.outcome).c_str());
    if (same) {
        std::printf("replay identical");
    } else if (!replayed) {
        std::printf("REPLAY UNREADABLE: %s", error.c_str());
    } else {
        std::printf("REPLAY DIFFERS: %s", Describe(*replayed).c_str());
    }
    const long resident = ResidentKiB();
    std::printf("; heap %ld KiB, allocator %ld KiB, resident %ld KiB (peak %ld KiB)\n", HeapInUseKiB(),
                AllocatorKiB(), resident, PeakResidentKiB());
    if (!same && !keepFolder.empty()) {
        const fs::path kept = keepFolder / ("soak-" + std::to_string(number) + ".replay");
        std::error_code ignored;
        fs::create_directories(keepFolder, ignored);
        if (WriteReplay(kept, battle.replay)) {
            std::printf("  kept as %s\n", Utf8Of(kept).c_str());
        }
    }
    std::fflush(stdout);
    return same;
}

// The memory of a soak, in KiB: the heap in use, which the check is on, and for information what
// the allocator has mapped and the resident memory.
struct Memory {
    long heap = 0;
    long allocator = 0;
    long resident = 0;
    static Memory Now() {
        const long resident = ResidentKiB();  // first: it hands the allocator's free pages back
        return {HeapInUseKiB(), AllocatorKiB(), resident};
    }
};

double Growth(long from, long to) { return static_cast<double>(to - from) / static_cast<double>(from); }

int Soak(gfx::Device& device, const BotOptions& options) {
    std::mt19937 draw(options.seed);
    const auto pick = [&](int count) { return static_cast<int>(draw() % static_cast<unsigned>(count)); };
    const Memory before = Memory::Now();
    std::optional<Memory> start;
    int battles = 0;
    int identical = 0;
    const auto started = std::chrono::steady_clock::now();
    const auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(); };
    while (battles == 0 || elapsed() < options.soakSeconds) {
        field::StageRequest request;
        request.stage = pick(3);
        request.difficulty = pick(4);
        request.character = pick(2);
        const char* strategy = kStrategies[pick(2)];
        const auto seed = static_cast<std::uint32_t>(1 + pick(1000000));
        ++battles;
        identical += SoakBattle(device, request, strategy, seed, options.replayOut, battles) ? 1 : 0;
        // The start is measured once the warm-up has run: the allocator has then met battles
        // of several kinds and grown its pools to them.
        if (!start && elapsed() >= options.soakSeconds * kWarmUpShare) {
            start = Memory::Now();
            std::printf("soak: warmed up after %d battles\n", battles);
        }
    }
    const Memory end = Memory::Now();
    const double heap = Growth(start->heap, end.heap);
    std::printf("soak: %d battles in %.0f s; %d replays identical, %d different\n", battles, elapsed(), identical,
                battles - identical);
    std::printf("soak: heap in use %ld KiB before the first battle, %ld KiB after the warm-up (start), %ld KiB at "
                "the end (%+.1f %%)\n",
                before.heap, start->heap, end.heap, heap * 100.0);
    std::printf("soak: not checked: the allocator's mapping %ld -> %ld KiB (%+.1f %%), resident memory %ld -> %ld KiB "
                "(%+.1f %%), peak resident %ld KiB\n",
                start->allocator, end.allocator, Growth(start->allocator, end.allocator) * 100.0, start->resident,
                end.resident, Growth(start->resident, end.resident) * 100.0, PeakResidentKiB());
    const bool grew = heap > kMemoryGrowthAllowed;
    if (grew) {
        std::printf("soak: the heap in use grew by more than %.0f %%\n", kMemoryGrowthAllowed * 100.0);
    }
    return identical == battles && !grew ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    BotOptions options;
    std::string error;
    if (!Parse(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::cerr << "velmoria-bot: " << error << "\n";
        return 2;
    }
    std::error_code changed;
    fs::current_path(options.data, changed);
    const ScratchFolder scratch;
    if (changed || scratch.path.empty()) {
        std::cerr << "velmoria-bot: cannot use " << (changed ? options.data : "a temporary folder") << "\n";
        return 2;
    }
    SetFolders({fs::current_path(), scratch.path});
    gfx::NullDevice device;
    InitDirectSound(SoundOutput::Null);
    g_FileClass.LoadTexturePack(pack::kGraphicsPack, &device);
    g_FileClass.LoadSoundPack(pack::kEffectPack);
    if (!g_FileClass.ValidateAssets() || !fs::exists(pack::kWaveDataPack)) {
        std::cerr << "velmoria-bot: cannot read the packs in " << fs::current_path() << "\n";
        return 2;
    }
    if (!options.checkReplay.empty()) {
        return CheckReplay(device, options.checkReplay);
    }
    if (options.soakSeconds > 0) {
        return Soak(device, options);
    }
    if (options.fullFlow) {
        return PlayFullFlow(device, options);
    }
    return PlayOne(device, options);
}
