// libFuzzer target: any bytes as the settings file ("settings.txt"). A refused file names its
// line in a one-line reason and leaves the settings as they were; an accepted one gives no scale
// or one from 1 to 16, gives the same with a setting of a newer game after it, and written back
// reads to the same settings, the guides included.
#include <cstdlib>
#include <string>

#include "app/WindowSettings.h"

namespace {

bool NamesItsLine(const std::string& error) {
    const std::size_t colon = error.find(": ");
    return error.rfind("line ", 0) == 0 && colon != std::string::npos && colon > 5 && error.find_first_not_of("0123456789", 5) == colon &&
           error.find_first_of("\n\r") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const WindowSettings before{5, false};
    WindowSettings settings = before;
    std::string error;
    if (!ParseWindowSettings(text, settings, error)) {
        if (!NamesItsLine(error) || !(settings == before)) {
            std::abort();
        }
        return 0;
    }
    if (settings.scale != 0 &&
        (settings.scale < WindowSettings::kMinScale || settings.scale > WindowSettings::kMaxScale)) {
        std::abort();
    }
    WindowSettings newer;
    if (!ParseWindowSettings(text + "\nfullscreen 1 # a newer game's\n", newer, error) || !(newer == settings)) {
        std::abort();
    }
    WindowSettings again;
    if (!ParseWindowSettings(FormatWindowSettings(settings), again, error) || !(again == settings)) {
        std::abort();
    }
    return 0;
}
