#include "PackToolCommands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/FilePath.h"
#include "field/FilePackEnemyParamLoad.h"
#include "resource/FilePackLoad.h"
#include "resource/FileWriter.h"
#include "resource/PackWriter.h"
#include "resource/WaveSource.h"

namespace packtool {

namespace {

namespace fs = std::filesystem;

// Names come from files that may be hostile; never let one write control codes to a terminal.
std::string Printable(const std::string& name) {
    std::string shown;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return shown;
}

// A name that extract may use as a file name inside its folder.
bool SafeFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F || c == '/' || c == '\\';
    });
}

// The game asks for its entries by lower-case ASCII names ("enemy_f_red.png"), compared byte for
// byte, so a file called "Upper.PNG" or "ü.png" would sit in the pack where nothing can find it.
bool GameEntryName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
    });
}

bool ReadTextFile(const std::string& path, std::string& text) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << file.rdbuf();
    text = buffer.str();
    return static_cast<bool>(file);
}

bool ReadBinaryFile(const fs::path& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream file(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad() && file.is_open();
}

// Replaces the output file as a whole, so a failed run never leaves half a pack behind.
int WriteOutput(const std::string& path, const std::vector<std::uint8_t>& bytes, const std::string& what,
                std::uint32_t key, std::ostream& out, std::ostream& err) {
    if (!ReplaceFile(path, bytes, DiskFileWriter())) {
        err << "velmoria-pack: cannot write '" << path << "'\n";
        return kPartly;
    }
    out << "wrote " << what << " into " << path << " (key " << Hex(key) << ")\n";
    return kDone;
}

bool OpenPack(const std::string& path, CFilePackLoad& pack, std::ostream& err) {
    if (pack.TryOpen(path)) {
        return true;
    }
    err << "velmoria-pack: cannot read pack '" << path << "'\n";
    return false;
}

}  // namespace

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

int List(const Arguments& args, std::ostream& out, std::ostream& err) {
    CFilePackLoad pack;
    if (!OpenPack(args.positional[0], pack, err)) {
        return kBadInput;
    }
    out << "# key " << Hex(pack.Key()) << ", entries: " << pack.Entries().size() << " (name, size, offset)\n";
    for (const auto& [name, entry] : pack.Entries()) {
        char numbers[32];
        std::snprintf(numbers, sizeof numbers, " %10u %10u", entry.size, entry.offset);
        std::string shown = Printable(name);
        shown.resize(std::max<std::size_t>(shown.size(), 31), ' ');
        out << shown << numbers << "\n";
    }
    return kDone;
}

int Extract(const Arguments& args, std::ostream& out, std::ostream& err) {
    CFilePackLoad pack;
    if (!OpenPack(args.positional[0], pack, err)) {
        return kBadInput;
    }
    const fs::path folder = args.positional[1];
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error)) {
        err << "velmoria-pack: cannot make folder '" << Utf8Of(folder) << "'\n";
        return kPartly;
    }
    int result = kDone;
    std::size_t extracted = 0;
    std::vector<std::uint8_t> bytes;
    for (const auto& [name, entry] : pack.Entries()) {
        const char* problem = nullptr;
        if (!SafeFileName(name)) {
            problem = "not a safe file name";
        } else if (!pack.ReadEntry(name, bytes)) {
            problem = "its bytes lie outside the pack";
        } else if (!DiskFileWriter().WriteAll(Utf8Of(folder / name), bytes.data(), bytes.size())) {
            problem = "cannot write the file";
        }
        if (problem != nullptr) {
            err << "velmoria-pack: skipping entry '" << Printable(name) << "': " << problem << "\n";
            result = kPartly;
        } else {
            ++extracted;
        }
    }
    out << "extracted " << extracted << " of " << pack.Entries().size() << " entries\n";
    return result;
}

int Create(const Arguments& args, std::ostream& out, std::ostream& err) {
    const fs::path folder = args.positional[1];
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        err << "velmoria-pack: cannot read folder '" << Utf8Of(folder) << "'\n";
        return kBadInput;
    }
    std::vector<pack::Entry> entries;
    for (const fs::directory_entry& file : fs::directory_iterator(folder, error)) {
        if (!file.is_regular_file(error)) {
            err << "velmoria-pack: leaving out '" << Utf8Of(file.path()) << "': not a regular file\n";
            continue;
        }
        pack::Entry entry{Utf8Of(file.path().filename()), {}, 0};
        if (!GameEntryName(entry.name)) {
            err << "velmoria-pack: cannot pack '" << Printable(entry.name)
                << "': entry names may hold only lower-case letters a-z, digits 0-9, '.', '_' and '-'\n";
            return kBadInput;
        }
        if (!ReadBinaryFile(file.path(), entry.bytes)) {
            err << "velmoria-pack: cannot read '" << Utf8Of(file.path()) << "'\n";
            return kBadInput;
        }
        entries.push_back(std::move(entry));
    }
    // Byte-wise name order, the reader's own order: the same folder always makes the same pack.
    std::sort(entries.begin(), entries.end(), [](const pack::Entry& a, const pack::Entry& b) { return a.name < b.name; });
    std::vector<std::uint8_t> bytes;
    std::string problem;
    if (!pack::BuildPack(entries, args.key, bytes, problem)) {
        err << "velmoria-pack: " << problem << "\n";
        return kBadInput;
    }
    return WriteOutput(args.positional[0], bytes, std::to_string(entries.size()) + " files", args.key, out, err);
}

int WavesCompile(const Arguments& args, std::ostream& out, std::ostream& err) {
    const std::string& source = args.positional[0];
    std::string text;
    if (!ReadTextFile(source, text)) {
        err << "velmoria-pack: cannot read '" << source << "'\n";
        return kBadInput;
    }
    std::vector<waves::Stage> stages;
    std::vector<std::string> warnings;
    std::string problem;
    const bool parsed = waves::ParseWaveSource(text, stages, problem, warnings);
    for (const std::string& warning : warnings) {
        err << source << ": warning: " << warning << "\n";
    }
    std::vector<std::uint8_t> bytes;
    if (!parsed || !waves::BuildWaveData(stages, args.key, bytes, problem)) {
        err << source << ": " << problem << "\n";
        return kBadInput;
    }
    return WriteOutput(args.positional[1], bytes, std::to_string(stages.size()) + " stages", args.key, out, err);
}

int WavesDump(const Arguments& args, std::ostream& out, std::ostream& err) {
    CFilePackEnemyParamLoad loader;
    if (!loader.TryOpen(args.positional[0])) {
        err << "velmoria-pack: cannot read wave data '" << args.positional[0] << "'\n";
        return kBadInput;
    }
    int result = kDone;
    std::vector<waves::Stage> stages;
    for (const auto& [key, entry] : loader.Stages()) {
        if (!waves::IsWritableStageKey(key)) {
            // Printing it would break the text (or smuggle statements into it).
            err << "velmoria-pack: leaving out stage '" << Printable(key) << "': the source cannot hold its key\n";
            result = kPartly;
            continue;
        }
        stages.push_back({key, static_cast<std::int32_t>(entry.startPoints), *loader.Waves().at(key)});
    }
    out << waves::FormatWaveSource(stages, "wave data of " + args.positional[0] + "\nkey " + Hex(loader.Key()));
    return result;
}

}  // namespace packtool
