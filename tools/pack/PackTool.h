#pragma once
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

// The commands of velmoria-pack, the tool that lists, unpacks and builds pack archives and
// compiles the wave data from its readable source. Kept apart from main so that tests can run it
// without a process of its own.
namespace packtool {

constexpr std::uint32_t kDefaultPackKey = 0x6B3D2A51u;
constexpr std::uint32_t kDefaultWaveKey = 0x2C91E4B7u;

// Exit codes: 0 done, 1 done in part (some entries could not be extracted, or an output could
// not be written), 2 bad arguments or unreadable input.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace packtool
