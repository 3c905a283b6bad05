#include "app/CommandLine.h"

#include <charconv>
#include <cstring>
#include <string_view>
#include <utility>

#include "app/WindowSettings.h"
#include "base/Language.h"
#include "base/PlayerText.h"

namespace {

bool ParseNumber(std::string_view text, std::uint32_t& value) {
    if (text.empty()) {
        return false;
    }
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

bool ParseInto(int argc, const char* const* argv, LaunchOptions& options, std::string& error);

}  // namespace

const char* UsageText() {
    return "usage: velmoria [options]\n"
           "  --window            start in window mode without asking\n"
           "  --fullscreen        start in full screen without asking\n"
           "  --headless          no window and no sound; frames are drawn but not shown\n"
           "  --frames N          stop after N frames\n"
           "  --seed N            seed the random numbers with N instead of the time\n"
           "  --data DIR          read the packs from DIR and keep your files there\n"
           "  --input FILE        play the input script FILE (see README.md)\n"
           "  --record-input FILE write the input the scenes saw to FILE, as an input script\n"
           "  --frame-times FILE  write one line per frame shown: the interval since the last one and\n"
           "                      how it was spent (input, simulation, drawing, present, waiting), in ms\n"
           "  --replay FILE       play back a recorded battle (see README.md); headless runs print\n"
           "                      its score, lives and wave and exit when the battle is left\n"
           "  --scale N           show the window N times the frame's size (1 to 16)\n"
           "  --smooth            scale the picture with linear filtering instead of whole pixels\n"
           "  --guides on|off     show or hide the guides for this run, without remembering it\n"
           "  --lang CODE         show the texts in this language for this run (ja, en, ...: a catalogue\n"
           "                      CODE.mo beside the packs), without remembering it\n"
           "  --screenshot F:PNG  write the frame presented after frame F to PNG (repeatable); F may be\n"
           "                      'last', the frame shown last before the run ends\n"
           "  --record-frame F:FILE  write the device calls of the frame presented in frame F to FILE\n"
           "                      (repeatable; bench_frames replays them); F may be 'last' when the\n"
           "                      run's end is known ahead: a replay's last frame, or frame N of --frames\n"
           "  --help              show this text\n"
           "  --version           show the version\n"
           "\n"
           "\n"
           "Keys: Tab cycles the battle's speed (x1, x2, x4), F12 saves a screenshot, Alt+Enter switches\n"
           "between window and full screen, F1 shows every key while the guides are on, F3 shows the frame\n"
           "rate.\n"
           "\n"
           "Your files (save.dat, settings.txt, log.txt, screenshots/, replays/) are kept in --data DIR,\n"
           "else beside the packs when they are beside the program, else (installed) in\n"
           "$XDG_DATA_HOME/velmoria (~/.local/share/velmoria).\n";
}

bool ParseCommandLine(int argc, const char* const* argv, LaunchOptions& options, std::string& error) {
    LaunchOptions parsed = options;
    if (!ParseInto(argc, argv, parsed, error)) {
        return false;
    }
    options = std::move(parsed);
    return true;
}

namespace {

bool ParseInto(int argc, const char* const* argv, LaunchOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view flag = argv[i];
        auto value = [&](std::string_view& out) {
            if (i + 1 >= argc) {
                error = std::string(flag) + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        auto number = [&](std::uint32_t& out) {
            std::string_view text;
            if (!value(text)) {
                return false;
            }
            if (!ParseNumber(text, out)) {
                error = std::string(flag) + " needs a whole number, not " + QuotedExcerpt(text);
                return false;
            }
            return true;
        };
        auto path = [&](std::string& out) {
            std::string_view text;
            if (!value(text)) {
                return false;
            }
            // An empty path would read as the flag left out, and the run would quietly do without.
            if (text.empty()) {
                error = std::string(flag) + " needs a path, not an empty word";
                return false;
            }
            out = text;
            return true;
        };
        auto frameFile = [&](std::vector<LaunchOptions::FrameFile>& files) {
            std::string_view text;
            if (!value(text)) {
                return false;
            }
            const std::size_t colon = text.find(':');
            std::uint32_t frame = 0;
            const bool last = colon != std::string_view::npos && text.substr(0, colon) == "last";
            if (colon == std::string_view::npos || (!last && !ParseNumber(text.substr(0, colon), frame)) ||
                colon + 1 == text.size()) {
                error = std::string(flag) + " needs FRAME:PATH, not " + QuotedExcerpt(text);
                return false;
            }
            files.push_back({frame, std::string(text.substr(colon + 1)), last});
            return true;
        };
        std::uint32_t n = 0;
        if (flag == "--window") {
            options.display = LaunchOptions::Display::Window;
        } else if (flag == "--fullscreen") {
            options.display = LaunchOptions::Display::FullScreen;
        } else if (flag == "--headless") {
            options.display = LaunchOptions::Display::Headless;
        } else if (flag == "--frames") {
            if (!number(n)) {
                return false;
            }
            options.frames = n;
        } else if (flag == "--seed") {
            if (!number(n)) {
                return false;
            }
            options.seed = n;
        } else if (flag == "--data") {
            if (!path(options.dataDir)) {
                return false;
            }
        } else if (flag == "--input") {
            if (!path(options.inputScript)) {
                return false;
            }
        } else if (flag == "--record-input") {
            if (!path(options.recordInput)) {
                return false;
            }
        } else if (flag == "--frame-times") {
            if (!path(options.frameTimes)) {
                return false;
            }
        } else if (flag == "--replay") {
            if (!path(options.replay)) {
                return false;
            }
        } else if (flag == "--scale") {
            if (!number(n)) {
                return false;
            }
            if (n < 1 || n > 16) {
                error = "--scale needs a whole number from 1 to 16";
                return false;
            }
            options.scale = n;
        } else if (flag == "--smooth") {
            options.smooth = true;
        } else if (flag == "--guides") {
            std::string_view text;
            if (!value(text)) {
                return false;
            }
            bool guides = true;
            if (!ParseOnOff(text, guides)) {
                error = "--guides needs on or off, not " + QuotedExcerpt(text);
                return false;
            }
            options.guides = guides;
        } else if (flag == "--lang") {
            std::string_view text;
            if (!value(text)) {
                return false;
            }
            if (!language::ValidCode(text)) {
                error = "--lang needs a language code such as ja or en, not " + QuotedExcerpt(text);
                return false;
            }
            options.language = std::string(text);
        } else if (flag == "--screenshot") {
            if (!frameFile(options.screenshots)) {
                return false;
            }
        } else if (flag == "--record-frame") {
            if (!frameFile(options.recordings)) {
                return false;
            }
            // Frame 0 is the black frame drawn before any scene: nothing to record.
            if (options.recordings.back().frame == 0 && !options.recordings.back().last) {
                error = "--record-frame needs a frame number from 1 on, or 'last'";
                return false;
            }
        } else if (flag == "--help" || flag == "-h") {
            options.showHelp = true;
        } else if (flag == "--version") {
            options.showVersion = true;
        } else {
            error = "unknown option " + QuotedExcerpt(flag) + " (see --help)";
            return false;
        }
    }
    return true;
}

}  // namespace
