#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// How the player (or a test) started the game. Without flags the game asks for full screen or
// window mode and runs until closed.
struct LaunchOptions {
    enum class Display { Ask, Window, FullScreen, Headless };

    // A file written after one frame: a screenshot, or the recording of the frame's device calls.
    struct FrameFile {
        std::uint32_t frame;
        std::string path;
        // The frame shown last before the run ends ("last:PATH"); frame is then 0.
        bool last = false;

        bool operator==(const FrameFile&) const = default;
    };

    Display display = Display::Ask;
    std::optional<std::uint32_t> frames;
    std::optional<std::uint32_t> seed;
    std::string dataDir;
    std::string inputScript;
    std::string recordInput;
    // Where the time of every shown frame goes, and how it was spent.
    std::string frameTimes;
    std::string replay;
    std::optional<std::uint32_t> scale;
    bool smooth = false;
    // The guides for this run only, over what settings.txt remembers.
    std::optional<bool> guides;
    // The language of the texts for this run only, over what settings.txt remembers.
    std::optional<std::string> language;
    std::vector<FrameFile> screenshots;
    std::vector<FrameFile> recordings;
    bool showHelp = false;
    bool showVersion = false;

    bool Headless() const { return display == Display::Headless; }
    bool operator==(const LaunchOptions&) const = default;
};

// False with a one-line reason for an unknown flag, a missing value or a bad number; options
// are then left as they were.
bool ParseCommandLine(int argc, const char* const* argv, LaunchOptions& options, std::string& error);

const char* UsageText();
