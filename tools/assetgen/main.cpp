// velmoria-assetgen: paints every image, synthesizes every sound effect and composes the music,
// then writes the three packs ("wbk.dat", "wbkse.dat", "wbkbgm.dat") into the game folder.
//
//   velmoria-assetgen --out DIR [--notes FILE] [--contact-sheet PATH]
//   velmoria-assetgen --contact-sheet PATH
//   velmoria-assetgen --review DIR    (every image alone, small ones enlarged, for close inspection)
//   velmoria-assetgen --icon SIZE:PATH (the crest as a SIZE x SIZE desktop icon; repeatable)
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ContactSheet.h"
#include "ArtKit.h"
#include "ImageSet.h"
#include "Music.h"
#include "SoundEffects.h"
#include "Text.h"
#include "Wave.h"
#include "gfx/PngCodec.h"
#include "resource/PackWriter.h"

namespace {

using namespace assetgen;

// The keys the packs are scrambled with. Any value works; fixed ones keep the output repeatable.
constexpr std::uint32_t kImageKey = 0x5E1A0C21u;
constexpr std::uint32_t kEffectKey = 0x2B7D9E43u;
constexpr std::uint32_t kMusicKey = 0x71C3A5F9u;

bool WritePack(const std::string& path, const std::vector<pack::Entry>& entries, std::uint32_t key) {
    std::string error;
    if (!pack::WritePackFile(path, entries, key, error)) {
        std::fprintf(stderr, "velmoria-assetgen: %s\n", error.c_str());
        return false;
    }
    return true;
}

bool WriteImages(const ImageSet& set, const std::string& dir) {
    std::vector<pack::Entry> entries;
    for (const NamedImage& image : set.Images()) {
        pack::Entry entry;
        entry.name = image.name;
        const std::vector<std::uint32_t> argb = image.picture.ToArgb();
        if (!gfx::EncodePng(argb.data(), image.picture.Width(), image.picture.Height(), entry.bytes)) {
            std::fprintf(stderr, "velmoria-assetgen: cannot encode %s\n", image.name.c_str());
            return false;
        }
        entries.push_back(std::move(entry));
    }
    return WritePack(dir + "/wbk.dat", entries, kImageKey);
}

bool WriteEffects(const std::string& dir, std::size_t& count) {
    std::vector<pack::Entry> entries;
    for (const SoundEffect& effect : MakeSoundEffects()) {
        entries.push_back({effect.name, EncodeWave(effect.samples, kEffectRate, 1)});
    }
    count = entries.size();
    return WritePack(dir + "/wbkse.dat", entries, kEffectKey);
}

// The music room's titles and comments travel with the tracks they describe.
constexpr char kNotesEntry[] = "music_room.txt";

bool WriteMusic(const std::string& dir, const std::string& notesPath, std::size_t& count) {
    std::vector<pack::Entry> entries;
    for (const music::Track& track : music::ComposeTracks()) {
        entries.push_back({track.name, EncodeWave(track.stereo, music::kMusicRate, 2)});
    }
    count = entries.size();
    if (!notesPath.empty()) {
        std::ifstream notes(notesPath, std::ios::binary);
        if (!notes) {
            std::fprintf(stderr, "velmoria-assetgen: cannot read %s\n", notesPath.c_str());
            return false;
        }
        entries.push_back({kNotesEntry, std::vector<std::uint8_t>(std::istreambuf_iterator<char>(notes), {})});
    }
    return WritePack(dir + "/wbkbgm.dat", entries, kMusicKey);
}

bool WriteContactSheet(const ImageSet& set, const std::string& path) {
    const Canvas sheet = MakeContactSheet(set);
    const std::vector<std::uint32_t> argb = sheet.ToArgb();
    if (!gfx::WritePngFile(path, argb.data(), sheet.Width(), sheet.Height())) {
        std::fprintf(stderr, "velmoria-assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool WriteReview(const ImageSet& set, const std::string& dir) {
    for (const NamedImage& image : set.Images()) {
        const int scale = std::max(1, 512 / std::max(image.picture.Width(), image.picture.Height()));
        Canvas big(image.picture.Width() * scale, image.picture.Height() * scale, Rgb(110, 110, 120));
        for (int y = 0; y < big.Height(); ++y) {
            for (int x = 0; x < big.Width(); ++x) {
                big.Blend(x, y, image.picture.Get(x / scale, y / scale));
            }
        }
        const std::vector<std::uint32_t> argb = big.ToArgb();
        if (!gfx::WritePngFile(dir + "/" + image.name, argb.data(), big.Width(), big.Height())) {
            std::fprintf(stderr, "velmoria-assetgen: cannot write %s/%s\n", dir.c_str(), image.name.c_str());
            return false;
        }
    }
    const char* stages[3][2] = {{"stage_velkra_rouka.png", "fieldwall_easy.png"},
                                {"stage_velkra_library.png", "fieldwall.png"},
                                {"stage_sky.png", "fieldwall.png"}};
    for (int i = 0; i < 3; ++i) {
        const Canvas mock = MakeBattleMock(set, stages[i][0], stages[i][1]);
        const std::vector<std::uint32_t> argb = mock.ToArgb();
        const std::string path = dir + "/battle" + std::to_string(i) + ".png";
        if (!gfx::WritePngFile(path, argb.data(), mock.Width(), mock.Height())) {
            std::fprintf(stderr, "velmoria-assetgen: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

struct Icon {
    int size = 0;
    std::string path;
};

// "SIZE:PATH", the size a whole number from 16 to 1024.
bool ParseIcon(const std::string& text, Icon& icon) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon + 1 == text.size()) {
        return false;
    }
    const std::string size = text.substr(0, colon);
    const auto parsed = std::from_chars(size.data(), size.data() + size.size(), icon.size);
    icon.path = text.substr(colon + 1);
    return parsed.ec == std::errc() && parsed.ptr == size.data() + size.size() && icon.size >= 16 &&
           icon.size <= 1024;
}

bool WriteIcon(const Icon& icon) {
    const Canvas crest = PaintCrest(icon.size);
    const std::vector<std::uint32_t> argb = crest.ToArgb();
    if (!gfx::WritePngFile(icon.path, argb.data(), crest.Width(), crest.Height())) {
        std::fprintf(stderr, "velmoria-assetgen: cannot write %s\n", icon.path.c_str());
        return false;
    }
    return true;
}

int Usage() {
    std::fprintf(stderr, "usage: velmoria-assetgen [--out DIR] [--notes FILE] [--contact-sheet PATH] [--review DIR] "
                         "[--icon SIZE:PATH]...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string outDir;
    std::string sheetPath;
    std::string reviewDir;
    std::string notesPath;
    std::vector<Icon> icons;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc) {
            outDir = argv[++i];
        } else if (arg == "--contact-sheet" && i + 1 < argc) {
            sheetPath = argv[++i];
        } else if (arg == "--review" && i + 1 < argc) {
            reviewDir = argv[++i];
        } else if (arg == "--notes" && i + 1 < argc) {
            notesPath = argv[++i];
        } else if (arg == "--icon" && i + 1 < argc) {
            if (!ParseIcon(argv[++i], icons.emplace_back())) {
                return Usage();
            }
        } else {
            return Usage();
        }
    }
    if (outDir.empty() && sheetPath.empty() && reviewDir.empty() && icons.empty()) {
        return Usage();
    }
    // Said before the long painting starts, not as a bare failure after it.
    for (const std::string* dir : {&outDir, &reviewDir}) {
        std::error_code error;
        if (!dir->empty() && !std::filesystem::is_directory(*dir, error)) {
            std::fprintf(stderr, "velmoria-assetgen: the folder '%s' does not exist\n", dir->c_str());
            return 1;
        }
    }
    for (const Icon& icon : icons) {
        if (!WriteIcon(icon)) {
            return 1;
        }
    }
    if (outDir.empty() && sheetPath.empty() && reviewDir.empty()) {
        return 0;  // icons only: the crest needs neither the fonts nor the other pictures
    }
    std::string problem;
    if (!FontsReady(problem)) {
        std::fprintf(stderr, "velmoria-assetgen: %s\n", problem.c_str());
        return 1;
    }
    const auto started = std::chrono::steady_clock::now();
    const ImageSet images = PaintAllImages();
    for (const std::string& overflow : kit::Overflows()) {
        std::fprintf(stderr, "velmoria-assetgen: a caption does not fit: %s\n", overflow.c_str());
    }
    bool ok = kit::Overflows().empty();
    std::size_t effects = 0;
    std::size_t tracks = 0;
    if (!outDir.empty()) {
        ok = WriteImages(images, outDir) && WriteEffects(outDir, effects) && WriteMusic(outDir, notesPath, tracks);
    }
    if (ok && !sheetPath.empty()) {
        ok = WriteContactSheet(images, sheetPath);
    }
    if (ok && !reviewDir.empty()) {
        ok = WriteReview(images, reviewDir);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("velmoria-assetgen: %zu images, %zu effects and %zu tracks in %.1f s\n", images.Images().size(),
                effects, tracks, seconds);
    return ok ? 0 : 1;
}
