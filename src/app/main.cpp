#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/NowLoading.h"
#include "app/StartUp.h"
#include "audio/DirectSound.h"
#include "audio/MusicThread.h"
#include "audio/StreamingTrack.h"
#include "input/InputScript.h"
#include "platform/MessageBox.h"
#include "scene/SceneTitle.h"

namespace {

// The packs, "save.dat" and "log.txt" live in the data folder: the one given, else the
// executable's own.
bool EnterDataFolder(const LaunchOptions& options, const char* argv0) {
    std::error_code error;
    std::filesystem::path folder = options.dataDir;
    if (folder.empty()) {
        folder = std::filesystem::canonical("/proc/self/exe", error).parent_path();
        if (error) {
            folder = std::filesystem::absolute(argv0, error).parent_path();
        }
    }
    if (!std::filesystem::is_directory(folder, error)) {
        std::fprintf(stderr, "velmoria: data folder '%s' does not exist\n", folder.c_str());
        return false;
    }
    if (chdir(folder.c_str()) != 0) {
        std::fprintf(stderr, "velmoria: cannot enter data folder '%s'\n", folder.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    LaunchOptions options;
    std::string error;
    if (!ParseCommandLine(argc, argv, options, error)) {
        std::fprintf(stderr, "velmoria: %s\n", error.c_str());
        return 2;
    }
    if (options.showHelp) {
        std::fputs(UsageText(), stdout);
        return 0;
    }
    if (options.showVersion) {
        std::printf("velmoria %s\n", VELMORIA_VERSION);
        return 0;
    }
    // Read now, before the data folder changes what a relative path means.
    input::InputScript script;
    if (!options.inputScript.empty() && !script.Load(options.inputScript, error)) {
        std::fprintf(stderr, "velmoria: %s\n", error.c_str());
        return 2;
    }
    for (std::vector<LaunchOptions::FrameFile>* files : {&options.screenshots, &options.recordings}) {
        for (LaunchOptions::FrameFile& file : *files) {
            file.path = std::filesystem::absolute(file.path).string();
        }
    }
    if (!EnterDataFolder(options, argv[0])) {
        return 2;
    }
    // Dialogs would block an unattended run; such runs get their messages on stderr.
    platform::SetDialogsEnabled(!options.Headless() && std::getenv("VELMORIA_NO_DIALOGS") == nullptr);

    GameParts parts;
    parts.startSound = [](bool headless) { InitDirectSound(headless ? SoundOutput::Null : SoundOutput::Device); };
    parts.startMusicThread = &audio::StartMusicThread;
    // The effects stay in the registry until process exit; with the device closed they are silent.
    parts.stopMusic = [] {
        audio::StopMusicThread();
        audio::MusicTrack().Release();
        ShutdownDirectSound();
    };
    parts.makeStartUp = [] { return std::unique_ptr<Scene>(std::make_unique<StartUp>()); };
    parts.makeNowLoading = [] { return std::unique_ptr<Scene>(std::make_unique<NowLoading>()); };
    parts.makeTitle = [] { return std::unique_ptr<Scene>(std::make_unique<SceneTitle>()); };
    return RunGame(options, script, parts);
}
