#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes pack archives: the key, the scrambled directory, then every entry's bytes in the order
// given. The same entries and key always give the same bytes.
namespace pack {

struct Entry {
    std::string name;  // at most 31 characters
    std::vector<std::uint8_t> bytes;
    std::uint32_t third = 0;  // the record's third number (the wave data keeps starting points there)
};

// False (with a reason) for a name longer than 31 characters or a pack beyond 4 GiB.
bool BuildPack(const std::vector<Entry>& entries, std::uint32_t key, std::vector<std::uint8_t>& out,
               std::string& error);
bool WritePackFile(const std::string& path, const std::vector<Entry>& entries, std::uint32_t key,
                   std::string& error);

// Writes the directory record i of a container into out (which must be large enough).
void PutRecord(std::vector<std::uint8_t>& out, std::uint32_t index, const std::string& name, std::uint32_t first,
               std::uint32_t second, std::uint32_t third, std::uint32_t key);
void PutU32(std::vector<std::uint8_t>& out, std::size_t offset, std::uint32_t value);

}  // namespace pack
