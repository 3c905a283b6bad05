#include "object/Utf8.h"

namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Total bytes of the sequence a lead byte starts; 0 for a byte that cannot start one.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

}  // namespace

std::size_t Utf8CutLength(const char* text, std::size_t length) {
    // Step back over at most three continuation bytes to the lead of the last character.
    std::size_t start = length;
    while (start > 0 && length - start < 4 && IsContinuation(static_cast<unsigned char>(text[start - 1]))) {
        --start;
    }
    if (start == 0) {
        return length;
    }
    const std::size_t lead = start - 1;
    const std::size_t need = SequenceLength(static_cast<unsigned char>(text[lead]));
    return (need > 1 && lead + need > length) ? lead : length;
}

std::size_t DecodeUtf8(const char* text, std::size_t left, std::uint32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = SequenceLength(lead);
    codePoint = kReplacement;
    if (length == 0 || length > left) {
        return 1;
    }
    if (length == 1) {
        codePoint = lead;
        return 1;
    }
    static constexpr unsigned char kLeadMask[5] = {0, 0, 0x1F, 0x0F, 0x07};
    std::uint32_t value = lead & kLeadMask[length];
    for (std::size_t k = 1; k < length; ++k) {
        const auto byte = static_cast<unsigned char>(text[k]);
        if (!IsContinuation(byte)) {
            return 1;
        }
        value = (value << 6) | (byte & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    static constexpr std::uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) {
        return 1;
    }
    codePoint = value;
    return length;
}
