#pragma once
#include <cstdint>
#include <string_view>

namespace input {

// DirectInput scan code of an SDL scancode; 0 for keys the table does not know.
std::uint32_t ScanCodeFromSdl(int sdlScancode);

// Scan code of a key name used by input scripts ("A".."Z", "0".."9", "Space", "LShift",
// "Escape", ...); false for an unknown name.
bool ScanCodeFromName(std::string_view name, std::uint32_t& scanCode);

}  // namespace input
