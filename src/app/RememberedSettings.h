#pragma once
#include <cstdint>

#include "app/CommandLine.h"
#include "app/WindowSettings.h"

// What the shell remembers between runs in settings.txt: the window's scale, the language of the
// texts and the guides. The command line's choices hold for their run only; a choice made in the
// game is written at once. A run that keeps none of the player's files (a replay's) writes none.
class RememberedSettings {
public:
    RememberedSettings(const LaunchOptions& options, bool writes) : options_(options), writes_(writes) {}

    // Reads settings.txt: none is the first run, a damaged one costs the settings, nothing else.
    void Read();
    // The language of --lang, else of settings.txt; false when --lang names one not installed.
    bool UseLanguage();
    // The window's scale: the one asked for, else the one remembered, else the largest that fits
    // two thirds of the desktop.
    int WindowScale() const;
    // The guides the scenes start with: --guides's, else the remembered.
    bool StartingGuides();
    // After a frame: the scenes' guides, and the language, if a scene (the option screen)
    // changed them.
    void FollowScenes(bool guides);
    // At the end of the run: the window's scale, if the player changed it.
    void RememberScale(int scale);

private:
    void FollowGuides(bool guides);
    void FollowLanguage();
    void Write();

    const LaunchOptions& options_;
    const bool writes_;
    WindowSettings settings_;
    bool guidesShown_ = true;          // the guides the scenes had, to see a scene change them
    std::uint32_t languageShown_ = 0;  // the language generation settings.txt was last written in
};
