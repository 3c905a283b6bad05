#pragma once
#include <map>
#include <memory>
#include <string>

#include "audio/DirectSound.h"
#include "audio/DirectSoundStream.h"
#include "gfx/Texture.h"

namespace gfx {
class Device;
}

// The registry of every texture and sound effect, loaded once at start-up from the packs and
// fetched by entry name for the rest of the run. It owns them; callers keep plain pointers and
// never free them.
class FileClass {
public:
    FileClass();
    virtual ~FileClass();
    FileClass(const FileClass&) = delete;
    FileClass& operator=(const FileClass&) = delete;

    // Every image of the pack becomes a texture (a null one when the image does not decode).
    void LoadTexturePack(const std::string& path, gfx::Device* device);
    // Every entry but the music ("bgm_" in the name) becomes a sound effect, kept even when it
    // fails to load (it then plays nothing). The silent loop "nosound.wav" starts at once and
    // plays for the whole run.
    void LoadSoundPack(const std::string& path);
    // True when every required image, effect and music track is present; false at the first
    // missing one.
    bool ValidateAssets() const;

    // The picture of the name in the language in use: its variant for that language when the
    // pack has one (see resource/ImageVariant.h), else the Japanese picture. Null when absent (no
    // message): the sprite then draws untextured.
    gfx::Texture* FindTexture(const std::string& name) const;
    // The entry of exactly that name, whatever the language.
    gfx::Texture* FindExactTexture(const std::string& name) const;
    bool HasTexture(const std::string& name) const;
    // A name that is present already keeps its texture, and the given one is released.
    void AddTexture(const std::string& name, std::unique_ptr<gfx::Texture> texture);

    // Null, after telling the player, when absent.
    DirectSound* FindSound(const std::string& name) const;

    void SetVolumes(int musicPercent, int effectPercent);

    // "nosound.wav", looping for the whole run once the effects are loaded (null without it).
    DirectSound* SilentLoop() const { return silentLoop_; }
    // The one music player of the program.
    DirectSoundStream& Music() { return music_; }

private:
    std::map<std::string, std::unique_ptr<gfx::Texture>> textures_;
    std::map<std::string, std::unique_ptr<DirectSound>> sounds_;
    DirectSoundStream music_;
    DirectSound* silentLoop_ = nullptr;
};

extern FileClass g_FileClass;
