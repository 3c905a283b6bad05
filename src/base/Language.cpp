#include "base/Language.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>

#include "base/Catalogue.h"
#include "base/FilePath.h"
#include "base/PlayerText.h"

namespace {

// The largest catalogue read: a complete translation of the game is some tens of kilobytes.
constexpr std::size_t kMaxCatalogueBytes = 4 * 1024 * 1024;
constexpr std::size_t kMaxCodeLength = 16;
// The context under which each catalogue gives its language's own name.
constexpr char kNameContext[] = "language name";
// Japanese's name for itself, and the source text every catalogue translates into its own name.
// Fits: MSゴシック 16, 120x1
constexpr char kSourceName[] = NC_("language name", "日本語");

struct LanguageState {
    std::string code;
    Catalogue catalogue;  // empty for Japanese
};

// Catalogues once read stay for the rest of the run (by file), so a lookup on any thread may hold
// on to a translation while the player switches languages on the main one.
struct Registry {
    std::mutex mutex;
    std::map<std::string, std::unique_ptr<LanguageState>, std::less<>> loaded;
    std::atomic<const LanguageState*> current{nullptr};
    std::atomic<std::uint32_t> generation{0};
};

Registry& Languages() {
    static Registry registry;
    return registry;
}

const LanguageState* SourceState() {
    static const LanguageState source{std::string(language::kSource), Catalogue{}};
    return &source;
}

const LanguageState* CurrentState() {
    const LanguageState* state = Languages().current.load(std::memory_order_acquire);
    return state != nullptr ? state : SourceState();
}

std::filesystem::path CatalogueFile(const std::filesystem::path& folder, std::string_view code) {
    return folder / (std::string(code) + ".mo");
}

bool ReadCatalogue(const std::filesystem::path& file, Catalogue& catalogue, std::string& error) {
    std::string bytes;
    std::string reason;
    if (!ReadTextFile(file, kMaxCatalogueBytes, bytes, reason) || !catalogue.Parse(bytes, reason)) {
        error = "cannot read the catalogue " + Utf8Of(file.filename()) + ": " + reason;
        return false;
    }
    return true;
}

std::string Lookup(const Catalogue& catalogue, std::string_view context, std::string_view source) {
    std::string key(context);
    key += '\x04';
    key += source;
    const std::string* found = catalogue.Find(key);
    return found != nullptr ? *found : std::string(source);
}

}  // namespace

const char* Tr(const char* source) {
    if (source == nullptr || *source == '\0') {
        return source;
    }
    const std::string* found = CurrentState()->catalogue.Find(source);
    return found != nullptr ? found->c_str() : source;
}

std::string Tr(const std::string& source) { return Tr(source.c_str()); }

const char* TrIn(const char* context, const char* source) {
    std::string key(context);
    key += '\x04';
    key += source;
    const std::string* found = CurrentState()->catalogue.Find(key);
    return found != nullptr ? found->c_str() : source;
}

namespace language {

bool ValidCode(std::string_view code) {
    return !code.empty() && code.size() <= kMaxCodeLength && std::all_of(code.begin(), code.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                      c == '-' || c == '@';
           });
}

std::vector<Choice> Installed(const std::filesystem::path& folder) {
    std::vector<Choice> choices{{std::string(kSource), kSourceName}};
    std::error_code failed;
    std::vector<std::string> codes;
    for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, failed), end; !failed && it != end;
         it.increment(failed)) {
        const std::filesystem::path& file = it->path();
        const std::string code = Utf8Of(file.stem());
        if (file.extension() == ".mo" && code != kSource && ValidCode(code)) {
            codes.push_back(code);
        }
    }
    std::sort(codes.begin(), codes.end());
    for (const std::string& code : codes) {
        Catalogue catalogue;
        std::string error;
        if (ReadCatalogue(CatalogueFile(folder, code), catalogue, error)) {
            const std::string name = Lookup(catalogue, kNameContext, kSourceName);
            choices.push_back({code, name != kSourceName ? name : code});
        }
    }
    return choices;
}

bool Use(std::string_view code, const std::filesystem::path& folder, std::string& error) {
    if (!ValidCode(code)) {
        error = "a language is named by letters, digits, '_', '-' or '@', not " + QuotedExcerpt(code);
        return false;
    }
    Registry& registry = Languages();
    std::lock_guard<std::mutex> lock(registry.mutex);
    const LanguageState* state = nullptr;
    if (code == kSource) {
        state = SourceState();
    } else if (const auto known = registry.loaded.find(Utf8Of(CatalogueFile(folder, code)));
               known != registry.loaded.end()) {
        state = known->second.get();
    } else {
        auto loaded = std::make_unique<LanguageState>();
        loaded->code = std::string(code);
        const std::filesystem::path file = CatalogueFile(folder, code);
        if (!ReadCatalogue(file, loaded->catalogue, error)) {
            return false;
        }
        state = loaded.get();
        registry.loaded.emplace(Utf8Of(file), std::move(loaded));
    }
    if (state != CurrentState()) {
        registry.current.store(state, std::memory_order_release);
        registry.generation.fetch_add(1, std::memory_order_acq_rel);
    }
    return true;
}

std::string Current() { return CurrentState()->code; }

bool SourceInUse() { return CurrentState() == SourceState(); }

std::uint32_t Generation() { return Languages().generation.load(std::memory_order_acquire); }

}  // namespace language
