#pragma once
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

// The commands behind velmoria-pack's command words, and what they share.
namespace packtool {

constexpr int kDone = 0;
constexpr int kPartly = 1;
constexpr int kBadInput = 2;

// A command line after the command word: positional arguments and the key (the command's
// default when none was given).
struct Arguments {
    std::vector<std::string> positional;
    std::uint32_t key = 0;
    bool help = false;
};

std::string Hex(std::uint32_t value);

int List(const Arguments& args, std::ostream& out, std::ostream& err);
int Extract(const Arguments& args, std::ostream& out, std::ostream& err);
int Create(const Arguments& args, std::ostream& out, std::ostream& err);
int WavesCompile(const Arguments& args, std::ostream& out, std::ostream& err);
int WavesDump(const Arguments& args, std::ostream& out, std::ostream& err);

}  // namespace packtool
