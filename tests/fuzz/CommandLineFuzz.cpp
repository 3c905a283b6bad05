// libFuzzer target: any bytes as the command line, split into arguments at zero bytes. A refused
// command line gives a one-line reason and leaves the options as they were; an accepted one
// records only numbered frames from 1 or the last one, names no empty path, and written back as
// flags parses to the same options.
#include <cstdlib>
#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace {

std::vector<std::string> Split(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words = {"velmoria"};
    std::string word;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word += static_cast<char>(data[i]);
        }
    }
    if (!word.empty()) {
        words.push_back(word);
    }
    return words;
}

bool Parse(const std::vector<std::string>& words, LaunchOptions& options, std::string& error) {
    std::vector<const char*> argv;
    for (const std::string& word : words) {
        argv.push_back(word.c_str());
    }
    return ParseCommandLine(static_cast<int>(argv.size()), argv.data(), options, error);
}

// Written back as flags, the options of these flags must parse to the same; flags added later are
// left out of the comparison, so a new flag never makes this target fail by itself.
bool SameWrittenBack(const LaunchOptions& a, const LaunchOptions& b) {
    return a.display == b.display && a.frames == b.frames && a.seed == b.seed && a.dataDir == b.dataDir &&
           a.inputScript == b.inputScript && a.screenshots == b.screenshots && a.recordings == b.recordings &&
           a.showHelp == b.showHelp && a.showVersion == b.showVersion;
}

// The flags that give the options, as a player would type them.
std::vector<std::string> Flags(const LaunchOptions& options) {
    std::vector<std::string> words = {"velmoria"};
    switch (options.display) {
    case LaunchOptions::Display::Ask: break;
    case LaunchOptions::Display::Window: words.push_back("--window"); break;
    case LaunchOptions::Display::FullScreen: words.push_back("--fullscreen"); break;
    case LaunchOptions::Display::Headless: words.push_back("--headless"); break;
    }
    if (options.frames) {
        words.insert(words.end(), {"--frames", std::to_string(*options.frames)});
    }
    if (options.seed) {
        words.insert(words.end(), {"--seed", std::to_string(*options.seed)});
    }
    // An empty path is refused as a flag's value: unset is written as no flag at all.
    for (const auto& [flag, path] : {std::pair{"--data", &options.dataDir}, std::pair{"--input", &options.inputScript}}) {
        if (!path->empty()) {
            words.insert(words.end(), {flag, *path});
        }
    }
    const auto addFrameFiles = [&words](const char* flag, const std::vector<LaunchOptions::FrameFile>& files) {
        for (const LaunchOptions::FrameFile& file : files) {
            const std::string frame = file.last ? "last" : std::to_string(file.frame);
            words.insert(words.end(), {flag, frame + ":" + file.path});
        }
    };
    addFrameFiles("--screenshot", options.screenshots);
    addFrameFiles("--record-frame", options.recordings);
    if (options.showHelp) {
        words.push_back("--help");
    }
    if (options.showVersion) {
        words.push_back("--version");
    }
    return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> words = Split(data, size);
    LaunchOptions before;
    before.dataDir = "before";
    before.screenshots.push_back({3, "before.png"});
    LaunchOptions options = before;
    std::string error;
    if (!Parse(words, options, error)) {
        if (error.empty() || error.find_first_of("\n\r") != std::string::npos || !(options == before)) {
            std::abort();
        }
        return 0;
    }
    for (const auto* files : {&options.screenshots, &options.recordings}) {
        for (const LaunchOptions::FrameFile& file : *files) {
            if (file.path.empty() || (files == &options.recordings && file.frame == 0 && !file.last)) {
                std::abort();
            }
        }
    }
    LaunchOptions again;
    if (!Parse(Flags(options), again, error) || !SameWrittenBack(again, options)) {
        std::abort();
    }
    return 0;
}
