#pragma once
#include <cstdint>

// The scrambling of pack directories (and of the wave data file that shares the container):
// a number V is stored as ~V + K, a name character c as (~c + K) & 0xFF, with K the pack key.
namespace pack {

constexpr std::uint32_t kHeaderSize = 16;
constexpr std::uint32_t kRecordSize = 64;
constexpr std::uint32_t kMaxNameLength = 31;
constexpr std::uint32_t kRecordNameOffset = 4;
constexpr std::uint32_t kRecordSizeField = 48;
constexpr std::uint32_t kRecordOffsetField = 52;
constexpr std::uint32_t kRecordThirdField = 56;

constexpr std::uint32_t Scramble(std::uint32_t value, std::uint32_t key) { return ~value + key; }
constexpr std::uint32_t Unscramble(std::uint32_t stored, std::uint32_t key) { return ~(stored - key); }

constexpr std::uint8_t ScrambleChar(std::uint8_t c, std::uint32_t key) {
    return static_cast<std::uint8_t>(static_cast<std::uint8_t>(~c) + static_cast<std::uint8_t>(key));
}
constexpr std::uint8_t UnscrambleChar(std::uint8_t stored, std::uint32_t key) {
    return static_cast<std::uint8_t>(~static_cast<std::uint8_t>(stored - static_cast<std::uint8_t>(key)));
}

static_assert(Unscramble(Scramble(12345u, 0xDEADBEEFu), 0xDEADBEEFu) == 12345u);
static_assert(UnscrambleChar(ScrambleChar('w', 0x1234u), 0x1234u) == 'w');

}  // namespace pack
