#include "base/Catalogue.h"

#include <cstdint>

namespace {

constexpr std::uint32_t kMagic = 0x950412DEu;
constexpr std::uint32_t kSwappedMagic = 0xDE120495u;
constexpr std::size_t kHeaderBytes = 28;

// Reads the catalogue's 32-bit words in the byte order its magic number says it was written in.
class Words {
public:
    Words(std::string_view bytes, bool swapped) : bytes_(bytes), swapped_(swapped) {}

    bool Read(std::size_t offset, std::uint32_t& value) const {
        if (offset > bytes_.size() || bytes_.size() - offset < 4) {
            return false;
        }
        value = 0;
        for (int i = 0; i < 4; ++i) {
            const auto byte = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[offset + static_cast<std::size_t>(i)]));
            value |= swapped_ ? byte << (8 * (3 - i)) : byte << (8 * i);
        }
        return true;
    }

    // The string a (length, offset) descriptor at `at` points to.
    bool String(std::size_t at, std::string_view& text) const {
        std::uint32_t length = 0;
        std::uint32_t offset = 0;
        if (!Read(at, length) || !Read(at + 4, offset) || offset > bytes_.size() || bytes_.size() - offset < length) {
            return false;
        }
        text = bytes_.substr(offset, length);
        return true;
    }

private:
    std::string_view bytes_;
    bool swapped_;
};

// A plural entry holds its forms one after another, separated by NUL: the game needs the first.
std::string_view FirstForm(std::string_view text) { return text.substr(0, text.find('\0')); }

}  // namespace

bool Catalogue::Parse(std::string_view bytes, std::string& error) {
    entries_.clear();
    if (bytes.size() < kHeaderBytes) {
        error = "it is too short to be a message catalogue";
        return false;
    }
    std::uint32_t magic = 0;
    Words(bytes, false).Read(0, magic);
    if (magic != kMagic && magic != kSwappedMagic) {
        error = "it is not a message catalogue (no .mo magic number)";
        return false;
    }
    const Words words(bytes, magic == kSwappedMagic);
    std::uint32_t revision = 0;
    std::uint32_t count = 0;
    std::uint32_t sources = 0;
    std::uint32_t translations = 0;
    words.Read(4, revision);
    words.Read(8, count);
    words.Read(12, sources);
    words.Read(16, translations);
    if ((revision >> 16) != 0) {
        error = "its revision " + std::to_string(revision >> 16) + " is not one the game reads";
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string_view source;
        std::string_view translation;
        if (!words.String(std::size_t{sources} + 8u * i, source) ||
            !words.String(std::size_t{translations} + 8u * i, translation)) {
            entries_.clear();
            error = "entry " + std::to_string(i) + " points past the end of the file";
            return false;
        }
        source = FirstForm(source);
        translation = FirstForm(translation);
        if (!source.empty() && !translation.empty()) {
            entries_.emplace(std::string(source), std::string(translation));
        }
    }
    return true;
}

const std::string* Catalogue::Find(std::string_view source) const {
    const auto found = entries_.find(std::string(source));
    return found != entries_.end() ? &found->second : nullptr;
}
