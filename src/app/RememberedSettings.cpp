#include "app/RememberedSettings.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/PlayerFolder.h"
#include "base/GameFolders.h"
#include "base/Language.h"
#include "base/PlayerText.h"
#include "gfx/SoftwareDevice.h"
#include "platform/Window.h"

void RememberedSettings::Read() {
    settings_ = WindowSettings{};
    const std::filesystem::path path = Folders().PlayerFile(player_files::kSettings);
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) {
        return;  // the first run
    }
    std::string text;
    std::string error;
    if (!ReadTextFile(path, WindowSettings::kMaxBytes, text, error) || !ParseWindowSettings(text, settings_, error)) {
        std::fprintf(stderr, "velmoria: %s: %s; the settings start afresh\n", player_files::kSettings.data(),
                     error.c_str());
    }
}

bool RememberedSettings::UseLanguage() {
    std::string error;
    const bool asked = options_.language.has_value();
    if (!language::Use(options_.language.value_or(settings_.language), Folders().packs, error)) {
        std::fprintf(stderr, "velmoria: %s%s\n", error.c_str(), asked ? "" : "; the texts stay Japanese");
        if (asked) {
            return false;
        }
    }
    languageShown_ = language::Generation();
    return true;
}

int RememberedSettings::WindowScale() const {
    if (options_.scale) {
        return static_cast<int>(*options_.scale);
    }
    if (settings_.scale != 0) {
        return settings_.scale;
    }
    return platform::Window::DesktopFittingScale(gfx::kFrameWidth, gfx::kFrameHeight);
}

bool RememberedSettings::StartingGuides() {
    guidesShown_ = options_.guides.value_or(settings_.guides);
    return guidesShown_;
}

void RememberedSettings::FollowScenes(bool guides) {
    FollowGuides(guides);
    FollowLanguage();
}

// A run with --guides keeps the file's choice until the player makes another on the option screen.
void RememberedSettings::FollowGuides(bool guides) {
    if (guides == guidesShown_) {
        return;
    }
    guidesShown_ = guides;
    if (writes_) {
        settings_.guides = guides;
        Write();
    }
}

void RememberedSettings::FollowLanguage() {
    if (language::Generation() == languageShown_) {
        return;
    }
    languageShown_ = language::Generation();
    if (writes_) {
        settings_.language = language::Current();
        Write();
    }
}

void RememberedSettings::RememberScale(int scale) {
    if (scale == settings_.scale || !writes_) {
        return;
    }
    settings_.scale = scale;
    Write();
}

void RememberedSettings::Write() {
    if (!player_files::WriteText(Folders().PlayerFile(player_files::kSettings), FormatWindowSettings(settings_))) {
        std::fprintf(stderr, "velmoria: cannot write %s\n", player_files::kSettings.data());
    }
}
