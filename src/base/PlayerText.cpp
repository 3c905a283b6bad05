#include "base/PlayerText.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "base/FilePath.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string TooLarge(std::size_t limit) { return "it holds more than " + std::to_string(limit) + " bytes"; }

// Whether the byte starts a character of UTF-8 text (or is a stray byte of its own).
bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

}  // namespace

bool ReadTextFile(const std::filesystem::path& path, std::size_t limit, std::string& text, std::string& error) {
    std::error_code failure;
    const std::filesystem::file_status status = std::filesystem::status(path, failure);
    if (status.type() == std::filesystem::file_type::not_found) {
        error = "it does not exist";
        return false;
    }
    if (status.type() == std::filesystem::file_type::directory) {
        error = "it is a folder, not a file";
        return false;
    }
    // A regular file tells its size; devices and pipes are read up to the limit and no further.
    if (status.type() == std::filesystem::file_type::regular) {
        const std::uintmax_t size = std::filesystem::file_size(path, failure);
        if (!failure && size > limit) {
            error = TooLarge(limit);
            return false;
        }
    }
    const std::unique_ptr<std::FILE, FileCloser> file(OpenFile(path, "rb"));
    if (file == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    std::string read;
    char chunk[65536];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        if (got > limit - read.size()) {
            error = TooLarge(limit);
            return false;
        }
        read.append(chunk, got);
        if (got < sizeof chunk) {
            break;
        }
    }
    if (std::ferror(file.get()) != 0) {
        error = std::strerror(errno);
        return false;
    }
    text = std::move(read);
    return true;
}

std::string QuotedExcerpt(std::string_view text) {
    std::size_t shown = text.size();
    if (shown > kExcerptBytes) {
        shown = kExcerptBytes;
        while (shown > 0 && !StartsCharacter(text[shown])) {
            --shown;
        }
    }
    std::string quoted = "'";
    for (const char c : text.substr(0, shown)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            constexpr char kDigits[] = "0123456789abcdef";
            quoted += {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 15]};
        } else {
            quoted += c;
        }
    }
    quoted += "'";
    if (shown < text.size()) {
        quoted.insert(quoted.size() - 1, "...");
        quoted += " (" + std::to_string(text.size()) + " bytes)";
    }
    return quoted;
}
